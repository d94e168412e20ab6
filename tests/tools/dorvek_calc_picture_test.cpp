// dorvek-calc --emf and --png, run as a process the way a script would.

#include "tests/support/curve_picture_reference.h"
#include "tests/support/picture_playing.h"
#include "tests/tools/dorvek_calc_process.h"
#include "window/curve_picture.h"

#include <QFile>
#include <QTemporaryDir>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace dorvek::test {
namespace {

// Runs the tool without a display and without a chosen Qt platform.
CalcRun runTool(const QStringList& arguments, const QString& workingDirectory = {}) {
    return runDorvekCalc(arguments, {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}, {},
                         workingDirectory);
}

class PictureOptions : public testing::Test {
protected:
    QTemporaryDir directory;
    QString file(const char* name) const { return directory.filePath(QString::fromLatin1(name)); }
};

// "-" names standard output, here a pipe.
TEST_F(PictureOptions, EmfWritesTheWindowsCurvePictureToAFileOrStandardOutput) {
    const std::span<const std::byte> picture = window::curvePicture();
    const QByteArray expected(reinterpret_cast<const char*>(picture.data()),
                              static_cast<qsizetype>(picture.size()));
    const CalcRun toFile = runTool({"--emf", file("curve.emf")});
    ASSERT_EQ(toFile.exitCode, 0) << toFile.standardError.toStdString();
    EXPECT_TRUE(toFile.standardOutput.isEmpty());
    QFile written(file("curve.emf"));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(written.readAll() == expected);

    // Run in the test's folder, where a file wrongly named "-" would show.
    const CalcRun toOutput = runTool({"--emf", "-"}, directory.path());
    ASSERT_EQ(toOutput.exitCode, 0) << toOutput.standardError.toStdString();
    EXPECT_TRUE(toOutput.outputBytes == expected);
    EXPECT_FALSE(QFile::exists(file("-")));
}

// The PNG is what the window's player paints, transparent wherever it paints nothing.
TEST_F(PictureOptions, PngRendersWithTheWindowsPlayer) {
    struct Case {
        QStringList sizeArguments;
        QSize size;
    };
    const QSize own(curve_reference::width, curve_reference::height);
    // The largest side --size accepts, and the smallest.
    for (const Case& sized : {Case{{}, own}, Case{{"--size", "982x508"}, own * 2},
                              Case{{"--size", "436x260"}, QSize(436, 260)},
                              Case{{"--size", "16384x1"}, QSize(16384, 1)}}) {
        SCOPED_TRACE(sized.size.width());
        QStringList arguments{"--png", file("curve.png")};
        arguments.append(sized.sizeArguments);
        const CalcRun run = runTool(arguments);
        ASSERT_EQ(run.exitCode, 0) << run.standardError.toStdString();
        EXPECT_TRUE(run.standardError.isEmpty()) << run.standardError.toStdString();
        const QImage written(file("curve.png"));
        ASSERT_EQ(written.size(), sized.size);
        EXPECT_TRUE(written.hasAlphaChannel());
        EXPECT_EQ(written.pixelColor(0, 0).alpha(), 0);
        const QImage expected = play(window::curvePicture(), sized.size);
        EXPECT_EQ(written.convertToFormat(QImage::Format_ARGB32),
                  expected.convertToFormat(QImage::Format_ARGB32));
    }
    // A display named but out of reach changes nothing: the tool draws offscreen
    // unless its caller chose a Qt platform.
    const CalcRun toOutput = runDorvekCalc({"--png", "-"}, {"WAYLAND_DISPLAY", "QT_QPA_PLATFORM"},
                                           {{"DISPLAY", ":60123"}}, directory.path());
    ASSERT_EQ(toOutput.exitCode, 0) << toOutput.standardError.toStdString();
    EXPECT_FALSE(QFile::exists(file("-")));
    EXPECT_EQ(QImage::fromData(toOutput.outputBytes, "PNG").convertToFormat(QImage::Format_ARGB32),
              play(window::curvePicture(), own).convertToFormat(QImage::Format_ARGB32));
}

// The name is used as the bytes given, whatever the locale makes of them.
TEST_F(PictureOptions, FileNameThatIsNotUtf8IsWrittenByteForByte) {
    if (!hasPosixShell()) {
        GTEST_SKIP() << "needs a POSIX shell; Windows file names are UTF-16, not bytes";
    }
    const CalcRun run = runThroughShell(
        R"sh(cd "$1" && exec "$0" --emf "$(printf 'a\377b.emf')")sh", {directory.path()});
    ASSERT_EQ(run.exitCode, 0) << run.standardError.toStdString();
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(directory.path().toStdString())) {
        names.push_back(entry.path().filename().string()); // the bytes, on Unix
    }
    EXPECT_EQ(names, std::vector<std::string>{"a\xff"
                                              "b.emf"});
}

