#include "host/runtime/error.h"
#include "host/runtime/program_description.h"
#include "host/widgets/form_window.h"
#include "host/widgets/startup_failure.h"
#include "tests/support/error_reports.h"
#include "tests/support/expect_error.h"
#include "tests/support/scoped_locale.h"
#include "tests/support/test_application.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <array>
#include <gtest/gtest.h>
#include <stdexcept>

namespace dorvek::host {
namespace {

constexpr ProgramDescription program = {.title = "Test Programı", .version = "1.00"};

// Copies the first bound into the edit box, or fails when the bound says so.
void copyOrFail(FormControls& controls) {
    const QString bound = controls.text("Bound", 0);
    if (bound == u"hata") {
        raise(ErrorKind::TypeMismatch, bound);
    }
    controls.setText("Edit", std::nullopt, bound);
}

void readUnknownControl(FormControls& controls) {
    controls.text("Nothing", std::nullopt);
}

// Listed out of stacking and focus order on purpose: the host must sort both.
// Edit overlaps Shape, and Picture lies under everything.
constexpr std::array<ControlDescription, 7> controls = {{
    {.kind = ControlKind::TextBox,
     .name = "Edit",
     .frame = {150, 150, 450, 195},
     .text = "ilk",
     .focusOrder = 2,
     .stacking = Stacking::OnTop},
    {.kind = ControlKind::Shape,
     .name = "Shape",
     .frame = {300, 0, 450, 1500},
     .stacking = Stacking::OverPicture,
     .shape = {.colour = Colour::rgb(0, 192, 192), .style = 7}},
    {.kind = ControlKind::TextBox,
     .name = "Bound",
     .element = 1,
     .frame = {1500, 0, 450, 195},
     .text = "bir",
     .focusOrder = 3},
    {.kind = ControlKind::Label,
     .name = "Caption",
     .frame = {0, 1500, 900, 195},
     .text = "Etiket",
     .focusOrder = 1},
    {.kind = ControlKind::CommandButton,
     .name = "Go",
     .frame = {1500, 600, 600, 300},
     .text = "Git",
     .focusOrder = 4},
    {.kind = ControlKind::Image,
     .name = "Picture",
     .frame = {-150, -150, 3300, 2100},
     .stacking = Stacking::Backdrop},
    {.kind = ControlKind::TextBox,
     .name = "Bound",
     .element = 0,
     .frame = {1500, 300, 450, 195},
     .text = "sıfır",
     .focusOrder = 0},
}};

FormDescription formWithClick(const std::array<EventHandlerDescription, 1>& handlers) {
    return {.name = "TestForm",
            .caption = "Deneme",
            .clientWidth = 3000,
            .clientHeight = 1800,
            .controls = controls,
            .eventHandlers = handlers};
}

class FormWindowTest : public ::testing::Test {
protected:
    void SetUp() override { test::testApplication(); }

    void build(EventHandler handler = &copyOrFail) {
        handlers_ = {{{.control = "Go", .handler = handler}}};
        form_ = formWithClick(handlers_);
        window_ = std::make_unique<FormWindow>(program, form_, reports_.reporter());
    }

    QLineEdit* textBox(std::string_view name, std::optional<int> element = std::nullopt) {
        return qobject_cast<QLineEdit*>(window_->control(name, element));
    }

    void click() { QTest::mouseClick(window_->control("Go"), Qt::LeftButton); }

