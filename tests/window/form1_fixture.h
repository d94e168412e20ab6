#pragma once

// Form1 as the host builds it for a test: its controls by name, and errors collected
// by the test instead of a modal box.

#include "host/widgets/form_window.h"
#include "host/widgets/start.h"
#include "tests/support/error_reports.h"
#include "tests/support/test_application.h"
#include "window/dorvek_program.h"

#include <QLineEdit>
#include <QTest>
#include <array>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <string_view>

namespace dorvek::window::test_form1 {

struct ControlName {
    std::string_view name;
    std::optional<int> element;
};

constexpr ControlName lowerBox{"Text2", 0};
constexpr ControlName upperBox{"Text2", 1};
constexpr ControlName resultBox{"Text1", std::nullopt};
constexpr ControlName button{"Command1", std::nullopt};
constexpr ControlName label{"Label1", std::nullopt};
constexpr ControlName shape{"Shape1", std::nullopt};
constexpr ControlName image{"Image1", std::nullopt};

constexpr std::array<ControlName, 7> allControls = {lowerBox, button, resultBox, upperBox,
                                                    label,    shape,  image};

class Form1Test : public ::testing::Test {
protected:
    void SetUp() override {
        test::testApplication();
        host::prepareApplication(dorvekProgram());
        rebuild();
    }

    // A new window, built under whatever the application's style and palette are now.
    void rebuild() { window_ = host::buildStartupForm(dorvekProgram(), reports_.reporter()); }

    QWidget* control(ControlName name) const { return window_->control(name.name, name.element); }
    QLineEdit* box(ControlName name) const { return qobject_cast<QLineEdit*>(control(name)); }

    void click() const { QTest::mouseClick(control(button), Qt::LeftButton); }

    void showActive() const {
        window_->show();
        window_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    }

    test::ErrorReports reports_;
    std::unique_ptr<host::FormWindow> window_;
};

} // namespace dorvek::window::test_form1
