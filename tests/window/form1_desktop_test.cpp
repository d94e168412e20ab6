// Form1 as a desktop user meets it: the keyboard, typing at start-up, copying a number,
// a dark desktop theme, Qt's own texts, long pasted bounds and boxes narrower than
// their text.

#include "tests/support/scoped_locale.h"
#include "tests/window/form1_fixture.h"

#include <QClipboard>
#include <QFile>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <memory>

namespace dorvek::window {
namespace {

using namespace test_form1;

// --- Return and keypad Enter on the focused button -------------------------------

struct ChoosingKey {
    const char* label;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
};

class Form1ChoosingKeyTest : public Form1Test, public ::testing::WithParamInterface<ChoosingKey> {};

TEST_P(Form1ChoosingKeyTest, KeyOnTheFocusedButtonComputes) {
    const test::ScopedLocale locale("tr_TR.UTF-8");
    showActive();
    box(lowerBox)->setText(QStringLiteral("-1"));
    box(upperBox)->setText(QStringLiteral("1"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), control(button));
    QTest::keyClick(control(button), GetParam().key, GetParam().modifiers);
    EXPECT_TRUE(reports_.take().isEmpty());
    EXPECT_EQ(box(resultBox)->text(), u"0,68269");
}

INSTANTIATE_TEST_SUITE_P(Keys, Form1ChoosingKeyTest,
                         ::testing::Values(ChoosingKey{"return", Qt::Key_Return, Qt::NoModifier},
                                           ChoosingKey{"keypad_enter", Qt::Key_Enter,
                                                       Qt::KeypadModifier},
                                           ChoosingKey{"space", Qt::Key_Space, Qt::NoModifier}),
                         [](const auto& info) { return std::string(info.param.label); });

// --- Typing at start-up --------------------------------------------------------------

// Keys go wherever the focus is, as a user's do.
void typeIntoFocus(const QString& keys) {
    QTest::keyClicks(QApplication::focusWidget(), keys);
}
void pressOnFocus(Qt::Key key) {
    QTest::keyClick(QApplication::focusWidget(), key);
}

TEST_F(Form1Test, TypingAtStartUpReplacesTheShippedBound) {
    const test::ScopedLocale locale("tr_TR.UTF-8");
    showActive();
    typeIntoFocus(QStringLiteral("2"));
    for (int i = 0; i < 3; ++i) {
        pressOnFocus(Qt::Key_Tab);
    }
    typeIntoFocus(QStringLiteral("3"));
    pressOnFocus(Qt::Key_Backtab);
    pressOnFocus(Qt::Key_Backtab);
    ASSERT_EQ(QApplication::focusWidget(), control(button));
    pressOnFocus(Qt::Key_Return);
    EXPECT_TRUE(reports_.take().isEmpty());
    EXPECT_EQ(box(lowerBox)->text(), u"2");
    EXPECT_EQ(box(upperBox)->text(), u"3");
    EXPECT_EQ(box(resultBox)->text(), u"0,02140"); // not 0,99865, from -5,002 and 3
}

// --- Copying a number -----------------------------------------------------------------

struct CopyCase {
    const char* label;
    const char* locale;
    const char* lower;
    const char* upper;
    const char* result;
};

class Form1CopyTest : public Form1Test, public ::testing::WithParamInterface<CopyCase> {};

// A point over the box's text just after its last decimal separator, where Qt's own
// word selection would start the word.
QPoint pointAfterSeparator(QLineEdit* edit) {
    const qsizetype separator =
        edit->text().lastIndexOf(QRegularExpression(QStringLiteral("[,.]")));
    for (int x = 0; x < edit->width(); ++x) {
        const QPoint point(x, edit->height() / 2);
        if (edit->cursorPositionAt(point) > separator + 1) {
            return point;
        }
    }
    ADD_FAILURE() << "no point after the separator of " << edit->text().toStdString();
    return {};
}

TEST_P(Form1CopyTest, DoubleAndTripleClickSelectAndCopyTheWholeNumber) {
    const test::ScopedLocale locale(GetParam().locale);
    showActive();
    box(lowerBox)->setText(QString::fromUtf8(GetParam().lower));
    box(upperBox)->setText(QString::fromUtf8(GetParam().upper));
    click();
    ASSERT_EQ(box(resultBox)->text(), QString::fromUtf8(GetParam().result));

    for (const ControlName name : {resultBox, lowerBox}) {
        QLineEdit* edit = box(name);
        const QString whole = edit->text();
        const QPoint point = pointAfterSeparator(edit);
        QTest::mouseDClick(edit, Qt::LeftButton, Qt::NoModifier, point);
        EXPECT_EQ(edit->selectedText(), whole) << "double-click in " << name.name;
        QGuiApplication::clipboard()->clear();
        QTest::keySequence(edit, QKeySequence::Copy);
        EXPECT_EQ(QGuiApplication::clipboard()->text(), whole) << "copied from " << name.name;

        edit->deselect();
        QTest::mouseDClick(edit, Qt::LeftButton, Qt::NoModifier, point);
        QTest::mouseClick(edit, Qt::LeftButton, Qt::NoModifier, point);
        EXPECT_EQ(edit->selectedText(), whole) << "triple-click in " << name.name;
    }
}

// The run of non-blank characters under the pointer, and only for the left button.
TEST_F(Form1Test, DoubleClickSelectsBetweenBlanks) {
    showActive();
    QLineEdit* edit = box(lowerBox);
    edit->setText(QStringLiteral("1 -2,5\u00A03")); // a no-break space is a blank too
    QPoint inside;
    for (int x = 0; x < edit->width() && inside.isNull(); ++x) {
        if (edit->cursorPositionAt(QPoint(x, edit->height() / 2)) == 4) {
            inside = QPoint(x, edit->height() / 2);
        }
    }
    ASSERT_FALSE(inside.isNull());
    edit->deselect();
    QMouseEvent right(QEvent::MouseButtonDblClick, inside, edit->mapToGlobal(inside),
                      Qt::RightButton, Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(edit, &right);
    EXPECT_FALSE(edit->hasSelectedText());
    QTest::mouseDClick(edit, Qt::LeftButton, Qt::NoModifier, inside);
    EXPECT_EQ(edit->selectedText(), u"-2,5");
}

INSTANTIATE_TEST_SUITE_P(
    Locales, Form1CopyTest,
    ::testing::Values(CopyCase{"turkish_comma", "tr_TR.UTF-8", "-1,5", "5", "0,93319"},
                      CopyCase{"english_point", "en_US.UTF-8", "-1.5", "5", "0.93319"},
                      CopyCase{"negative_result", "tr_TR.UTF-8", "1,5", "-1", "-0,77454"}),
    [](const auto& info) { return std::string(info.param.label); });

// --- A dark desktop theme ---------------------------------------------------------

// The desktop's style and palette for the life of the object.
class ScopedDesktopTheme {
public:
    ScopedDesktopTheme(const char* style, const QPalette& palette)
        : previousStyle_(QApplication::style()->name()), previousPalette_(QApplication::palette()) {
        QApplication::setStyle(QStyleFactory::create(QString::fromLatin1(style)));
        QApplication::setPalette(palette);
    }
    ~ScopedDesktopTheme() {
        QApplication::setStyle(QStyleFactory::create(previousStyle_));
        QApplication::setPalette(previousPalette_);
    }
    ScopedDesktopTheme(const ScopedDesktopTheme&) = delete;
    ScopedDesktopTheme& operator=(const ScopedDesktopTheme&) = delete;

private:
    QString previousStyle_;
    QPalette previousPalette_;
};

// A dark theme as the issue met it: dark grey windows and fields, light text.
QPalette darkPalette() {
    QPalette palette(QColor(53, 53, 53), QColor(36, 36, 36));
    palette.setColor(QPalette::Base, QColor(42, 42, 42));
    palette.setColor(QPalette::AlternateBase, QColor(66, 66, 66));
    palette.setColor(QPalette::Text, QColor(230, 230, 230));
    palette.setColor(QPalette::WindowText, QColor(230, 230, 230));
    palette.setColor(QPalette::ButtonText, QColor(230, 230, 230));
    palette.setColor(QPalette::Midlight, QColor(36, 36, 36));
    return palette;
}

// The relative luminance and contrast ratio of the web's accessibility guidelines.
double luminance(QColor colour) {
    const auto channel = [](double value) {
        return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) +
           0.0722 * channel(colour.blueF());
}

double contrast(QColor a, QColor b) {
    const double lighter = std::max(luminance(a), luminance(b));
    const double darker = std::min(luminance(a), luminance(b));
    return (lighter + 0.05) / (darker + 0.05);
}

// A text as drawn: its background is the commonest colour of its frame, and the
// contrast is that of the pixel that stands out most; glyphs' edges are blends.
struct DrawnText {
    QColor background;
    double contrast = 1.0;
    int inkedPixels = 0; // pixels clearly apart from the background
};

DrawnText measureText(const QImage& image, const QRect& frame) {
    std::map<QRgb, int> counts;
    for (int y = frame.top(); y <= frame.bottom(); ++y) {
        for (int x = frame.left(); x <= frame.right(); ++x) {
            ++counts[image.pixel(x, y)];
        }
    }
    DrawnText text;
    text.background =
        QColor(std::max_element(counts.begin(), counts.end(), [](const auto& a, const auto& b) {
                   return a.second < b.second;
               })->first);
    for (const auto& [pixel, count] : counts) {
        const double ratio = contrast(QColor(pixel), text.background);
        text.contrast = std::max(text.contrast, ratio);
        text.inkedPixels += ratio > 1.5 ? count : 0;
    }
    return text;
}

struct DesktopTheme {
    const char* label;
    const char* style;
};

class Form1DarkThemeTest : public Form1Test, public ::testing::WithParamInterface<DesktopTheme> {};

TEST_P(Form1DarkThemeTest, BlueTextsKeepTheirContrastAndControlsStayLight) {
    const test::ScopedLocale locale("tr_TR.UTF-8");
    const ScopedDesktopTheme theme(GetParam().style, darkPalette());
    rebuild();
    window_->show();
    QTest::mouseClick(control(button), Qt::LeftButton);
    ASSERT_EQ(box(resultBox)->text(), u"1,00000");
    const QImage picture = window_->grab().toImage();

    for (const ControlName name : {label, resultBox}) {
        const DrawnText text = measureText(picture, control(name)->geometry());
        EXPECT_GE(text.contrast, 4.5)
            << name.name << " on " << text.background.name().toStdString();
        EXPECT_GT(text.inkedPixels, 20) << name.name;
    }
    // The bound boxes and the button stay light, like the picture they stand on.
    for (const QPoint point : {QPoint(46, 206), QPoint(382, 206), QPoint(348, 31)}) {
        EXPECT_GT(luminance(picture.pixelColor(point)), 0.4) << point.x() << "," << point.y();
    }
}

INSTANTIATE_TEST_SUITE_P(Styles, Form1DarkThemeTest,
                         ::testing::Values(DesktopTheme{"fusion", "Fusion"},
                                           DesktopTheme{"windows", "Windows"}),
                         [](const auto& info) { return std::string(info.param.label); });

// --- Qt's own texts ----------------------------------------------------------------

TEST_F(Form1Test, BoundBoxContextMenuSpeaksTurkish) {
    const QString translations = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!QFile::exists(translations + QStringLiteral("/qtbase_tr.qm"))) {
        GTEST_SKIP() << "no qtbase_tr.qm in " << translations.toStdString()
                     << " (Debian package qt6-translations-l10n)";
    }
    const std::unique_ptr<QMenu> menu(box(lowerBox)->createStandardContextMenu());
    QStringList texts;
    for (const QAction* action : menu->actions()) {
        if (!action->isSeparator()) {
            texts << action->text().section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&'));
        }
    }
    EXPECT_TRUE(texts.contains(QStringLiteral("Yapıştır"))) << texts.join(u'|').toStdString();
    EXPECT_FALSE(texts.contains(QStringLiteral("Paste"))) << texts.join(u'|').toStdString();
}

// --- A long pasted bound ------------------------------------------------------------

// 70,000 zeros and a one: a bound of 1 longer than any 16-bit limit for a line.
TEST_F(Form1Test, LongPastedBoundIsReadWholeOrRefused) {
    const test::ScopedLocale locale("tr_TR.UTF-8");
    showActive();
    const QString upper = QString(70000, QLatin1Char('0')) + QLatin1Char('1');
    box(lowerBox)->setText(QStringLiteral("-1,96"));
    QGuiApplication::clipboard()->setText(upper);
    box(upperBox)->setFocus();
    box(upperBox)->selectAll();
    QTest::keySequence(box(upperBox), QKeySequence::Paste);
    EXPECT_EQ(box(upperBox)->text().size(), upper.size());
    EXPECT_TRUE(box(upperBox)->text() == upper);

    QTest::mouseClick(control(button), Qt::LeftButton);
    // What dorvek-calc prints for the same two texts, or an error and no result.
    if (reports_.take().isEmpty()) {
        EXPECT_EQ(box(resultBox)->text(), u"0,81635");
    } else {
        EXPECT_EQ(box(resultBox)->text(), u"");
    }
}

// --- Boxes narrower than their text -------------------------------------------------

// The columns of a box's image up to the last one that differs from its background.
QImage inkedStart(const QImage& image) {
    const QRgb background = image.pixel(image.width() - 1, image.height() / 2);
    int last = 0;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            if (image.pixel(x, y) != background) {
                last = x;
            }
        }
    }
    return image.copy(0, 0, last + 1, image.height());
}

