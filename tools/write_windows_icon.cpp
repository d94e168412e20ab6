// Build-time tool: writes the window's icon as the Windows icon file that dorvek.exe
// carries as its program icon, from the same pixel data as the window's icon.

#include "host/widgets/form_icon.h"
#include "window/form1_icon.h"

#include <QFile>
#include <QString>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("Usage: write-windows-icon FILE\n", stderr);
        return 2;
    }
    const QByteArray bytes = dorvek::host::iconFile(dorvek::window::form1Icon());
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush()) {
        std::fprintf(stderr, "write-windows-icon: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
