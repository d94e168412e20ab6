// dorvek-calc started with standard streams closed, singly, in pairs and all three: a
// closed stream stays on the null device, so a file the program opens never takes its
// number, and what is meant for an open stream reaches it.

#include "tests/tools/spawned_calc.h"
#include "window/curve_picture.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <array>
#include <filesystem>
#include <gtest/gtest.h>
#include <span>
#include <string>

namespace dorvek::test {
namespace {

struct ClosedCase {
    const char* name;
    std::array<bool, 3> closed; // standard input, output, error
};

void PrintTo(const ClosedCase& row, std::ostream* out) {
    *out << row.name;
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

class ClosedStreamsTest : public ::testing::TestWithParam<ClosedCase> {
protected:
    void SetUp() override {
        ASSERT_TRUE(saves.isValid() && streams.isValid());
        savesPath = QDir(saves.path()).canonicalPath();
        streamsPath = QDir(streams.path()).canonicalPath();
        QFile input(stream(0));
        ASSERT_TRUE(input.open(QIODevice::WriteOnly));
    }
    QString stream(int descriptor) const {
        static const std::array<const char*, 3> names = {"input", "output", "error"};
        return streamsPath + u'/' + QLatin1String(names[descriptor]);
    }
    // Each stream the row leaves open on a file of its own, the others closed.
    SpawnOptions options(std::vector<std::string> arguments, const QString& pauseIn = {}) const {
        SpawnOptions spawned{std::move(arguments), {}, pauseIn.toStdString()};
        for (int descriptor = 0; descriptor < 3; ++descriptor) {
            if (!GetParam().closed[descriptor]) {
                spawned.streams[descriptor] = stream(descriptor).toStdString();
            }
        }
        return spawned;
    }
    // What an open stream received; a closed one is expected to have received nothing.
    QByteArray received(int descriptor) const {
        return GetParam().closed[descriptor] ? QByteArray() : contents(stream(descriptor));
    }

    QTemporaryDir saves;   // where the picture is saved
    QTemporaryDir streams; // the open streams' files
    QString savesPath;
    QString streamsPath;
};

// Seen while the file is being written: descriptors 0 to 2 are the streams as given,
// the closed ones on the null device, and the file is none of them.
TEST_P(ClosedStreamsTest, APictureFileNeverTakesAStandardStreamsPlace) {
    const QString picture = savesPath + QStringLiteral("/curve.emf");
    SpawnedCalc calc(options({"--emf", picture.toStdString()}, savesPath));
    const std::optional<int> stopped = calc.waitUntilStoppedOrEnded();
    ASSERT_TRUE(stopped && WIFSTOPPED(*stopped)) << "the save was never caught writing";
    for (int descriptor = 0; descriptor < 3; ++descriptor) {
        const std::string link =
            "/proc/" + std::to_string(calc.pid()) + "/fd/" + std::to_string(descriptor);
        std::error_code error;
        const std::string target = std::filesystem::read_symlink(link, error).string();
        const std::string expected =
            GetParam().closed[descriptor] ? "/dev/null" : stream(descriptor).toStdString();
        EXPECT_EQ(target, expected) << "descriptor " << descriptor;
    }
    kill(calc.pid(), SIGCONT);
    const std::optional<int> ended = calc.waitUntilStoppedOrEnded();
    ASSERT_TRUE(ended && WIFEXITED(*ended)) << "status " << ended.value_or(-1);
    EXPECT_EQ(WEXITSTATUS(*ended), 0);
    const std::span<const std::byte> expected = window::curvePicture();
    EXPECT_EQ(contents(picture), QByteArray(reinterpret_cast<const char*>(expected.data()),
                                            static_cast<qsizetype>(expected.size())));
    EXPECT_EQ(received(1), QByteArray());
    EXPECT_EQ(received(2), QByteArray());
}

// The result goes to standard output when it is open; when it is closed, that is
// reported on standard error, if that is open, and by the status in any case.
TEST_P(ClosedStreamsTest, TheResultReachesAnOpenOutputOrFailsVisibly) {
    SpawnedCalc calc(options({"0", "1"}));
    const std::optional<int> ended = calc.waitUntilStoppedOrEnded();
    ASSERT_TRUE(ended && WIFEXITED(*ended)) << "status " << ended.value_or(-1);
    if (GetParam().closed[1]) {
        EXPECT_EQ(WEXITSTATUS(*ended), 1);
        EXPECT_EQ(received(2),
                  GetParam().closed[2]
                      ? QByteArray()
                      : QByteArray("dorvek-calc: standart çıktıya yazılamadı: kapalı\n"));
    } else {
        EXPECT_EQ(WEXITSTATUS(*ended), 0);
        EXPECT_EQ(received(1), QByteArray("0.34134\n"));
        EXPECT_EQ(received(2), QByteArray());
    }
}

INSTANTIATE_TEST_SUITE_P(Combinations, ClosedStreamsTest,
                         ::testing::Values(ClosedCase{"input", {true, false, false}},
                                           ClosedCase{"output", {false, true, false}},
                                           ClosedCase{"error", {false, false, true}},
                                           ClosedCase{"input_and_output", {true, true, false}},
                                           ClosedCase{"input_and_error", {true, false, true}},
                                           ClosedCase{"output_and_error", {false, true, true}},
                                           ClosedCase{"all_three", {true, true, true}}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace dorvek::test
