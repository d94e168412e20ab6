// Build-time tool: writes the window's icon for the desktop's icon theme, at each size
// asked for and as a scalable SVG. A size the window icon has a pixel image for gets
// that image as it is; any other gets the icon's outline, so nothing is drawn twice,
// with a light edge around it.

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
#include <vector>

namespace {

// Docks and panels are often dark, where a black tick on transparency all but
// vanishes. A white band outside the outline keeps it readable there and is lost on a
// light one. The window's own images stay as they are: at their sizes a band would
// swallow the tick.
constexpr dorvek::host::IconEdge lightEdge{.colourIndex = 15, .width = 2};

QImage iconAtSize(int size) {
    const auto images = dorvek::window::form1Icon();
    const auto image = std::ranges::find(images, size, &dorvek::host::IconImage::size);
    return image != images.end()
               ? dorvek::host::iconImage(*image)
               : dorvek::host::iconImage(dorvek::window::form1IconOutline(), size, lightEdge);
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs("Usage: write-icon-images DIRECTORY [SIZE...]\n"
                   "Writes SIZExSIZE.png for each size (by default those of the window\n"
                   "icon's pixel images), and scalable.svg.\n",
                   stderr);
        return 2;
    }
    const QDir directory(QString::fromLocal8Bit(argv[1]));
    std::vector<int> sizes;
    for (int index = 2; index < argc; ++index) {
        bool isNumber = false;
        const int size = QString::fromLocal8Bit(argv[index]).toInt(&isNumber);
        if (!isNumber || size < 1 || size > 1024) {
            std::fprintf(stderr, "write-icon-images: not a size from 1 to 1024: %s\n", argv[index]);
            return 2;
        }
        sizes.push_back(size);
    }
    if (sizes.empty()) {
        for (const dorvek::host::IconImage& image : dorvek::window::form1Icon()) {
            sizes.push_back(image.size);
        }
    }
    for (const int size : sizes) {
        const QString name = QStringLiteral("%1x%1.png").arg(size);
        if (!iconAtSize(size).save(directory.filePath(name), "PNG")) {
            std::fprintf(stderr, "write-icon-images: cannot write %s\n", qPrintable(name));
            return 1;
        }
    }
    if (!writeFile(directory.filePath(QStringLiteral("scalable.svg")),
                   dorvek::host::iconSvg(dorvek::window::form1IconOutline(), lightEdge))) {
        std::fputs("write-icon-images: cannot write scalable.svg\n", stderr);
        return 1;
    }
    return 0;
}