    std::array<EventHandlerDescription, 1> handlers_{};
    FormDescription form_;
    test::ErrorReports reports_;
    std::unique_ptr<FormWindow> window_;
};

TEST_F(FormWindowTest, TextsOfTextBoxesAreGotAndSetByNameAndElement) {
    build();
    FormControls& access = window_->controls();
    EXPECT_EQ(access.text("Bound", 0), u"sıfır");
    EXPECT_EQ(access.text("Bound", 1), u"bir");
    access.setText("Bound", 1, QStringLiteral("yeni"));
    EXPECT_EQ(textBox("Bound", 1)->text(), u"yeni");
    EXPECT_EQ(textBox("Bound", 0)->text(), u"sıfır");
}

struct FailingCall {
    const char* label;
    std::string_view name;
    std::optional<int> element;
};

class FailingControlCallTest : public FormWindowTest,
                               public ::testing::WithParamInterface<FailingCall> {};

TEST_P(FailingControlCallTest, RaisesControlCallFailedBothWays) {
    build();
    const FailingCall& call = GetParam();
    FormControls& access = window_->controls();
    test::expectError(ErrorKind::ControlCallFailed, [&] { access.text(call.name, call.element); });
    test::expectError(ErrorKind::ControlCallFailed,
                      [&] { access.setText(call.name, call.element, QStringLiteral("x")); });
}

INSTANTIATE_TEST_SUITE_P(
    Calls, FailingControlCallTest,
    ::testing::Values(FailingCall{"unknown_name", "Nothing", std::nullopt},
                      FailingCall{"name_differs_in_case", "edit", std::nullopt},
                      FailingCall{"element_of_a_single_control", "Edit", 0},
                      FailingCall{"array_without_element", "Bound", std::nullopt},
                      FailingCall{"element_beyond_the_array", "Bound", 2},
                      FailingCall{"label_has_no_text", "Caption", std::nullopt},
                      FailingCall{"button_has_no_text", "Go", std::nullopt},
                      FailingCall{"shape_has_no_text", "Shape", std::nullopt}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(FormWindowTest, ClickRunsTheHandler) {
    build();
    click();
    EXPECT_TRUE(reports_.take().isEmpty());
    EXPECT_EQ(textBox("Edit")->text(), u"sıfır");
}

TEST_F(FormWindowTest, ErrorFromHandlerIsReportedAndTheProgramGoesOn) {
    const test::ScopedLocale locale("tr_TR.UTF-8");
    build();
    textBox("Bound", 0)->setText(QStringLiteral("hata"));
    click();
    const QList<test::ErrorReport> reports = reports_.take();
    ASSERT_EQ(reports.size(), 1);
    EXPECT_EQ(reports[0].title, u"Test Programı");
    EXPECT_EQ(reports[0].text, u"«hata» bir sayı olarak okunamadı. Sınırı -1,96 ya da 5 gibi bir "
                               u"sayı olarak yazın.\n\nHata numarası: 13");
    EXPECT_EQ(textBox("Edit")->text(), u"ilk");
    EXPECT_EQ(textBox("Bound", 0)->text(), u"hata");

    textBox("Bound", 0)->setText(QStringLiteral("tamam"));
    click();
    EXPECT_TRUE(reports_.take().isEmpty());
    EXPECT_EQ(textBox("Edit")->text(), u"tamam");
}

TEST_F(FormWindowTest, FailedControlCallInHandlerIsReported) {
    build(&readUnknownControl);
    click();
    const QList<test::ErrorReport> reports = reports_.take();
    ASSERT_EQ(reports.size(), 1);
    EXPECT_EQ(reports[0].text,
              u"Penceredeki bir kutu okunamadı ya da yazılamadı.\n\nHata numarası: 440");
}

// The window's own reporter: a modal box with the title, the number and the message,
// closed here through its one button as soon as it shows.
TEST(ErrorBox, ShowsTheErrorOverTheWindowWithOneButton) {
    test::testApplication();
    QWidget window;
    QString title;
    QString text;
    QStringList buttons;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    const QWidget* parent = nullptr;
    Qt::WindowFlags flags;
    bool defaultIsTheButton = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box != nullptr && box->isVisible()) {
            title = box->windowTitle();
            text = box->text();
            for (const QAbstractButton* button : box->buttons()) {
                buttons << button->text();
            }
            icon = box->icon();
            parent = box->parentWidget();
            flags = box->windowFlags();
            defaultIsTheButton = box->defaultButton() == box->buttons().front();
            box->buttons().front()->click();
        }
    });
    watch.start(5);
    {
        // The box writes numbers as the user's locale does.
        const test::ScopedLocale locale("de_DE.UTF-8");
        reportError(Error(ErrorKind::Overflow, ErrorCause::ExponentialRange), &window,
                    QStringLiteral("Test Programı"));
    }
    EXPECT_EQ(title, u"Test Programı");
    EXPECT_EQ(text, u"Sınırlardan biri hesap için fazla büyük. Sınırların mutlak değeri en çok "
                    u"yaklaşık 37,677 olabilir. Daha küçük bir sınır yazın.\n\nHata numarası: 6");
    EXPECT_EQ(buttons, QStringList{QStringLiteral("Tamam")});
    EXPECT_TRUE(defaultIsTheButton);
    EXPECT_EQ(icon, QMessageBox::Critical);
    EXPECT_EQ(parent, &window);
    // A title bar with the system menu and the close button, and nothing to resize.
    for (const Qt::WindowType hint : {Qt::CustomizeWindowHint, Qt::WindowTitleHint,
                                      Qt::WindowSystemMenuHint, Qt::WindowCloseButtonHint}) {
        EXPECT_TRUE(flags.testFlag(hint)) << hint;
    }
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
}

// Qt's messages from the start are held while it lasts, then passed on in order.
TEST(StartupFailureGuard, PassesOnHeldMessagesWhenTheStartEnds) {
    static QStringList seen;
    seen.clear();
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext&, const QString& text) { seen << text; });
    {
        const StartupFailureGuard guard("test");
        qWarning("first");
        qWarning("second");
        EXPECT_TRUE(seen.isEmpty());
    }
    qInstallMessageHandler(previous);
    EXPECT_EQ(seen, (QStringList{QStringLiteral("first"), QStringLiteral("second")}));
}