struct WriteFailureCase {
    const char* name;
    const char* command; // for sh -c, with the tool as $0 and the test's folder as $1
    const char* message; // the whole of standard error; @ stands for the test's folder
};

void PrintTo(const WriteFailureCase& row, std::ostream* out) {
    *out << row.name;
}

class CalcWriteFailureTest : public PictureOptions,
                             public ::testing::WithParamInterface<WriteFailureCase> {};

// Output that is lost is never reported as success: status 1, and what could not be
// written and why, in Turkish.
TEST_P(CalcWriteFailureTest, ExitsWithOneAndSaysWhatAndWhy) {
    if (!hasPosixShell()) {
        GTEST_SKIP() << "needs a POSIX shell with /dev/full and closed streams";
    }
    const CalcRun run = runThroughShell(GetParam().command, {directory.path()});
    EXPECT_EQ(run.exitCode, 1);
    QString message = QString::fromUtf8(GetParam().message);
    message.replace(QLatin1Char('@'), directory.path());
    EXPECT_EQ(run.standardError, message + QLatin1Char('\n'));
}

constexpr const char* fullOutput = "dorvek-calc: standart çıktıya yazılamadı: aygıtta yer kalmadı";
constexpr const char* closedOutput = "dorvek-calc: standart çıktıya yazılamadı: kapalı";

INSTANTIATE_TEST_SUITE_P(
    Outputs, CalcWriteFailureTest,
    ::testing::Values(
        WriteFailureCase{"result_to_a_full_disk", R"(exec "$0" 0 1 > /dev/full)", fullOutput},
        WriteFailureCase{"result_to_closed_output", R"(exec "$0" 0 1 >&-)", closedOutput},
        WriteFailureCase{"exact_to_a_full_disk", R"(exec "$0" --exact 0 1 > /dev/full)",
                         fullOutput},
        WriteFailureCase{"exact_to_closed_output", R"(exec "$0" --exact 0 1 >&-)", closedOutput},
        WriteFailureCase{"help_to_a_full_disk", R"(exec "$0" --help > /dev/full)", fullOutput},
        WriteFailureCase{"help_to_closed_output", R"(exec "$0" --help >&-)", closedOutput},
        WriteFailureCase{"emf_through_dash_to_a_full_disk",
                         R"(cd "$1" && exec "$0" --emf - > /dev/full)", fullOutput},
        WriteFailureCase{"png_through_dash_to_closed_output", R"(cd "$1" && exec "$0" --png - >&-)",
                         closedOutput},
        WriteFailureCase{"emf_to_a_full_disk", R"(exec "$0" --emf /dev/full)",
                         "dorvek-calc: /dev/full dosyasına yazılamadı: aygıtta yer kalmadı"},
        WriteFailureCase{"png_to_a_full_disk", R"(exec "$0" --png /dev/full)",
                         "dorvek-calc: /dev/full dosyasına yazılamadı: aygıtta yer kalmadı"},
        WriteFailureCase{
            "emf_into_a_missing_folder", R"(exec "$0" --emf "$1/yok/curve.emf")",
            "dorvek-calc: @/yok/curve.emf dosyasına yazılamadı: böyle bir dosya ya da klasör yok"},
        WriteFailureCase{"png_onto_a_folder", R"(exec "$0" --png "$1")",
                         "dorvek-calc: @ dosyasına yazılamadı: bu bir klasör"},
        WriteFailureCase{
            "emf_under_a_file", R"(exec "$0" --emf /dev/null/curve.emf)",
            "dorvek-calc: /dev/null/curve.emf dosyasına yazılamadı: yoldaki bir ad klasör değil"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace dorvek::test
