#include "tests/support/classic_colour_scheme.h"
#include "tests/support/scoped_locale.h"
#include "tests/support/test_application.h"
#include "tests/window/form1_fixture.h"
#include "window/dorvek_program.h"

#include <QAccessible>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <array>
#include <cstdint>
#include <functional>
#include <gtest/gtest.h>
#include <span>
#include <utility>

namespace dorvek::window {
namespace {

using namespace test_form1;

TEST_F(Form1Test, FreshStartShowsTheShippedTexts) {
    EXPECT_EQ(window_->windowTitle(), u"Dorvek Dağılım");
    EXPECT_EQ(box(lowerBox)->text(), u"-5,00");
    EXPECT_EQ(box(upperBox)->text(), u"5,00");
    EXPECT_EQ(box(resultBox)->text(), u"");
    EXPECT_EQ(qobject_cast<QPushButton*>(control(button))->text(), u"Sonuç");
    EXPECT_EQ(qobject_cast<QLabel*>(control(label))->text(), u"Standart normal olasılığı");
    EXPECT_EQ(QCoreApplication::applicationName(), u"dorvek");
    EXPECT_EQ(QCoreApplication::applicationVersion(), u"1.00");
    EXPECT_EQ(QGuiApplication::desktopFileName(), u"org.dorvek.olasiliklar");
}

struct LocaleCase {
    const char* label;
    const char* locale;
    const char* result;
};

class Form1ClickTest : public Form1Test, public ::testing::WithParamInterface<LocaleCase> {};

TEST_P(Form1ClickTest, ClickWritesTheProbabilityInTheUsersNotation) {
    const test::ScopedLocale locale(GetParam().locale);
    click();
    ASSERT_TRUE(reports_.take().isEmpty());
    EXPECT_EQ(box(resultBox)->text(), QString::fromUtf8(GetParam().result));
    // Unchanged bounds give the same text again, whatever the result box held.
    box(resultBox)->setText(QStringLiteral("eski"));
    click();
    EXPECT_EQ(box(resultBox)->text(), QString::fromUtf8(GetParam().result));
}

INSTANTIATE_TEST_SUITE_P(Locales, Form1ClickTest,
                         ::testing::Values(LocaleCase{"turkish_comma", "tr_TR.UTF-8", "1,00000"},
                                           LocaleCase{"german_comma", "de_DE.UTF-8", "1,00000"},
                                           LocaleCase{"english_point", "en_US.UTF-8", "1.00000"},
                                           LocaleCase{"c_point", "C", "1.00000"}),
                         [](const auto& info) { return std::string(info.param.label); });

struct BadBounds {
    const char* label;
    const char* lower;
    const char* upper;
    const char* text; // of the error report
};

constexpr const char* emptyBound =
    "Sınırlardan biri boş. Oraya bir sayı yazın, örneğin -1,96.\n\nHata numarası: 13";

class Form1ErrorTest : public Form1Test, public ::testing::WithParamInterface<BadBounds> {};

TEST_P(Form1ErrorTest, ErrorIsReportedAndTheBoxesKeepTheirTexts) {
    const test::ScopedLocale locale("tr_TR.UTF-8");
    click();
    ASSERT_EQ(box(resultBox)->text(), u"1,00000");

    const QString lower = QString::fromUtf8(GetParam().lower);
    const QString upper = QString::fromUtf8(GetParam().upper);
    box(lowerBox)->setText(lower);
    box(upperBox)->setText(upper);
    click();
    const QList<test::ErrorReport> shown = reports_.take();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0].title, u"Dorvek Olasılıklar");
    EXPECT_EQ(shown[0].text, QString::fromUtf8(GetParam().text));
    EXPECT_EQ(box(resultBox)->text(), u"1,00000");
    EXPECT_EQ(box(lowerBox)->text(), lower);
    EXPECT_EQ(box(upperBox)->text(), upper);

    box(lowerBox)->setText(QStringLiteral("-1"));
    box(upperBox)->setText(QStringLiteral("1"));
    click();
    EXPECT_TRUE(reports_.take().isEmpty());
    EXPECT_EQ(box(resultBox)->text(), u"0,68269");
}

