// Build-time tool: writes each image of the window's icon as a PNG for the desktop's
// icon theme, from the same pixel data as the window's icon, so there is no second copy.

#include "host/runtime/program_description.h"
#include "host/widgets/form_icon.h"
#include "window/form1_icon.h"

#include <QDir>
#include <QImage>
#include <QString>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("Usage: write-icon-images DIRECTORY\n", stderr);
        return 2;
    }
    const QDir directory(QString::fromLocal8Bit(argv[1]));
    for (const dorvek::host::IconImage& image : dorvek::window::form1Icon()) {
        const QImage pixels = dorvek::host::iconImage(image);
        const QString name = QStringLiteral("%1x%2.png").arg(pixels.width()).arg(pixels.height());
        if (!pixels.save(directory.filePath(name), "PNG")) {
            std::fprintf(stderr, "write-icon-images: cannot write %s\n", qPrintable(name));
            return 1;
        }
    }
    return 0;
}
