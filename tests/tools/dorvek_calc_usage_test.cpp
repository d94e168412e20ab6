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
        WrongUsageCase{"help_with_more", {"--help", "extra"}, "--help başka argümanla kullanılmaz"},
        WrongUsageCase{"short_help_with_more", {"-h", "1", "2"}, "-h başka argümanla kullanılmaz"},
        WrongUsageCase{"help_twice", {"--help", "-h"}, "-h iki kez verildi"},
        WrongUsageCase{"version_with_bounds",
                       {"--version", "1", "2"},
                       "--version başka argümanla kullanılmaz"},
        WrongUsageCase{
            "version_after_help", {"--help", "--version"}, "--help başka argümanla kullanılmaz"},
        WrongUsageCase{"version_twice", {"--version", "--version"}, "--version iki kez verildi"},
        // A dash followed by anything but a digit or a decimal separator is an option.
        WrongUsageCase{"capital_v", {"-V"}, "bilinmeyen seçenek: -V"},
        WrongUsageCase{"capital_v_before_bounds", {"-V", "1", "2"}, "bilinmeyen seçenek: -V"},
        WrongUsageCase{"short_option_after_bounds", {"1", "2", "-x"}, "bilinmeyen seçenek: -x"},
        WrongUsageCase{"dash_alone", {"-", "1"}, "bilinmeyen seçenek: -"},
        WrongUsageCase{"dash_then_exponent", {"-e5", "1"}, "bilinmeyen seçenek: -e5"},
        WrongUsageCase{"dash_then_blank", {"- 5", "1"}, "bilinmeyen seçenek: - 5"},
        WrongUsageCase{"dash_then_plus", {"-+5", "1"}, "bilinmeyen seçenek: -+5"}),
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

// What a user reads, whole: a changed word, a lost line or the default size written
// height first shows here.
const char* const wholeHelp =
    "Kullanım: dorvek-calc [--exact] [--] ALT ÜST\n"
    "         dorvek-calc --emf DOSYA\n"
    "         dorvek-calc --png DOSYA [--size GENxYÜK]\n"
    "         dorvek-calc --help | --version\n"
    "\n"
    "Standart normal dağılımda ALT ile ÜST arasındaki olasılığı, Dorvek Olasılıklar\n"
    "penceresinin sonuç kutusunda göstereceği metinle yazar.\n"
    "\n"
    "Sınırlar kullanıcının yerel ayarına göre okunur: isteğe bağlı bir işaret,\n"
    "rakamlar, en çok bir ondalık ayırıcı ('.' ya da ','), isteğe bağlı bir üs\n"
    "(e ya da E). Negatif bir sınır tırnak istemez: '-' ile başlayan bir argüman,\n"
    "ardından bir rakam, nokta ya da virgül geliyorsa sınırdır, gelmiyorsa\n"
    "seçenektir. Olasılık yamuk kuralıyla 10000 aralık üzerinden hesaplanır; beş\n"
    "ondalıkla, yerel ayarın ondalık ayırıcısıyla yazılır.\n"
    "\n"
    "Resim DOSYA'nın yanındaki yeni bir dosyaya yazılır ve ancak tamamlanınca\n"
    "DOSYA'nın yerini alır: yazma yarıda kalırsa (dolu disk, Ctrl+C) DOSYA olduğu\n"
    "gibi kalır.\n"
    "\n"
    "Seçenekler:\n"
    "  --exact          olasılığı yuvarlamadan yazar: aynı double değere geri okunan\n"
    "                   en kısa ondalık sayı, her zaman noktayla\n"
    "  --emf DOSYA      pencerenin eğri resmini gelişmiş meta dosyası (EMF) olarak\n"
    "                   DOSYA'ya yazar; DOSYA - ise standart çıktıya\n"
    "  --png DOSYA      eğri resmini PNG olarak DOSYA'ya çizer (- ise standart\n"
    "                   çıktıya); resmin boyamadığı yerler saydamdır\n"
    "  --size GENxYÜK   --png ile: resmin piksel olarak genişliği ve yüksekliği, her\n"
    "                   biri 1 ile 16384 arasında (öntanımlı 491x254)\n"
    "  --               seçeneklerin sonu: ardından gelenler sınırdır\n"
    "  -h, --help       bu yardımı yazar\n"
    "  --version        programın adını ve sürümünü yazar\n"
    "\n"
    "Çıkış durumu:\n"
    "  0  başarılı\n"
    "  1  hesap hatası: sayı olmayan bir sınır (hata 13), taşma, örneğin mutlak\n"
    "     değeri 37,677'yi aşan bir sınır (hata 6); hatanın numarası ve Türkçe\n"
    "     iletisi standart hataya yazılır. Yazılamayan bir çıktı da (dolu disk,\n"
    "     izin yok, kapalı standart çıktı): neyin neden yazılamadığı standart\n"
    "     hataya yazılır\n"
    "  2  yanlış kullanım: neyin yanlış olduğu ve kullanım standart hataya yazılır\n"
    "\n"
    "Örnekler:\n"
    "  $ LC_ALL=tr_TR.UTF-8 dorvek-calc -1 1\n"
    "  0,68269\n"
    "  $ dorvek-calc --exact -- -5 5\n"
    "  0.9999994266956514\n";

TEST_F(CalcHelpTest, IsExactlyTheText) {
    EXPECT_EQ(help.toStdString(), wholeHelp);
}

// The one line that gives the default picture size: width first, as --size takes it.
TEST_F(CalcHelpTest, GivesTheDefaultSizeWidthFirst) {
    EXPECT_TRUE(help.split(QLatin1Char('\n'))
                    .contains(QStringLiteral("                   biri 1 ile 16384 arasında "
                                             "(öntanımlı 491x254)")));
}

TEST(CalcShortHelpTest, IsTheHelp) {
    const CalcRun shortHelp = runDorvekCalc({"-h"}, {});
    const CalcRun longHelp = runDorvekCalc({"--help"}, {});
    EXPECT_EQ(shortHelp.exitCode, 0);
    EXPECT_EQ(shortHelp.standardError, QString());
    EXPECT_EQ(shortHelp.standardOutput, longHelp.standardOutput);
    EXPECT_TRUE(shortHelp.standardOutput.startsWith(QStringLiteral("Kullanım: dorvek-calc")));
}

TEST(CalcVersionTest, NamesTheProgramAndItsRelease) {
    const CalcRun run = runDorvekCalc({"--version"}, {});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.standardOutput, QStringLiteral("dorvek-calc (Dorvek Olasılıklar) 1.00\n"));
    EXPECT_EQ(run.standardError, QString());
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