INSTANTIATE_TEST_SUITE_P(
    Bounds, Form1ErrorTest,
    ::testing::Values(
        BadBounds{"emptied_lower", "", "5,00", emptyBound},
        BadBounds{"lettered_upper", "-5,00", "beş",
                  "«beş» bir sayı olarak okunamadı. Sınırı -1,96 ya da 5 gibi bir sayı olarak "
                  "yazın.\n\nHata numarası: 13"},
        BadBounds{"blanks_in_upper", "-5,00", "   ", emptyBound},
        BadBounds{"two_separators", "-5,0,0", "5,00",
                  "«-5,0,0» bir sayı olarak okunamadı. Sınırı -1,96 ya da 5 gibi bir sayı olarak "
                  "yazın.\n\nHata numarası: 13"},
        BadBounds{"overflowing_lower", "38", "5,00",
                  "Sınırlardan biri hesap için fazla büyük. Sınırların mutlak değeri en çok "
                  "yaklaşık 37,677 olabilir. Daha küçük bir sınır yazın.\n\nHata numarası: 6"}),
    [](const auto& info) { return std::string(info.param.label); });

// A bound pasted from a document carries U+2212; the result keeps the hyphen-minus.
TEST_F(Form1Test, MinusSignFromADocumentReadsAsMinus) {
    const test::ScopedLocale locale("tr_TR.UTF-8");
    box(lowerBox)->setText(QStringLiteral("−1,96"));
    box(upperBox)->setText(QStringLiteral("0"));
    click();
    EXPECT_TRUE(reports_.take().isEmpty());
    EXPECT_EQ(box(resultBox)->text(), u"0,47500");
    box(lowerBox)->setText(QStringLiteral("0"));
    box(upperBox)->setText(QStringLiteral("−1"));
    click();
    EXPECT_EQ(box(resultBox)->text(), u"-0,34134");
}

TEST_F(Form1Test, ErrorOnAFreshStartLeavesTheResultEmpty) {
    box(upperBox)->clear();
    click();
    EXPECT_EQ(reports_.take().size(), 1);
    EXPECT_EQ(box(resultBox)->text(), u"");
}

TEST_F(Form1Test, TabWalksTheFocusOrderAndBack) {
    showActive();
    const std::array<ControlName, 5> walk = {lowerBox, button, resultBox, upperBox, lowerBox};
    EXPECT_EQ(QApplication::focusWidget(), control(walk[0]));
    for (std::size_t i = 1; i < walk.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), control(walk[i])) << "after Tab " << i;
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), control(upperBox));
}

TEST_F(Form1Test, ResultBoxTakesTheFocusButNoTyping) {
    showActive();
    control(resultBox)->setFocus();
    QTest::keyClicks(control(resultBox), QStringLiteral("12"));
    EXPECT_EQ(QApplication::focusWidget(), control(resultBox));
    EXPECT_EQ(box(resultBox)->text(), u"");
}

// The pixels of a box that differ between the box with the focus and without it, and
// how many of those are the result's blue.
struct FocusSign {
    int changed = 0;
    int blue = 0;
    int tallestBlueColumn = 0;
};

FocusSign focusSign(const QImage& focused, const QImage& unfocused) {
    FocusSign sign;
    for (int x = 0; x < focused.width(); ++x) {
        int column = 0;
        for (int y = 0; y < focused.height(); ++y) {
            if (focused.pixel(x, y) == unfocused.pixel(x, y)) {
                continue;
            }
            ++sign.changed;
            if (focused.pixel(x, y) == qRgb(0, 0, 255)) {
                ++sign.blue;
                ++column;
            }
        }
        sign.tallestBlueColumn = std::max(sign.tallestBlueColumn, column);
    }
    return sign;
}