// Takes the focus from the box and keeps it away while the result lives.
using FocusThief = std::unique_ptr<QWidget> (*)(QLineEdit* box);

std::unique_ptr<QWidget> pressTab(QLineEdit* box) {
    QTest::keyClick(box, Qt::Key_Tab);
    return nullptr;
}

// Another application's window, as far as the focus is concerned.
std::unique_ptr<QWidget> activateAnotherWindow(QLineEdit*) {
    auto other = std::make_unique<QWidget>();
    other->show();
    other->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(other.get()));
    return other;
}

std::unique_ptr<QWidget> openContextMenu(QLineEdit* box) {
    std::unique_ptr<QWidget> menu(box->createStandardContextMenu());
    qobject_cast<QMenu*>(menu.get())->popup(box->mapToGlobal(QPoint(2, 2)));
    EXPECT_TRUE(QTest::qWaitForWindowExposed(menu.get()));
    return menu;
}

struct FocusLoss {
    const char* label;
    FocusThief thief;
    bool showsStart; // or stays where the user was, to go on there on coming back
};

class Form1FocusLossTest : public Form1Test, public ::testing::WithParamInterface<FocusLoss> {};

TEST_P(Form1FocusLossTest, BoundBoxShowsTheStartOfItsTextOnlyWhenLeftForGood) {
    showActive();
    QLineEdit* lower = box(lowerBox);
    ASSERT_EQ(QApplication::focusWidget(), lower);
    lower->selectAll();
    QTest::keyClicks(lower, QStringLiteral("-1,96543"));
    ASSERT_GT(lower->fontMetrics().horizontalAdvance(lower->text()), lower->width());
    const std::unique_ptr<QWidget> elsewhere = GetParam().thief(lower);
    EXPECT_EQ(lower->cursorPosition(), GetParam().showsStart ? 0 : 8);
    EXPECT_FALSE(lower->hasSelectedText());
    const QImage left = lower->grab().toImage();

    // The same box showing no more than the start, which fits whole.
    lower->setText(QStringLiteral("-1,"));
    const QImage start = inkedStart(lower->grab().toImage());
    ASSERT_GT(start.width(), 5);
    EXPECT_EQ(left.copy(start.rect()) == start, GetParam().showsStart);
}

INSTANTIATE_TEST_SUITE_P(Ways, Form1FocusLossTest,
                         ::testing::Values(FocusLoss{"tab", pressTab, true},
                                           FocusLoss{"another_application", activateAnotherWindow,
                                                     false},
                                           FocusLoss{"context_menu", openContextMenu, false}),
                         [](const auto& info) { return std::string(info.param.label); });

} // namespace
} // namespace dorvek::window
