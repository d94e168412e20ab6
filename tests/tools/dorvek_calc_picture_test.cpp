// dorvek-calc --emf and --png, run as a process the way a script would.

#include "tests/support/curve_picture_reference.h"
#include "tests/support/picture_playing.h"
#include "tests/tools/dorvek_calc_process.h"
#include "window/curve_picture.h"

#include <QBuffer>
#include <QDir>
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

// A save that fails: status 1, the reason, the file as it was and nothing beside it.
class FailedSaveTest : public PictureOptions {
protected:
    void SetUp() override {
        ASSERT_FALSE(QImage::fromData(oldBytes, "PNG").isNull());
        QFile old(file("curve"));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        ASSERT_EQ(old.write(oldBytes), oldBytes.size());
    }
    QStringList names() const {
        return QDir(directory.path())
            .entryList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::System |
                       QDir::NoDotAndDotDot);
    }
    QByteArray contents(const char* name) const {
        QFile saved(file(name));
        return saved.open(QIODevice::ReadOnly) ? saved.readAll() : QByteArray("(unreadable)");
    }
    // The whole of standard error; @ stands for the test's folder.
    void expectFailure(const CalcRun& run, const char* message) const {
        EXPECT_EQ(run.exitCode, 1);
        QString expected = QString::fromUtf8(message);
        expected.replace(QLatin1Char('@'), directory.path());
        EXPECT_EQ(run.standardError, expected + QLatin1Char('\n'));
    }

    // A picture a user made earlier: a valid PNG that no run of the tool gives.
    static QByteArray olderPicture() {
        QImage image(64, 32, QImage::Format_RGB32);
        image.fill(QColor(0x20, 0x60, 0xa0));
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        return png;
    }

    const QByteArray oldBytes = olderPicture();
};

struct SizeLimitCase {
    const char* name;
    const char* command; // for sh -c, with the tool as $0 and the test's folder as $1
};

void PrintTo(const SizeLimitCase& row, std::ostream* out) {
    *out << row.name;
}

class SizeLimitTest : public FailedSaveTest, public ::testing::WithParamInterface<SizeLimitCase> {};

// A file size limit (ulimit -f, in 512-byte blocks) smaller than the new picture: the
// write fails part way, as on a full disk, instead of ending the program.
TEST_P(SizeLimitTest, LeavesTheOldFileAndNothingBesideIt) {
    if (!hasPosixShell()) {
        GTEST_SKIP() << "sets a file size limit with a POSIX shell";
    }
    CalcRun run = runThroughShell(GetParam().command, {directory.path()});
    // Under the limit the font library may fail to refresh its own cache and say so on
    // a line of its own (seen on Debian 13 without a home folder); ours is the last.
    run.standardError = run.standardError.section(QLatin1Char('\n'), -2);
    expectFailure(run, "dorvek-calc: @/curve dosyasına yazılamadı: dosya çok büyük");
    EXPECT_EQ(contents("curve"), oldBytes);
    EXPECT_EQ(names(), QStringList{QStringLiteral("curve")});
}

INSTANTIATE_TEST_SUITE_P(
    Saves, SizeLimitTest,
    ::testing::Values(SizeLimitCase{"metafile", R"(ulimit -f 4 && exec "$0" --emf "$1/curve")"},
                      SizeLimitCase{"png",
                                    R"(ulimit -f 4 && exec "$0" --png "$1/curve" --size 982x508)"}),
    [](const auto& info) { return std::string(info.param.name); });

// A disk of 64 KiB, mounted for this test alone, on which the new picture cannot fit
// beside the old one.
TEST_F(FailedSaveTest, OnAFullDiskLeavesTheOldFileAndNothingBesideIt) {
    if (!hasPosixShell()) {
        GTEST_SKIP() << "mounts a small tmpfs, which Windows has not";
    }
    ASSERT_TRUE(QDir(directory.path()).mkdir(QStringLiteral("disk")));
    // Inside, $1 is the tool and $2 the test's folder; 77 says no tmpfs could be mounted.
    // In a chroot, whose root is no mount point, unshare cannot make it private.
    const CalcRun run = runThroughShell(R"sh(
        [ "$(id -u)" -eq 0 ] && command -v unshare > /dev/null || exit 77
        unshare -m true || exit 77
        exec unshare -m sh -c '
        mount -t tmpfs -o size=64k dorvek-test "$2/disk" || exit 77
        cp "$2/curve" "$2/disk/curve" || exit 77
        "$1" --png "$2/disk/curve" --size 4000x4000
        status=$?
        ls -A "$2/disk" > "$2/left"
        cp "$2/disk/curve" "$2/after"
        exit $status' sh "$0" "$1")sh",
                                        {directory.path()});
    if (run.exitCode == 77) {
        GTEST_SKIP() << "mounting a small disk for the test needs root, unshare and tmpfs: "
                     << run.standardError.toStdString();
    }
    expectFailure(run, "dorvek-calc: @/disk/curve dosyasına yazılamadı: aygıtta yer kalmadı");
    EXPECT_EQ(contents("after"), oldBytes);
    EXPECT_EQ(contents("left"), QByteArray("curve\n"));
}

// Qt that cannot start ends the program at once, with no chance to clean up: the
// picture is drawn before anything is opened, so there is nothing to clean.
TEST_F(FailedSaveTest, APictureThatCannotBeDrawnLeavesTheOldFileAndNothingBesideIt) {
    const CalcRun run = runDorvekCalc({"--png", file("curve")}, {"DISPLAY", "WAYLAND_DISPLAY"},
                                      {{"QT_QPA_PLATFORM", "dorvek-test-nonesuch"}});
    expectFailure(run, "dorvek-calc: resim çizilemedi: Qt başlatılamadı");
    EXPECT_EQ(contents("curve"), oldBytes);
    EXPECT_EQ(names(), QStringList{QStringLiteral("curve")});
}