// Tab reaches the read-only result box with a sign a user sees: empty, a caret in the
// result's blue, a line most of the box high; holding a result, the result selected.
TEST_F(Form1Test, ResultBoxShowsWhereTheFocusIsWhenTabReachesIt) {
    const test::ScopedLocale locale("C.UTF-8");
    showActive();
    const auto grabbed = [this] {
        return control(resultBox)->grab().toImage().convertToFormat(QImage::Format_RGB32);
    };
    // From the lower bound box, two Tabs reach the result box.
    const auto tabTwice = [] {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    };
    const QImage emptyWithout = grabbed();
    tabTwice();
    ASSERT_EQ(QApplication::focusWidget(), control(resultBox));
    const FocusSign caret = focusSign(grabbed(), emptyWithout);
    EXPECT_GE(caret.tallestBlueColumn, 9);
    EXPECT_LE(caret.changed, 2 * control(resultBox)->height()) << "more than a caret";
    EXPECT_EQ(caret.blue, caret.changed);

    box(lowerBox)->setText(QStringLiteral("-1"));
    box(upperBox)->setText(QStringLiteral("1"));
    click();
    ASSERT_EQ(box(resultBox)->text(), u"0.68269");
    control(lowerBox)->setFocus();
    const QImage resultWithout = grabbed();
    tabTwice();
    ASSERT_EQ(QApplication::focusWidget(), control(resultBox));
    EXPECT_EQ(box(resultBox)->selectedText(), u"0.68269");
    // The selection's highlight behind the whole text.
    EXPECT_GE(focusSign(grabbed(), resultWithout).changed, 100);

    // Leaving it, the sign goes.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(focusSign(grabbed(), resultWithout).changed, 0);
}

// The window's fixed look, in the values of its design: each control's frame in
// pixels, font and colours, and the classic scheme's colours for every palette role.
struct ControlLook {
    ControlName control;
    QRect frame;
    double points; // in the stand-in face Liberation Sans
    int weight;
    QPalette::ColorRole background;
    test::Rgb backgroundColour;
    QPalette::ColorRole text;
    test::Rgb textColour;
};

struct RoleLook {
    QPalette::ColorRole role;
    test::Rgb active; // and inactive
    test::Rgb disabled;
};

TEST_F(Form1Test, LooksAsDesigned) {
    using P = QPalette;
    namespace classic = test::classic;
    // The design's own colour, beside the system colours it names by index.
    constexpr test::Rgb blue{0, 0, 255};
    const std::array<ControlLook, 7> controls = {{
        {lowerBox,
         {16, 200, 33, 13},
         8,
         400,
         P::Base,
         classic::windowBackground,
         P::Text,
         classic::windowText},
        {button,
         {344, 24, 49, 15},
         8,
         400,
         P::Button,
         classic::buttonFace,
         P::ButtonText,
         classic::buttonText},
        {resultBox, {312, 8, 81, 13}, 8.25, 700, P::Base, classic::scrollBar, P::Text, blue},
        {upperBox,
         {352, 200, 33, 13},
         8,
         400,
         P::Base,
         classic::windowBackground,
         P::Text,
         classic::windowText},
        {label, {8, 0, 129, 13}, 8, 400, P::Window, classic::windowBackground, P::WindowText, blue},
        {shape,
         {200, 8, 33, 213},
         8,
         400,
         P::Window,
         classic::buttonFace,
         P::WindowText,
         classic::buttonText},
        {image,
         {-16, -8, 436, 260},
         8,
         400,
         P::Window,
         classic::buttonFace,
         P::WindowText,
         classic::buttonText},
    }};
    // As the platform draws the same parts: windows and dialogs on the button face,
    // edit fields on the window background; disabled, grey text and edit fields on the
    // button face.
    const std::array<RoleLook, 20> roles = {{
        {P::WindowText, classic::buttonText, classic::greyText},
        {P::Button, classic::buttonFace, classic::buttonFace},
        {P::Light, classic::buttonHighlight, classic::buttonHighlight},
        {P::Midlight, classic::light3d, classic::light3d},
        {P::Dark, classic::buttonShadow, classic::buttonShadow},
        {P::Mid, classic::buttonShadow, classic::buttonShadow},
        {P::Text, classic::windowText, classic::greyText},
        {P::BrightText, classic::buttonHighlight, classic::buttonHighlight},
        {P::ButtonText, classic::buttonText, classic::greyText},
        {P::Base, classic::windowBackground, classic::buttonFace},
        {P::Window, classic::buttonFace, classic::buttonFace},
        {P::Shadow, classic::darkShadow3d, classic::darkShadow3d},
        {P::Highlight, classic::highlight, classic::highlight},
        {P::HighlightedText, classic::highlightedText, classic::highlightedText},
        {P::Link, classic::hotTrackedItem, classic::hotTrackedItem},
        {P::LinkVisited, classic::hotTrackedItem, classic::hotTrackedItem},
        {P::AlternateBase, classic::buttonFace, classic::buttonFace},
        {P::ToolTipBase, classic::toolTipBackground, classic::toolTipBackground},
        {P::ToolTipText, classic::toolTipText, classic::toolTipText},
        {P::PlaceholderText, classic::greyText, classic::greyText},
    }};

    EXPECT_EQ(window_->size(), QSize(414, 245));
    EXPECT_EQ(window_->minimumSize(), window_->maximumSize());
    // Its title bar offers minimising and closing, nothing that would resize it.
    const Qt::WindowFlags flags = window_->windowFlags();
    for (const Qt::WindowType hint :
         {Qt::CustomizeWindowHint, Qt::WindowTitleHint, Qt::WindowSystemMenuHint,
          Qt::WindowMinimizeButtonHint, Qt::WindowCloseButtonHint}) {
        EXPECT_TRUE(flags.testFlag(hint)) << hint;
    }
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    for (const RoleLook& look : roles) {
        EXPECT_EQ(test::rgbOf(window_->palette().color(P::Active, look.role)), look.active)
            << look.role;
        EXPECT_EQ(test::rgbOf(window_->palette().color(P::Inactive, look.role)), look.active)
            << look.role;
        EXPECT_EQ(test::rgbOf(window_->palette().color(P::Disabled, look.role)), look.disabled)
            << look.role;
    }
    for (const ControlLook& look : controls) {
        const QWidget* widget = control(look.control);
        ASSERT_NE(widget, nullptr) << look.control.name;
        SCOPED_TRACE(std::string(look.control.name) + " " +
                     std::to_string(look.control.element.value_or(-1)));
        EXPECT_EQ(widget->geometry(), look.frame);
        EXPECT_EQ(QFontInfo(widget->font()).family(), u"Liberation Sans");
        EXPECT_EQ(widget->font().pointSizeF(), look.points);
        EXPECT_EQ(widget->font().weight(), look.weight);
        EXPECT_EQ(test::rgbOf(widget->palette().color(look.background)), look.backgroundColour);
        EXPECT_EQ(test::rgbOf(widget->palette().color(look.text)), look.textColour);
        // Text boxes draw no frame: inside 13 pixels it would leave no room for the text.
        if (const auto* textBox = qobject_cast<const QLineEdit*>(widget)) {
            EXPECT_FALSE(textBox->hasFrame());
        }
    }
    // The label paints its own white; the picture shows through everything else's.
    EXPECT_TRUE(control(label)->autoFillBackground());
}

