#include "host/runtime/form_controls.h"
#include "tests/support/expect_error.h"
#include "tests/support/recording_boxes.h"
#include "tests/support/scoped_locale.h"
#include "window/command1_click.h"

#include <gtest/gtest.h>
#include <string>

namespace dorvek::window {
namespace {

// Form1's three boxes without a window: Text2 element 0 holds the lower bound,
// element 1 the upper, and Text1 takes the result; any other control fails as the
// window's would.
class Form1Boxes : public host::FormControls {
public:
    explicit Form1Boxes(test::RecordingBoxes& boxes) : boxes_(boxes) {}

    QString text(std::string_view name, std::optional<int> element) override {
        if (name == "Text2" && element == 0) {
            return boxes_.lowerBoundText();
        }
        if (name == "Text2" && element == 1) {
            return boxes_.upperBoundText();
        }
        host::raise(host::ErrorKind::ControlCallFailed);
    }

    void setText(std::string_view name, std::optional<int> element, const QString& text) override {
        if (name != "Text1" || element) {
            host::raise(host::ErrorKind::ControlCallFailed);
        }
        boxes_.setResultText(text);
    }

private:
    test::RecordingBoxes& boxes_;
};

struct ClickCase {
    const char* label;
    const char* lower;
    const char* upper;
    const char* result;
};

class Command1ClickTest : public ::testing::TestWithParam<ClickCase> {};

TEST_P(Command1ClickTest, ReadsLowerThenUpperAndWritesTheResult) {
    const test::ScopedLocale locale("C.UTF-8");
    test::RecordingBoxes boxes(QString::fromUtf8(GetParam().lower),
                               QString::fromUtf8(GetParam().upper));
    Form1Boxes controls(boxes);
    Command1_Click(controls);
    const QString result = QString::fromUtf8(GetParam().result);
    EXPECT_EQ(boxes.calls(), (QStringList{QStringLiteral("lower"), QStringLiteral("upper"),
                                          QStringLiteral("set ") + result}));
    EXPECT_EQ(boxes.resultText(), result);
}

// Element 0 is the lower bound: swapping the boxes turns the sign.
INSTANTIATE_TEST_SUITE_P(Bounds, Command1ClickTest,
                         ::testing::Values(ClickCase{"shipped_bounds", "-5,00", "5,00", "1.00000"},
                                           ClickCase{"lower_in_element_0", "0", "1.96", "0.47500"},
                                           ClickCase{"swapped", "1.96", "0", "-0.47500"}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(Command1Click, ErrorPassesThroughAndNothingIsWritten) {
    test::RecordingBoxes boxes(QStringLiteral("beş"), QStringLiteral("5,00"));
    Form1Boxes controls(boxes);
    test::expectError(host::ErrorKind::TypeMismatch, [&] { Command1_Click(controls); });
    EXPECT_EQ(boxes.calls(), QStringList{QStringLiteral("lower")});
    EXPECT_EQ(boxes.resultText(), u"önceki");
}

} // namespace
} // namespace dorvek::window
