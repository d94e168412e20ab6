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
#include <gtest/gtest.h>

namespace dorvek::window {
namespace {

using namespace test_form1;

TEST_F(Form1Test, FreshStartShowsTheShippedTexts) {
    EXPECT_EQ(window_->windowTitle(), u"Dorvek Dağılım");
    EXPECT_EQ(box(lowerBox)->text(), u"-5,00");
    EXPECT_EQ(box(upperBox)->text(), u"5,00");
    EXPECT_EQ(box(resultBox)->text(), u"");
    EXPECT_EQ(qobject_cast<QPushButton*>(control(button))->text(), u"Sonuç");
    EXPECT_EQ(qobject_cast<QLabel*>(control(label))->text().size(), 25);
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

constexpr const char* typeMismatch = "Çalışma hatası 13:\n\nTür uyuşmazlığı";

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
    ::testing::Values(BadBounds{"emptied_lower", "", "5,00", typeMismatch},
                      BadBounds{"lettered_upper", "-5,00", "beş", typeMismatch},
                      BadBounds{"blanks_in_upper", "-5,00", "   ", typeMismatch},
                      BadBounds{"two_separators", "-5,0,0", "5,00", typeMismatch},
                      BadBounds{"overflowing_lower", "38", "5,00", "Çalışma hatası 6:\n\nTaşma"}),
    [](const auto& info) { return std::string(info.param.label); });

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

// The window's fixed look, in the values of its design: each control's frame in
// pixels, font and colours, and the classic scheme's colours for every palette role.
struct ControlLook {
    ControlName control;
    QRect frame;
    double points; // in the stand-in face Liberation Sans
    bool bold;
    QPalette::ColorRole background;
    QRgb backgroundColour;
    QPalette::ColorRole text;
    QRgb textColour;
};

struct RoleLook {
    QPalette::ColorRole role;
    QRgb active; // and inactive
    QRgb disabled;
};

TEST_F(Form1Test, LooksAsDesigned) {
    using P = QPalette;
    const std::array<ControlLook, 7> controls = {{
        {lowerBox, {16, 200, 33, 13}, 8, false, P::Base, 0xFFFFFF, P::Text, 0x000000},
        {button, {344, 24, 49, 15}, 8, false, P::Button, 0xC0C0C0, P::ButtonText, 0x000000},
        {resultBox, {312, 8, 81, 13}, 8.25, true, P::Base, 0xC0C0C0, P::Text, 0x0000FF},
        {upperBox, {352, 200, 33, 13}, 8, false, P::Base, 0xFFFFFF, P::Text, 0x000000},
        {label, {8, 0, 129, 13}, 8, false, P::Window, 0xFFFFFF, P::WindowText, 0x0000FF},
        {shape, {200, 8, 33, 213}, 8, false, P::Window, 0xC0C0C0, P::WindowText, 0x000000},
        {image, {-16, -8, 436, 260}, 8, false, P::Window, 0xC0C0C0, P::WindowText, 0x000000},
    }};
    const std::array<RoleLook, 20> roles = {{
        {P::WindowText, 0x000000, 0x808080},    {P::Button, 0xC0C0C0, 0xC0C0C0},
        {P::Light, 0xFFFFFF, 0xFFFFFF},         {P::Midlight, 0xC0C0C0, 0xC0C0C0},
        {P::Dark, 0x808080, 0x808080},          {P::Mid, 0x808080, 0x808080},
        {P::Text, 0x000000, 0x808080},          {P::BrightText, 0xFFFFFF, 0xFFFFFF},
        {P::ButtonText, 0x000000, 0x808080},    {P::Base, 0xFFFFFF, 0xC0C0C0},
        {P::Window, 0xC0C0C0, 0xC0C0C0},        {P::Shadow, 0x000000, 0x000000},
        {P::Highlight, 0x000080, 0x000080},     {P::HighlightedText, 0xFFFFFF, 0xFFFFFF},
        {P::Link, 0x0000FF, 0x0000FF},          {P::LinkVisited, 0x0000FF, 0x0000FF},
        {P::AlternateBase, 0xC0C0C0, 0xC0C0C0}, {P::ToolTipBase, 0xFFFFE1, 0xFFFFE1},
        {P::ToolTipText, 0x000000, 0x000000},   {P::PlaceholderText, 0x808080, 0x808080},
    }};
    const auto rgb = [](const QColor& colour) {
        return colour.rgb() & 0xFFFFFF;
    };

    EXPECT_EQ(window_->size(), QSize(414, 245));
    for (const RoleLook& look : roles) {
        EXPECT_EQ(rgb(window_->palette().color(P::Active, look.role)), look.active) << look.role;
        EXPECT_EQ(rgb(window_->palette().color(P::Inactive, look.role)), look.active) << look.role;
        EXPECT_EQ(rgb(window_->palette().color(P::Disabled, look.role)), look.disabled)
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
        EXPECT_EQ(widget->font().bold(), look.bold);
        EXPECT_EQ(rgb(widget->palette().color(look.background)), look.backgroundColour);
        EXPECT_EQ(rgb(widget->palette().color(look.text)), look.textColour);
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
    // Shape1's outline.
    EXPECT_EQ(picture.pixel(200, 100), qRgb(0, 192, 192));
}

TEST_F(Form1Test, EveryControlAScreenReaderReachesHasATurkishName) {
    QAccessibleInterface* form = QAccessible::queryAccessibleInterface(window_.get());
    ASSERT_NE(form, nullptr);
    ASSERT_EQ(form->childCount(), 7);
    for (int i = 0; i < form->childCount(); ++i) {
        EXPECT_FALSE(form->child(i)->text(QAccessible::Name).isEmpty())
            << form->child(i)->object()->objectName().toStdString();
    }
    EXPECT_EQ(control(lowerBox)->accessibleName(), u"Alt sınır");
    EXPECT_EQ(control(upperBox)->accessibleName(), u"Üst sınır");
    EXPECT_EQ(control(button)->accessibleName(), u"Sonuç");
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
        EXPECT_EQ(box->state().editable, row.editable) << row.name.name;
        EXPECT_EQ(box->state().readOnly, !row.editable) << row.name.name;
        EXPECT_EQ(box->editableTextInterface() != nullptr, row.editable) << row.name.name;
        ASSERT_NE(box->textInterface(), nullptr);
        EXPECT_EQ(box->textInterface()->text(0, box->textInterface()->characterCount()),
                  qobject_cast<QLineEdit*>(control(row.name))->text());
    }
}

// The icon's opaque pixels: position and colour.
struct IconPixels {
    QImage image;