TEST_F(Form1Test, NoControlsOverlapButThePicture) {
    for (std::size_t i = 0; i < allControls.size(); ++i) {
        for (std::size_t j = i + 1; j < allControls.size(); ++j) {
            if (allControls[i].name == "Image1" || allControls[j].name == "Image1") {
                continue;
            }
            EXPECT_FALSE(
                control(allControls[i])->geometry().intersects(control(allControls[j])->geometry()))
                << allControls[i].name << " and " << allControls[j].name;
        }
    }
}

TEST_F(Form1Test, PictureLiesBeneathAndBoxesOnTop) {
    const QObjectList children = window_->children();
    const qsizetype picture = children.indexOf(control(image));
    for (const ControlName& name : allControls) {
        if (name.name != "Image1") {
            EXPECT_LT(picture, children.indexOf(control(name))) << name.name;
        }
    }
    EXPECT_LT(children.indexOf(control(shape)), children.indexOf(control(lowerBox)));
    EXPECT_LT(children.indexOf(control(label)), children.indexOf(control(button)));
    // A click on the bare picture reaches the window itself.
    EXPECT_EQ(window_->childAt(100, 150), nullptr);
}

TEST_F(Form1Test, PictureStaysTheSameWhateverIsTypedOrComputed) {
    const test::ScopedLocale locale("tr_TR.UTF-8");
    window_->show();
    const QImage before = control(image)->grab().toImage();
    QTest::keyClicks(box(lowerBox), QStringLiteral("1"));
    box(upperBox)->setText(QStringLiteral("0,5"));
    click();
    ASSERT_EQ(box(resultBox)->text(), u"-0,14988"); // the typed 1 replaced -5,00
    EXPECT_EQ(control(image)->grab().toImage(), before);
}

TEST_F(Form1Test, TextFitsTheThirteenPixelBoxes) {
    for (const ControlName& name : {lowerBox, upperBox, resultBox, label}) {
        const QWidget* widget = control(name);
        EXPECT_LE(QFontMetrics(widget->font()).height(), widget->height()) << name.name;
    }
    const QLabel* caption = qobject_cast<QLabel*>(control(label));
    EXPECT_LE(QFontMetrics(caption->font()).horizontalAdvance(caption->text()), caption->width());
}