// A file its user may not write is not replaced behind their back, though the folder
// would allow the rename. Root may write anything, so the tool runs as nobody then.
TEST_F(FailedSaveTest, AFileThatMayNotBeWrittenIsLeftAsItWas) {
    if (!hasPosixShell()) {
        GTEST_SKIP() << "sets permissions with a POSIX shell";
    }
    QFile::setPermissions(file("curve"), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    const CalcRun run = runThroughShell(R"sh(chmod 0777 "$1" || exit 77
        if [ "$(id -u)" -ne 0 ]; then exec "$0" --emf "$1/curve"; fi
        command -v setpriv > /dev/null || exit 77
        exec setpriv --reuid=65534 --regid=65534 --clear-groups "$0" --emf "$1/curve")sh",
                                        {directory.path()});
    if (run.exitCode == 77) {
        GTEST_SKIP() << "as root, needs setpriv to run the tool as another user";
    }
    expectFailure(run, "dorvek-calc: @/curve dosyasına yazılamadı: izin yok");
    EXPECT_EQ(contents("curve"), oldBytes);
    EXPECT_EQ(names(), QStringList{QStringLiteral("curve")});
}

struct KeptFileCase {
    const char* name;
    const char* command; // for sh -c, with the tool as $0 and the test's folder as $1
    std::filesystem::perms permissions; // of the saved file, curve or the link's target
};

void PrintTo(const KeptFileCase& row, std::ostream* out) {
    *out << row.name;
}

class SavedFileTest : public PictureOptions, public ::testing::WithParamInterface<KeptFileCase> {};

// What a file saved over an old one keeps of it, and what a new one gets: as from
// fopen(), 0666 less the umask.
TEST_P(SavedFileTest, KeepsWhatTheOldFileWasAndHoldsTheNewPicture) {
    if (!hasPosixShell()) {
        GTEST_SKIP() << "sets umasks, permissions and links with a POSIX shell";
    }
    const CalcRun run = runThroughShell(GetParam().command, {directory.path()});
    if (run.exitCode == 77) {
        GTEST_SKIP() << "needs root and setpriv to save as another user";
    }
    ASSERT_EQ(run.exitCode, 0) << run.standardError.toStdString();
    const std::filesystem::path folder = directory.path().toStdString();
    EXPECT_EQ(std::filesystem::status(folder / "curve").permissions(), GetParam().permissions);
    QFile saved(file("curve"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const std::span<const std::byte> picture = window::curvePicture();
    EXPECT_TRUE(saved.readAll() == QByteArray(reinterpret_cast<const char*>(picture.data()),
                                              static_cast<qsizetype>(picture.size())));
}

using std::filesystem::perms;

INSTANTIATE_TEST_SUITE_P(
    Saves, SavedFileTest,
    ::testing::Values(
        KeptFileCase{"new_file_under_umask_027", R"(umask 027 && exec "$0" --emf "$1/curve")",
                     perms::owner_read | perms::owner_write | perms::group_read},
        KeptFileCase{"new_file_under_umask_002", R"(umask 002 && exec "$0" --emf "$1/curve")",
                     perms::owner_read | perms::owner_write | perms::group_read |
                         perms::group_write | perms::others_read},
        KeptFileCase{"old_file_keeps_its_0604",
                     R"(umask 022 && echo old > "$1/curve" && chmod 0604 "$1/curve" &&
                        exec "$0" --emf "$1/curve")",
                     perms::owner_read | perms::owner_write | perms::others_read},
        KeptFileCase{"old_file_keeps_its_0660",
                     R"(umask 077 && echo old > "$1/curve" && chmod 0660 "$1/curve" &&
                        exec "$0" --emf "$1/curve")",
                     perms::owner_read | perms::owner_write | perms::group_read |
                         perms::group_write},
        // Saved by nobody over root's file, which nobody may write: the new file is
        // nobody's, and the group and others root let in are not let in to it.
        KeptFileCase{"another_owners_file_keeps_only_the_owners_0600",
                     R"sh([ "$(id -u)" -eq 0 ] && command -v setpriv > /dev/null || exit 77
                        chmod 0777 "$1" && echo old > "$1/curve" && chmod 0666 "$1/curve" &&
                        exec setpriv --reuid=65534 --regid=65534 --clear-groups \
                            "$0" --emf "$1/curve")sh",
                     perms::owner_read | perms::owner_write}),
    [](const auto& info) { return std::string(info.param.name); });

// A link saved through stays a link, and its target holds the new picture.
TEST_F(PictureOptions, ALinkStaysALinkToTheNewPicture) {
    if (!hasPosixShell()) {
        GTEST_SKIP() << "makes a symbolic link with a POSIX shell";
    }
    const CalcRun run = runThroughShell(
        R"(mkdir "$1/real" && echo old > "$1/real/curve" && ln -s real/curve "$1/link" &&
           exec "$0" --emf "$1/link")",
        {directory.path()});
    ASSERT_EQ(run.exitCode, 0) << run.standardError.toStdString();
    const std::filesystem::path folder = directory.path().toStdString();
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "link"));
    EXPECT_EQ(std::filesystem::read_symlink(folder / "link"), "real/curve");
    QFile target(file("real/curve"));
    ASSERT_TRUE(target.open(QIODevice::ReadOnly));
    EXPECT_EQ(target.size(), static_cast<qint64>(window::curvePicture().size()));
    EXPECT_EQ(QDir(file("real")).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("curve")});
}

} // namespace
} // namespace dorvek::test