TEST_F(FormWindowTest, LayersStackWhateverTheTableOrder) {
    build();
    const QObjectList children = window_->children();
    const auto position = [&](std::string_view name, std::optional<int> element = {}) {
        return children.indexOf(window_->control(name, element));
    };
    EXPECT_LT(position("Picture"), position("Shape"));
    EXPECT_LT(position("Picture"), position("Caption"));
    EXPECT_LT(position("Shape"), position("Edit"));
    EXPECT_LT(position("Caption"), position("Bound", 0));
    EXPECT_LT(position("Shape"), position("Go"));
    // Where Edit and Shape overlap, Edit is the one a click reaches.
    EXPECT_EQ(window_->childAt(25, 12), window_->control("Edit"));
    EXPECT_EQ(window_->childAt(35, 50), window_->control("Shape"));
}

TEST_F(FormWindowTest, TabFollowsFocusNumbersAndPassesOverTheLabel) {
    build();
    window_->show();
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    const std::array<QWidget*, 5> expected = {
        window_->control("Bound", 0), window_->control("Edit"), window_->control("Bound", 1),
        window_->control("Go"), window_->control("Bound", 0)};
    EXPECT_EQ(QApplication::focusWidget(), expected[0]);
    for (std::size_t i = 1; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), expected[i]) << "after Tab " << i;
    }
}

TEST(FormDescriptionErrors, ClickOnAControlThatIsNoButtonIsRefused) {
    test::testApplication();
    const std::array<EventHandlerDescription, 1> handlers = {
        {{.control = "Caption", .handler = &copyOrFail}}};
    const FormDescription form = formWithClick(handlers);
    EXPECT_THROW({ FormWindow window(program, form); }, std::invalid_argument);
}

TEST(FormDescriptionErrors, UnknownSystemColourIsRefused) {
    test::testApplication();
    const std::array<ControlDescription, 1> badColour = {
        {{.kind = ControlKind::Label, .name = "Caption", .background = Colour::system(25)}}};
    const FormDescription form = {.name = "Bad", .controls = badColour};
    EXPECT_THROW({ FormWindow window(program, form); }, std::invalid_argument);
}

} // namespace
} // namespace dorvek::host