TEST_F(Form1Test, ColoursAsDrawn) {
    window_->show();
    const QImage picture = window_->grab().toImage();
    // Text1's background, right of any text it could hold: the scroll bar's grey.
    EXPECT_EQ(picture.pixel(390, 14), qRgb(192, 192, 192));
    // Label1's blue caption on its own white.
    bool blueText = false;
    const QRect caption = control(label)->geometry();
    for (int y = caption.top(); y <= caption.bottom(); ++y) {
        for (int x = caption.left(); x <= caption.right(); ++x) {
            const QColor pixel = picture.pixelColor(x, y);
            blueText = blueText || (pixel.blue() > 200 && pixel.red() < 80 && pixel.green() < 80);
        }
    }
    EXPECT_TRUE(blueText);
    EXPECT_EQ(picture.pixel(caption.right(), caption.bottom()), qRgb(255, 255, 255));
    // Shape1's outline, and inside it the diagonal cross: one-pixel lines both ways.
    EXPECT_EQ(picture.pixel(200, 100), qRgb(0, 192, 192));
    const QRect inside = control(shape)->geometry().adjusted(2, 2, -2, -2);
    const auto teal = [&picture](int x, int y) {
        return picture.pixel(x, y) == qRgb(0, 192, 192);
    };
    int filled = 0;
    bool falling = false;
    bool rising = false;
    bool thick = false;
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            if (teal(x, y)) {
                ++filled;
                falling = falling || teal(x + 1, y + 1);
                rising = rising || teal(x - 1, y + 1);
                thick = thick || (teal(x - 1, y) && teal(x + 1, y)) ||
                        (teal(x, y - 1) && teal(x, y + 1));
            }
        }
    }
    EXPECT_GT(filled, inside.width() * inside.height() / 6);
    EXPECT_TRUE(falling);
    EXPECT_TRUE(rising);
    EXPECT_FALSE(thick);
}

TEST_F(Form1Test, EveryControlAScreenReaderReachesHasATurkishName) {
    QAccessibleInterface* form = QAccessible::queryAccessibleInterface(window_.get());
    ASSERT_NE(form, nullptr);
    ASSERT_EQ(form->childCount(), 6);
    for (int i = 0; i < form->childCount(); ++i) {
        EXPECT_FALSE(form->child(i)->text(QAccessible::Name).isEmpty())
            << form->child(i)->object()->objectName().toStdString();
    }
    const std::array<std::pair<ControlName, const char16_t*>, 6> names = {{
        {lowerBox, u"Alt sınır"},
        {button, u"Sonuç"},
        {resultBox, u"Olasılık"},
        {upperBox, u"Üst sınır"},
        {label, u"Standart normal olasılığı"},
        {image, u"Standart normal dağılımın eğrisi"},
    }};
    // The names Qt's tools and the picture's warnings know the controls by.
    EXPECT_EQ(control(lowerBox)->objectName(), u"Text2(0)");
    EXPECT_EQ(control(upperBox)->objectName(), u"Text2(1)");
    for (const auto& [name, expected] : names) {
        EXPECT_EQ(QAccessible::queryAccessibleInterface(control(name))->text(QAccessible::Name),
                  QString::fromUtf16(expected))
            << name.name;
    }
}

// The rectangle is decoration: a screen reader walking the window meets every other
// control once, in the window's own order, and never the rectangle; the curve is an
// image with its name.
TEST_F(Form1Test, ScreenReadersAreNotToldOfTheRectangle) {
    window_->show();
    QAccessibleInterface* form = QAccessible::queryAccessibleInterface(window_.get());
    ASSERT_NE(form, nullptr);
    QStringList met;
    for (int i = 0; i < form->childCount(); ++i) {
        QAccessibleInterface* child = form->child(i);
        ASSERT_NE(child, nullptr) << i;
        met << child->object()->objectName();
        EXPECT_EQ(form->indexOfChild(child), i) << i;
        EXPECT_EQ(child->parent(), form) << i;
    }
    met.sort();
    EXPECT_EQ(met, (QStringList{QStringLiteral("Command1"), QStringLiteral("Image1"),
                                QStringLiteral("Label1"), QStringLiteral("Text1"),
                                QStringLiteral("Text2(0)"), QStringLiteral("Text2(1)")}));
    EXPECT_EQ(form->child(6), nullptr);
    EXPECT_EQ(form->child(-1), nullptr);
    EXPECT_EQ(form->indexOfChild(QAccessible::queryAccessibleInterface(control(shape))), -1);
    EXPECT_EQ(form->indexOfChild(nullptr), -1);

    QAccessibleInterface* curve = QAccessible::queryAccessibleInterface(control(image));
    EXPECT_EQ(curve->role(), QAccessible::Graphic);
}

