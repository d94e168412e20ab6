#include "platform.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QStyle>
#include <QStyleFactory>

namespace dorvek::host::platform {

// FreeType draws the stand-in faces as on Linux, antialiased; the platform's own
// engine would draw them in its own way. A platform the user chose is left alone.
void prepareForApplication() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "windows:fontengine=freetype");
    }
}

// Windows has none of the stand-in faces: they ship in fonts/ beside the program.
// FreeType hints them lightly, as fontconfig has it on Debian, rather than fully, and
// every font the window sets leaves that to the application's. The style is Linux's
// too, whose focus frame leaves the button's cedilla readable.
void adaptApplication() {
    const QDir fonts(QCoreApplication::applicationDirPath() + QStringLiteral("/fonts"));
    for (const QString& file : fonts.entryList({QStringLiteral("*.ttf")}, QDir::Files)) {
        QFontDatabase::addApplicationFont(fonts.filePath(file));
    }
    QFont font = QApplication::font();
    font.setHintingPreference(QFont::PreferVerticalHinting);
    QApplication::setFont(font);
    if (QApplication::style()->name() != u"fusion") {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    }
}

} // namespace dorvek::host::platform
