// dorvek-calc --emf and --png, run as a process the way a script would.

#include "tests/support/curve_picture_reference.h"
#include "tests/support/picture_playing.h"
#include "tests/tools/dorvek_calc_process.h"
#include "window/curve_picture.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstring>
#include <gtest/gtest.h>

namespace dorvek::test {
namespace {

// Runs the tool without a display and without a chosen Qt platform.
CalcRun runTool(const QStringList& arguments) {
    return runDorvekCalc(arguments, {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"});
}

class PictureOptions : public testing::Test {
protected:
    QTemporaryDir directory;
    QString file(const char* name) const { return directory.filePath(QString::fromLatin1(name)); }
};

TEST_F(PictureOptions, EmfWritesTheWindowsCurvePicture) {
    const CalcRun run = runTool({"--emf", file("curve.emf")});
    ASSERT_EQ(run.exitCode, 0) << run.standardError.toStdString();
    EXPECT_TRUE(run.standardOutput.isEmpty());
    QFile written(file("curve.emf"));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray bytes = written.readAll();
    const std::span<const std::byte> picture = window::curvePicture();
    ASSERT_EQ(static_cast<std::size_t>(bytes.size()), picture.size());
    EXPECT_EQ(std::memcmp(bytes.constData(), picture.data(), picture.size()), 0);
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
        const QImage written(file("curve.png"));
        ASSERT_EQ(written.size(), sized.size);
        EXPECT_TRUE(written.hasAlphaChannel());
        EXPECT_EQ(written.pixelColor(0, 0).alpha(), 0);
        const QImage expected = play(window::curvePicture(), sized.size);
        EXPECT_EQ(written.convertToFormat(QImage::Format_ARGB32),
                  expected.convertToFormat(QImage::Format_ARGB32));
    }
}

TEST_F(PictureOptions, AFileThatCannotBeWrittenExitsWithOne) {
    for (const char* option : {"--emf", "--png"}) {
        const CalcRun run = runTool({option, file("no-such-folder/curve")});
        EXPECT_EQ(run.exitCode, 1) << option;
        EXPECT_TRUE(run.standardOutput.isEmpty());
        EXPECT_TRUE(run.standardError.contains("yazılamadı")) << run.standardError.toStdString();
    }
}

} // namespace
} // namespace dorvek::test