// The window is a frame, and only the boxes a user types into are editable.
TEST_F(Form1Test, ScreenReadersAreToldWhatEachBoxAllows) {
    EXPECT_EQ(QAccessible::queryAccessibleInterface(window_.get())->role(), QAccessible::Window);
    struct Box {
        ControlName name;
        bool editable;
    };
    for (const Box& row : {Box{lowerBox, true}, Box{resultBox, false}, Box{upperBox, true}}) {
        QAccessibleInterface* box = QAccessible::queryAccessibleInterface(control(row.name));
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->role(), QAccessible::EditableText) << row.name.name;
        EXPECT_TRUE(box->state().selectableText) << row.name.name;
        EXPECT_EQ(box->state().editable, row.editable) << row.name.name;
        EXPECT_EQ(box->state().readOnly, !row.editable) << row.name.name;
        EXPECT_EQ(box->editableTextInterface() != nullptr, row.editable) << row.name.name;
        ASSERT_NE(box->textInterface(), nullptr);
        EXPECT_EQ(box->textInterface()->text(0, box->textInterface()->characterCount()),
                  qobject_cast<QLineEdit*>(control(row.name))->text());
    }
}

// A screen reader edits a bound as typing would, selects, moves the cursor and finds
// the characters on the screen; the result it can only read.
TEST_F(Form1Test, ScreenReadersEditAndSelectTheBoundsText) {
    window_->show();
    QAccessibleInterface* lower = QAccessible::queryAccessibleInterface(control(lowerBox));
    ASSERT_NE(lower, nullptr);
    QAccessibleEditableTextInterface* editing = lower->editableTextInterface();
    QAccessibleTextInterface* reading = lower->textInterface();
    ASSERT_NE(editing, nullptr);
    ASSERT_NE(reading, nullptr);
    struct Edit {
        const char* name;
        std::function<void()> edit;
        const char16_t* text; // from "-5,00"
    };
    const Edit edits[] = {
        {"delete", [&] { editing->deleteText(1, 3); }, u"-00"},
        {"insert", [&] { editing->insertText(1, QStringLiteral("1")); }, u"-15,00"},
        {"replace", [&] { editing->replaceText(1, 3, QStringLiteral("7")); }, u"-700"},
        {"value", [&] { lower->setText(QAccessible::Value, QStringLiteral("2,5")); }, u"2,5"},
        {"name", [&] { lower->setText(QAccessible::Name, QStringLiteral("2,5")); }, u"-5,00"},
    };
    for (const Edit& row : edits) {
        box(lowerBox)->setText(QStringLiteral("-5,00"));
        row.edit();
        EXPECT_EQ(box(lowerBox)->text(), QString::fromUtf16(row.text)) << row.name;
        EXPECT_EQ(lower->text(QAccessible::Value), QString::fromUtf16(row.text)) << row.name;
    }

    box(lowerBox)->setText(QStringLiteral("-5,00"));
    const auto selection = [&](int index) {
        int start = -1;
        int end = -1;
        reading->selection(index, &start, &end);
        return std::pair(start, end);
    };
    reading->addSelection(1, 3);
    EXPECT_EQ(box(lowerBox)->selectedText(), u"5,");
    EXPECT_EQ(reading->selectionCount(), 1);
    EXPECT_EQ(selection(0), std::pair(1, 3));
    EXPECT_EQ(selection(1), std::pair(0, 0));
    reading->setSelection(0, 2, 5);
    EXPECT_EQ(box(lowerBox)->selectedText(), u",00");
    reading->removeSelection(0);
    EXPECT_EQ(reading->selectionCount(), 0);
    EXPECT_EQ(selection(0), std::pair(0, 0));
    reading->setCursorPosition(4);
    EXPECT_EQ(box(lowerBox)->cursorPosition(), 4);
    EXPECT_EQ(reading->cursorPosition(), 4);
    reading->scrollToSubstring(1, 3);
    EXPECT_EQ(reading->cursorPosition(), 1);
    EXPECT_EQ(reading->characterCount(), 5);
    EXPECT_EQ(reading->text(1, 3), u"5,");
    int start = -1;
    int end = -1;
    EXPECT_EQ(reading->attributes(2, &start, &end), u"");
    EXPECT_EQ(std::pair(start, end), std::pair(0, 5));

    // Each character's cell follows the one before, in the box; there is none beyond
    // either end. A point at the box's left edge is before the text, at its right after.
    EXPECT_TRUE(reading->characterRect(-1).isNull());
    EXPECT_TRUE(reading->characterRect(5).isNull());
    const QRect boxOnScreen(control(lowerBox)->mapToGlobal(QPoint(0, 0)),
                            control(lowerBox)->size());
    for (int offset = 0; offset < 5; ++offset) {
        const QRect cell = reading->characterRect(offset);
        EXPECT_GT(cell.width(), 1) << offset;
        EXPECT_TRUE(boxOnScreen.contains(cell.topLeft())) << offset;
        if (offset > 0) {
            EXPECT_EQ(cell.left(), reading->characterRect(offset - 1).right() + 1) << offset;
        }
    }
    EXPECT_EQ(reading->offsetAtPoint(boxOnScreen.topLeft() + QPoint(0, 6)), 0);
    EXPECT_EQ(reading->offsetAtPoint(boxOnScreen.topRight() + QPoint(0, 6)), 5);

    QAccessibleInterface* result = QAccessible::queryAccessibleInterface(control(resultBox));
    result->setText(QAccessible::Value, QStringLiteral("1"));
    EXPECT_EQ(box(resultBox)->text(), u"");
}

