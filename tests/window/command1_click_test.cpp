#include "host/runtime/error.h"
#include "host/runtime/form_controls.h"
#include "tests/support/scoped_environment_variable.h"
#include "window/command1_click.h"

#include <gtest/gtest.h>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace dorvek::window {
namespace {

// Form1's three boxes without a window, recording every call in order.
class RecordingControls : public host::FormControls {
public:
    RecordingControls(QString lower, QString upper) {
        texts_[{"Text2", 0}] = std::move(lower);
        texts_[{"Text2", 1}] = std::move(upper);
        texts_[{"Text1", std::nullopt}] = QString();
    }

    QString text(std::string_view name, std::optional<int> element) override {
        calls.push_back("get " + describe(name, element));
        const auto found = texts_.find({std::string(name), element});
        if (found == texts_.end()) {
            host::raise(host::ErrorKind::ControlCallFailed);
        }
        return found->second;
    }

    void setText(std::string_view name, std::optional<int> element, const QString& text) override {
        calls.push_back("set " + describe(name, element));
        texts_[{std::string(name), element}] = text;
    }

    QString result() const { return texts_.at({"Text1", std::nullopt}); }

    std::vector<std::string> calls;

private:
    static std::string describe(std::string_view name, std::optional<int> element) {
        return std::string(name) + (element ? "(" + std::to_string(*element) + ")" : "");
    }

    std::map<std::pair<std::string, std::optional<int>>, QString> texts_;
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
    RecordingControls controls(QString::fromUtf8(GetParam().lower),
                               QString::fromUtf8(GetParam().upper));
    Command1_Click(controls);
    EXPECT_EQ(controls.calls,
              (std::vector<std::string>{"get Text2(0)", "get Text2(1)", "set Text1"}));
    EXPECT_EQ(controls.result(), QString::fromUtf8(GetParam().result));
}

// Element 0 is the lower bound: swapping the boxes turns the sign.
INSTANTIATE_TEST_SUITE_P(Bounds, Command1ClickTest,
                         ::testing::Values(ClickCase{"shipped_bounds", "-5,00", "5,00", "1.00000"},
                                           ClickCase{"lower_in_element_0", "0", "1.96", "0.47500"},
                                           ClickCase{"swapped", "1.96", "0", "-0.47500"}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(Command1Click, ErrorPassesThroughAndNothingIsWritten) {
    RecordingControls controls(QStringLiteral("beş"), QStringLiteral("5,00"));
    try {
        Command1_Click(controls);
        FAIL() << "a lettered bound was read as a number";
    } catch (const host::Error& error) {
        EXPECT_EQ(error.kind(), host::ErrorKind::TypeMismatch);
    }
    EXPECT_EQ(controls.calls, std::vector<std::string>{"get Text2(0)"});
    EXPECT_TRUE(controls.result().isEmpty());
}

} // namespace
} // namespace dorvek::window
