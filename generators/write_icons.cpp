// Run by the build only: writes the window's icon as the files a desktop or Windows
// wants, from the same pixel data and outline as the window's own icon.
//   write-icons theme DIRECTORY [SIZE...]: the icon theme's SIZExSIZE.png for each size
//     (by default those of the window icon's pixel images), and scalable.svg. A size
//     the window icon has a pixel image for gets that image as it is; any other gets
//     the icon's outline, so nothing is drawn twice, with a light edge around it.
//   write-icons windows FILE: the Windows icon file dorvek.exe carries.

#include "generators/icon_files.h"
#include "host/runtime/program_description.h"
#include "host/widgets/form_icon.h"
#include "window/form1_icon.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QString>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

using dorvek::host::IconImage;

// Docks and panels are often dark, where a black tick on transparency all but
// vanishes. A white band outside the outline keeps it readable there and is lost on a
// light one. The window's own images stay as they are: at their sizes a band would
// swallow the tick.
constexpr dorvek::generators::IconEdge lightEdge{.colourIndex = 15, .width = 2};

constexpr const char* usage =
    "Usage: write-icons theme DIRECTORY [SIZE...]\n"
    "       write-icons windows FILE\n"
    "theme writes SIZExSIZE.png for each size (by default those of the window icon's\n"
    "pixel images), and scalable.svg; windows writes the program's .ico file.\n";

QImage iconAtSize(int size) {
    const auto images = dorvek::window::form1Icon();
    const auto image = std::ranges::find(images, size, &IconImage::size);
    return image != images.end()
               ? dorvek::host::iconImage(*image)
               : dorvek::generators::iconImage(dorvek::window::form1IconOutline(), size, lightEdge);
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

int writeTheme(int argc, char** argv) {
    const QDir directory(QString::fromLocal8Bit(argv[2]));
    std::vector<int> sizes;
    for (int index = 3; index < argc; ++index) {
        bool isNumber = false;
        const int size = QString::fromLocal8Bit(argv[index]).toInt(&isNumber);
        if (!isNumber || size < 1 || size > 1024) {
            std::fprintf(stderr, "write-icons: not a size from 1 to 1024: %s\n", argv[index]);
            return 2;
        }
        sizes.push_back(size);
    }
    if (sizes.empty()) {
        for (const IconImage& image : dorvek::window::form1Icon()) {
            sizes.push_back(image.size);
        }
    }
    for (const int size : sizes) {
        const QString name = QStringLiteral("%1x%1.png").arg(size);
        if (!iconAtSize(size).save(directory.filePath(name), "PNG")) {
            std::fprintf(stderr, "write-icons: cannot write %s\n", qPrintable(name));
            return 1;
        }
    }
    if (!writeFile(directory.filePath(QStringLiteral("scalable.svg")),
                   dorvek::generators::iconSvg(dorvek::window::form1IconOutline(), lightEdge))) {
        std::fputs("write-icons: cannot write scalable.svg\n", stderr);
        return 1;
    }
    return 0;
}

int writeWindowsIcon(const char* path) {
    if (!writeFile(QString::fromLocal8Bit(path),
                   dorvek::generators::iconFile(dorvek::window::form1Icon()))) {
        std::fprintf(stderr, "write-icons: cannot write %s\n", path);
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::strcmp(argv[1], "theme") == 0) {
        return writeTheme(argc, argv);
    }
    if (argc == 3 && std::strcmp(argv[1], "windows") == 0) {
        return writeWindowsIcon(argv[2]);
    }
    std::fputs(usage, stderr);
    return 2;
}