    bool opaque(int x, int y) const { return qAlpha(image.pixel(x, y)) == 255; }
    QRgb colour(int x, int y) const { return image.pixel(x, y); }
    int opaqueInRow(int y) const {
        int count = 0;
        for (int x = 0; x < image.width(); ++x) {
            count += opaque(x, y) ? 1 : 0;
        }
        return count;
    }
};

IconPixels iconAt(const QIcon& icon, int size) {
    return {icon.pixmap(size, size).toImage().convertToFormat(QImage::Format_ARGB32)};
}

TEST_F(Form1Test, IconHasTheTickAtBothSizes) {
    const QIcon icon = window_->windowIcon();
    EXPECT_TRUE(icon.availableSizes().contains(QSize(32, 32)));
    EXPECT_TRUE(icon.availableSizes().contains(QSize(16, 16)));

    const IconPixels large = iconAt(icon, 32);
    ASSERT_EQ(large.image.size(), QSize(32, 32));
    for (const QPoint point : {QPoint(5, 18), QPoint(14, 28), QPoint(29, 3), QPoint(10, 24)}) {
        EXPECT_TRUE(large.opaque(point.x(), point.y())) << point.x() << "," << point.y();
    }
    for (const QPoint corner : {QPoint(0, 0), QPoint(31, 0), QPoint(0, 31), QPoint(31, 31)}) {
        EXPECT_FALSE(large.opaque(corner.x(), corner.y())) << corner.x() << "," << corner.y();
    }
    int opaquePixels = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            if (large.opaque(x, y)) {
                ++opaquePixels;
                EXPECT_EQ(large.colour(x, y), qRgb(0, 0, 0)) << x << "," << y;
            }
        }
    }
    EXPECT_GT(opaquePixels, 80);
    EXPECT_LT(opaquePixels, 200);
    EXPECT_EQ(large.opaqueInRow(3), 1);  // the tip, one pixel thin
    EXPECT_GE(large.opaqueInRow(20), 6); // both arms, three or four pixels each
    EXPECT_EQ(large.opaqueInRow(31), 0);

    const IconPixels small = iconAt(icon, 16);
    ASSERT_EQ(small.image.size(), QSize(16, 16));
    for (const QPoint point : {QPoint(2, 9), QPoint(7, 14), QPoint(14, 1)}) {
        EXPECT_TRUE(small.opaque(point.x(), point.y())) << point.x() << "," << point.y();
    }
    int grey = 0;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            if (small.opaque(x, y) && small.colour(x, y) != qRgb(0, 0, 0)) {
                ++grey;
                EXPECT_EQ(small.colour(x, y), qRgb(128, 128, 128)) << x << "," << y;
            }
        }
    }
    EXPECT_EQ(grey, 1);
}

} // namespace
} // namespace dorvek::window
