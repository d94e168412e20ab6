#include "host/widgets/command_button.h"
#include "tests/support/test_application.h"

#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace dorvek::host {
namespace {

struct KeyPress {
    const char* label;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int repeats; // further presses that the keyboard repeats while the key is held
    int clicks;
};

class CommandButtonKeyTest : public ::testing::TestWithParam<KeyPress> {
protected:
    void SetUp() override { test::testApplication(); }
};

TEST_P(CommandButtonKeyTest, KeyChoosesTheButtonOrNot) {
    const KeyPress& press = GetParam();
    CommandButton button(QStringLiteral("Sonuç"), nullptr);
    QSignalSpy clicked(&button, &QPushButton::clicked);
    QTest::keyPress(&button, press.key, press.modifiers);
    for (int i = 0; i < press.repeats; ++i) {
        QKeyEvent repeat(QEvent::KeyPress, press.key, press.modifiers, QString(), true);
        QApplication::sendEvent(&button, &repeat);
    }
    QTest::keyRelease(&button, press.key, press.modifiers);
    EXPECT_EQ(clicked.count(), press.clicks);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, CommandButtonKeyTest,
    ::testing::Values(KeyPress{"return", Qt::Key_Return, Qt::NoModifier, 0, 1},
                      KeyPress{"keypad_enter", Qt::Key_Enter, Qt::KeypadModifier, 0, 1},
                      KeyPress{"space", Qt::Key_Space, Qt::NoModifier, 0, 1},
                      KeyPress{"held_return_once", Qt::Key_Return, Qt::NoModifier, 3, 1},
                      KeyPress{"control_return", Qt::Key_Return, Qt::ControlModifier, 0, 0},
                      KeyPress{"alt_return", Qt::Key_Return, Qt::AltModifier, 0, 0},
                      KeyPress{"letter", Qt::Key_S, Qt::NoModifier, 0, 0}),
    [](const auto& info) { return std::string(info.param.label); });

} // namespace
} // namespace dorvek::host
