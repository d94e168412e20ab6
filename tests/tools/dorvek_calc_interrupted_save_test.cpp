// A save caught in the middle of its writing, then ended by a signal or let go on: the
// file it replaces is its old self until the new one is complete.

#include "tests/tools/spawned_calc.h"
#include "window/curve_picture.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <span>
#include <string>

namespace dorvek::test {
namespace {

const QByteArray oldBytes = QByteArray("an older picture, which must survive\n").repeated(100);
const QByteArray pngSignature("\x89PNG\r\n\x1a\n", 8);

QByteArray curveMetafile() {
    const std::span<const std::byte> picture = window::curvePicture();
    return QByteArray(reinterpret_cast<const char*>(picture.data()),
                      static_cast<qsizetype>(picture.size()));
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

struct InterruptCase {
    const char* name;
    const char* option; // --emf or --png
    int signalNumber;   // 0: none, the save goes on
};

void PrintTo(const InterruptCase& row, std::ostream* out) {
    *out << row.name;
}

class InterruptedSaveTest : public ::testing::TestWithParam<InterruptCase> {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        // The shim compares the system's own name for the folder.
        folderPath = QDir(folder.path()).canonicalPath();
        QFile old(file());
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        ASSERT_EQ(old.write(oldBytes), oldBytes.size());
    }
    QString file() const { return folderPath + QStringLiteral("/curve"); }
    QStringList names() const {
        return QDir(folderPath)
            .entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }

    QTemporaryDir folder;
    QString folderPath;
};

TEST_P(InterruptedSaveTest, TheOldFileStaysWholeUntilTheNewOneIsComplete) {
    const InterruptCase& row = GetParam();
    SpawnedCalc calc({{row.option, file().toStdString()},
                      {"/dev/null", "/dev/null", "/dev/null"},
                      folderPath.toStdString()});
    const std::optional<int> stopped = calc.waitUntilStoppedOrEnded();
    ASSERT_TRUE(stopped && WIFSTOPPED(*stopped)) << "the save was never caught writing";

    // Mid-write: the old file as it was, and beside it part of the new one.
    EXPECT_EQ(contents(file()), oldBytes);
    const QStringList during = names();
    ASSERT_EQ(during.size(), 2) << during.join(u' ').toStdString();
    const QString newFile = during.value(during.indexOf(QStringLiteral("curve")) == 0 ? 1 : 0);
    const QByteArray part = contents(folderPath + u'/' + newFile);
    EXPECT_FALSE(part.isEmpty());
    if (row.option == std::string_view("--emf")) {
        EXPECT_LT(part.size(), curveMetafile().size());
        EXPECT_TRUE(curveMetafile().startsWith(part));
    } else {
        EXPECT_TRUE(part.startsWith(pngSignature));
    }

    if (row.signalNumber != 0) {
        kill(calc.pid(), row.signalNumber);
    }
    kill(calc.pid(), SIGCONT);
    const std::optional<int> ended = calc.waitUntilStoppedOrEnded();
    ASSERT_TRUE(ended.has_value());
    if (row.signalNumber != 0) {
        // Ended by the signal, as a caller waiting for it expects, not by an exit.
        ASSERT_TRUE(WIFSIGNALED(*ended)) << "status " << *ended;
        EXPECT_EQ(WTERMSIG(*ended), row.signalNumber);
        EXPECT_EQ(contents(file()), oldBytes);
    } else {
        ASSERT_TRUE(WIFEXITED(*ended)) << "status " << *ended;
        EXPECT_EQ(WEXITSTATUS(*ended), 0);
        const QByteArray saved = contents(file());
        if (row.option == std::string_view("--emf")) {
            EXPECT_EQ(saved, curveMetafile());
        } else {
            EXPECT_TRUE(saved.startsWith(pngSignature));
            EXPECT_TRUE(saved.endsWith(QByteArray("IEND\xae\x42\x60\x82", 8)));
        }
    }
    EXPECT_EQ(names(), QStringList{QStringLiteral("curve")});
}

INSTANTIATE_TEST_SUITE_P(
    Signals, InterruptedSaveTest,
    ::testing::Values(InterruptCase{"emf_interrupted_by_ctrl_c", "--emf", SIGINT},
                      InterruptCase{"emf_terminated", "--emf", SIGTERM},
                      InterruptCase{"emf_hung_up", "--emf", SIGHUP},
                      InterruptCase{"emf_with_its_reader_gone", "--emf", SIGPIPE},
                      InterruptCase{"png_interrupted_by_ctrl_c", "--png", SIGINT},
                      InterruptCase{"png_terminated", "--png", SIGTERM},
                      InterruptCase{"emf_let_go_on", "--emf", 0},
                      InterruptCase{"png_let_go_on", "--png", 0}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace dorvek::test
