// dorvek-calc explains itself: --help, and for each wrong usage what was wrong.

#include "tests/tools/dorvek_calc_process.h"

#include <QRegularExpression>
#include <gtest/gtest.h>
#include <string>

namespace dorvek::test {
namespace {

struct WrongUsageCase {
    const char* name;
    QStringList arguments;
    const char* cause; // the first line of standard error, after "dorvek-calc: "
};

void PrintTo(const WrongUsageCase& row, std::ostream* out) {
    *out << row.name;
}

class CalcWrongUsageTest : public ::testing::TestWithParam<WrongUsageCase> {};

TEST_P(CalcWrongUsageTest, NamesTheCauseThenShowsTheUsageAndExitsWithTwo) {
    const WrongUsageCase& row = GetParam();
    const CalcRun run = runDorvekCalc(row.arguments, {"DISPLAY", "QT_QPA_PLATFORM"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.standardOutput, QString());
    const QStringList lines = run.standardError.split(QLatin1Char('\n'));
    EXPECT_EQ(lines.front(), QStringLiteral("dorvek-calc: ") + QString::fromUtf8(row.cause))
        << run.standardError.toStdString();
    EXPECT_TRUE(lines.value(1).startsWith(QStringLiteral("Kullanım: dorvek-calc")))
        << run.standardError.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, CalcWrongUsageTest,
    ::testing::Values(
        WrongUsageCase{"unknown_option", {"--foo", "1", "2"}, "bilinmeyen seçenek: --foo"},
        WrongUsageCase{"unknown_option_as_a_bound", {"--foo", "1"}, "bilinmeyen seçenek: --foo"},
        WrongUsageCase{"unknown_option_after_bounds",
                       {"1", "2", "--verbose"},
                       "bilinmeyen seçenek: --verbose"},
        WrongUsageCase{"unknown_picture_option",
                       {"--png", "a.png", "--width", "491x254"},
                       "bilinmeyen seçenek: --width"},
        WrongUsageCase{"no_arguments", {}, "iki sınır gerekir (ALT ÜST), 0 sınır verildi"},
        WrongUsageCase{"one_bound", {"1"}, "iki sınır gerekir (ALT ÜST), 1 sınır verildi"},
        WrongUsageCase{
            "three_bounds", {"1", "2", "3"}, "iki sınır gerekir (ALT ÜST), 3 sınır verildi"},
        WrongUsageCase{"exact_alone", {"--exact"}, "iki sınır gerekir (ALT ÜST), 0 sınır verildi"},
        WrongUsageCase{"one_bound_after_the_end_of_options",
                       {"--exact", "--", "-1"},
                       "iki sınır gerekir (ALT ÜST), 1 sınır verildi"},
        WrongUsageCase{"impossible_size",
                       {"--png", "a.png", "--size", "100000x100000"},
                       "--size için geçersiz boyut: 100000x100000 (GENxYÜK, her biri 1 ile 16384 "
                       "arasında)"},
        WrongUsageCase{"width_beyond_the_largest",
                       {"--png", "a.png", "--size", "16385x10"},
                       "--size için geçersiz boyut: 16385x10 (GENxYÜK, her biri 1 ile 16384 "
                       "arasında)"},
        WrongUsageCase{"zero_width",
                       {"--png", "a.png", "--size", "0x10"},
                       "--size için geçersiz boyut: 0x10 (GENxYÜK, her biri 1 ile 16384 arasında)"},
        WrongUsageCase{"size_without_height",
                       {"--png", "a.png", "--size", "491"},
                       "--size için geçersiz boyut: 491 (GENxYÜK, her biri 1 ile 16384 arasında)"},
        WrongUsageCase{"three_sides",
                       {"--png", "a.png", "--size", "491x254x1"},
                       "--size için geçersiz boyut: 491x254x1 (GENxYÜK, her biri 1 ile 16384 "
                       "arasında)"},
        WrongUsageCase{
            "size_without_value", {"--png", "a.png", "--size"}, "--size bir GENxYÜK ister"},
        WrongUsageCase{"size_without_png",
                       {"--size", "10x10", "1", "2"},
                       "--size yalnızca --png ile kullanılır"},
        WrongUsageCase{"emf_without_file", {"--emf"}, "--emf bir DOSYA ister"},
        WrongUsageCase{"emf_with_an_empty_name", {"--emf", ""}, "--emf için dosya adı boş"},
        WrongUsageCase{"png_with_an_empty_name", {"--png", ""}, "--png için dosya adı boş"},
        WrongUsageCase{"png_without_file", {"--png"}, "--png bir DOSYA ister"},
        WrongUsageCase{"emf_with_a_second_file",
                       {"--emf", "a.emf", "b.emf"},
                       "--emf sınır almaz; fazladan argüman: b.emf"},
        WrongUsageCase{"emf_and_png",
                       {"--emf", "a.emf", "--png", "a.png"},
                       "--emf ile --png birlikte kullanılmaz"},
        WrongUsageCase{
            "exact_picture", {"--exact", "--png", "a.png"}, "--exact, --png ile kullanılmaz"},
        WrongUsageCase{
            "repeated_option", {"--exact", "--exact", "1", "2"}, "--exact iki kez verildi"},
        WrongUsageCase{
            "help_with_more", {"--help", "extra"}, "--help başka argümanla kullanılmaz"}),
    [](const auto& info) { return std::string(info.param.name); });

// The help's section that starts with the given heading, up to the next blank line.
QStringList section(const QString& help, const QString& heading) {
    const QStringList lines = help.split(QLatin1Char('\n'));
    const qsizetype start = lines.indexOf(heading);
    if (start < 0) {
        return {};
    }
    QStringList body;
    for (qsizetype i = start + 1; i < lines.size() && !lines[i].isEmpty(); ++i) {
        body << lines[i];
    }
    return body;
}

class CalcHelpTest : public ::testing::Test {
protected:
    void SetUp() override {
        const CalcRun run = runDorvekCalc({"--help"}, {});
        ASSERT_EQ(run.exitCode, 0);
        ASSERT_EQ(run.standardError, QString());
        help = run.standardOutput;
    }
    QString help;
};

TEST_F(CalcHelpTest, DescribesEveryOptionAndExitStatus) {
    EXPECT_TRUE(help.contains(QStringLiteral("Standart normal dağılımda ALT ile ÜST arasındaki")));
    const QString options = section(help, QStringLiteral("Seçenekler:")).join(QLatin1Char('\n'));
    for (const char* option : {"--exact", "--emf DOSYA", "--png DOSYA", "--size GENxYÜK", "--",
                               "-h, --help", "--version"}) {
        const QRegularExpression described(
            QStringLiteral("^  %1 +\\S").arg(QRegularExpression::escape(QString::fromUtf8(option))),
            QRegularExpression::MultilineOption);
        EXPECT_TRUE(described.match(options).hasMatch()) << option;
    }
    const QString statuses = section(help, QStringLiteral("Çıkış durumu:")).join(QLatin1Char('\n'));
    for (const char* status : {"0", "1", "2"}) {
        const QRegularExpression described(QStringLiteral("^  %1  \\S").arg(QLatin1String(status)),
                                           QRegularExpression::MultilineOption);
        EXPECT_TRUE(described.match(statuses).hasMatch()) << "exit status " << status;
    }
}

// Each example is a command ("$ " and any environment settings first) and what it
// prints; run here, it prints just that.
TEST_F(CalcHelpTest, ExamplesPrintWhatTheHelpShows) {
    const QStringList examples = section(help, QStringLiteral("Örnekler:"));
    int commands = 0;
    for (qsizetype i = 0; i < examples.size(); ++i) {
        if (!examples[i].startsWith(QStringLiteral("  $ "))) {
            continue;
        }
        ++commands;
        QStringList words = examples[i].mid(4).split(QLatin1Char(' '));
        // At most one setting, such as the locale, before the command.
        std::string variable;
        std::string value;
        if (words.value(0).contains(QLatin1Char('='))) {
            variable = words.front().section(QLatin1Char('='), 0, 0).toStdString();
            value = words.front().section(QLatin1Char('='), 1).toStdString();
            words.removeFirst();
        }
        ASSERT_EQ(words.value(0), QStringLiteral("dorvek-calc")) << examples[i].toStdString();
        words.removeFirst();
        QString shown;
        for (qsizetype j = i + 1; j < examples.size() && !examples[j].startsWith(u"  $ "); ++j) {
            shown += examples[j].mid(2) + QLatin1Char('\n');
        }
        // A locale set with LC_ALL is set where the platform keeps it.
        const CalcRun run =
            variable == "LC_ALL"
                ? runDorvekCalcIn(value.c_str(), words)
                : runDorvekCalc(words, {"LC_ALL", "LC_NUMERIC", "LANG", "LANGUAGE"},
                                {{variable.c_str(), variable.empty() ? nullptr : value.c_str()}});
        EXPECT_EQ(run.exitCode, 0) << examples[i].toStdString();
        EXPECT_EQ(run.standardOutput, shown) << examples[i].toStdString();
    }
    EXPECT_EQ(commands, 2);
}

} // namespace
} // namespace dorvek::test
