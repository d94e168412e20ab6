#include "tests/support/scoped_locale.h"
#include "tests/window/form1_fixture.h"

#include <QAccessible>
#include <QGuiApplication>
#include <QSet>
#include <QStringList>
#include <gtest/gtest.h>
#include <utility>

namespace dorvek::window {
namespace {

using namespace test_form1;

// What a screen reader hears while it listens: Qt's own announcements, and where Qt
// has none (before 6.8), a notification that becomes shown. A notification shown
// again while it still shows is no change of state, and nothing is heard.
class Listener {
public:
    Listener() {
        current = this;
        previous_ = QAccessible::installUpdateHandler(&Listener::hear);
    }
    ~Listener() {
        QAccessible::installUpdateHandler(previous_);
        current = nullptr;
    }
    Listener(const Listener&) = delete;
    Listener& operator=(const Listener&) = delete;

    // What was heard since the last call.
    QStringList take() { return std::exchange(heard_, {}); }

private:
    static void hear(QAccessibleEvent* event) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
        if (event->type() == QAccessible::Announcement) {
            current->heard_ << static_cast<QAccessibleAnnouncementEvent*>(event)->message();
            return;
        }
#endif
        // Other events are not asked for their object: a widget still being made would
        // have its account made too early.
        if (event->type() != QAccessible::ObjectShow && event->type() != QAccessible::ObjectHide) {
            return;
        }
        QAccessibleInterface* object = event->accessibleInterface();
        if (object == nullptr || object->role() != QAccessible::Notification) {
            return;
        }
        if (event->type() == QAccessible::ObjectHide) {
            current->showing_.remove(object);
        } else if (event->type() == QAccessible::ObjectShow &&
                   !current->showing_.contains(object)) {
            current->showing_.insert(object);
            current->heard_ << object->text(QAccessible::Name);
        }
    }

    static inline Listener* current = nullptr;
    QAccessible::UpdateHandler previous_ = nullptr;
    QSet<QAccessibleInterface*> showing_;
    QStringList heard_;
};

// Qt tells screen readers anything only while one listens: on Linux, once the
// accessibility bus answers, a moment after start. Without such a bus (the offscreen
// platform has none) nothing can be heard and the tests are skipped, unless
// DORVEK_REQUIRE_SCREEN_READER_BUS is set, as where the suite runs them on a bus.
class Form1AnnouncementTest : public Form1Test {
protected:
    void SetUp() override {
        Form1Test::SetUp();
        const bool required = qEnvironmentVariableIsSet("DORVEK_REQUIRE_SCREEN_READER_BUS");
        if (!required && QGuiApplication::platformName() == u"offscreen") {
            GTEST_SKIP() << "the offscreen platform has no accessibility bus; the ctest "
                            "form1_announcements_heard runs these on one";
        }
        for (int waited = 0; !QAccessible::isActive() && waited < 10000; waited += 50) {
            QTest::qWait(50);
        }
        if (!QAccessible::isActive()) {
            if (required) {
                FAIL() << "no accessibility bus answered within 10 s";
            }
            GTEST_SKIP() << "no accessibility bus to be heard on";
        }
    }

    void setBounds(const char16_t* lower, const char16_t* upper) const {
        box(lowerBox)->setText(QString::fromUtf16(lower));
        box(upperBox)->setText(QString::fromUtf16(upper));
    }

    test::ScopedLocale locale_{"C.UTF-8"};
    Listener listener_;
};

TEST_F(Form1AnnouncementTest, SuccessAnnouncesTheNewResultByTheBoxsName) {
    showActive();
    listener_.take();
    setBounds(u"-1", u"1");
    click();
    ASSERT_TRUE(reports_.take().isEmpty());
    EXPECT_EQ(listener_.take(), QStringList{QStringLiteral("Olasılık: 0.68269")});
    setBounds(u"0", u"1.96");
    click();
    EXPECT_EQ(listener_.take(), QStringList{QStringLiteral("Olasılık: 0.47500")});
}

// The same result twice is heard twice: the user clicked and wants to know it is done.
TEST_F(Form1AnnouncementTest, RepeatedResultIsAnnouncedEachTime) {
    showActive();
    setBounds(u"-1", u"1");
    listener_.take();
    click();
    click();
    click();
    EXPECT_EQ(listener_.take(), QStringList(3, QStringLiteral("Olasılık: 0.68269")));
}

// After an error the box keeps the previous result; announcing it would sound like the
// answer to the bounds just typed. The error box speaks for itself.
TEST_F(Form1AnnouncementTest, FailedClickAnnouncesNothing) {
    struct Failure {
        const char* name;
        const char16_t* lower;
        const char16_t* upper;
    };
    showActive();
    for (const Failure& row :
         {Failure{"not_a_number", u"abc", u"1"}, Failure{"empty_upper", u"-1", u""},
          Failure{"overflow", u"38", u"1"}}) {
        setBounds(u"-1", u"1");
        click();
        ASSERT_TRUE(reports_.take().isEmpty()) << row.name;
        listener_.take();
        setBounds(row.lower, row.upper);
        click();
        EXPECT_EQ(reports_.take().size(), 1) << row.name;
        EXPECT_EQ(box(resultBox)->text(), u"0.68269") << row.name;
        EXPECT_EQ(listener_.take(), QStringList()) << row.name;
    }
    // And the next success is heard again.
    setBounds(u"-1", u"1");
    click();
    EXPECT_EQ(listener_.take(), QStringList{QStringLiteral("Olasılık: 0.68269")});
}

} // namespace
} // namespace dorvek::window