// The icon's opaque pixels row by row, the leftmost pixel in the highest bit: a tick,
// black, with one dark grey pixel at 16 pixels that softens its tip.
constexpr std::array<std::uint32_t, 32> tick32 = {
    0x00000000, 0x00000000, 0x00000000, 0x00000004, 0x00000008, 0x00000008, 0x00000010, 0x00000030,
    0x00000020, 0x00000060, 0x000000C0, 0x000000C0, 0x00000180, 0x00000380, 0x00000300, 0x00000700,
    0x00000E00, 0x0E000C00, 0x0F001C00, 0x0F003800, 0x07803800, 0x03C07000, 0x01E0F000, 0x00F0E000,
    0x0079E000, 0x003FC000, 0x001FC000, 0x000F8000, 0x000F0000, 0x00070000, 0x00000000, 0x00000000};
constexpr std::array<std::uint32_t, 16> tick16 = {0x0000, 0x0002, 0x0006, 0x0004, 0x000C, 0x0008,
                                                  0x0018, 0x0030, 0x0030, 0x3060, 0x3860, 0x1CC0,
                                                  0x0EC0, 0x0780, 0x0380, 0x0100};

void expectTick(const QIcon& icon, std::span<const std::uint32_t> rows, QPoint grey) {
    const int side = static_cast<int>(rows.size());
    EXPECT_TRUE(icon.availableSizes().contains(QSize(side, side)));
    const QImage image = icon.pixmap(side, side).toImage().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(image.size(), QSize(side, side));
    for (int y = 0; y < side; ++y) {
        std::uint32_t opaque = 0;
        for (int x = 0; x < side; ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qAlpha(pixel) == 255) {
                opaque |= 1u << (side - 1 - x);
                EXPECT_EQ(pixel, QPoint(x, y) == grey ? qRgb(128, 128, 128) : qRgb(0, 0, 0))
                    << x << "," << y;
            } else {
                EXPECT_EQ(qAlpha(pixel), 0) << x << "," << y;
            }
        }
        EXPECT_EQ(opaque, rows[static_cast<std::size_t>(y)]) << side << " pixels, row " << y;
    }
}

TEST_F(Form1Test, IconHasTheTickAtBothSizes) {
    expectTick(window_->windowIcon(), tick32, QPoint(-1, -1));
    expectTick(window_->windowIcon(), tick16, QPoint(13, 4));
}

} // namespace
} // namespace dorvek::window
