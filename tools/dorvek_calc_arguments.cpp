#include "dorvek_calc_arguments.h"

#include "host/runtime/number_locale.h"

#include <QString>
#include <charconv>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dorvek::tools {

const char* const usageText = "Kullanım: dorvek-calc [--exact] [--] ALT ÜST\n"
                              "         dorvek-calc --emf DOSYA\n"
                              "         dorvek-calc --png DOSYA [--size GENxYÜK]\n"
                              "         dorvek-calc --help | --version\n";

namespace {

// What --help adds to the usage lines.
const char* const helpDetails =
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
    "                   biri 1 ile @LARGEST@ arasında (öntanımlı @DEFAULT@)\n"
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

constexpr int largestSide = 16384;

// "WIDTHxHEIGHT", both whole numbers from 1 to largestSide.
std::optional<QSize> parseSize(std::string_view text) {
    const std::size_t separator = text.find('x');
    if (separator == std::string_view::npos) {
        return std::nullopt;
    }
    const auto number = [](std::string_view digits) -> std::optional<int> {
        int value = 0;
        const auto [end, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), value);
        if (error != std::errc() || end != digits.data() + digits.size() || value < 1 ||
            value > largestSide) {
            return std::nullopt;
        }
        return value;
    };
    const std::optional<int> width = number(text.substr(0, separator));
    const std::optional<int> height = number(text.substr(separator + 1));
    if (!width || !height) {
        return std::nullopt;
    }
    return QSize(*width, *height);
}

// The options as given, before they are checked against each other.
struct GivenOptions {
    bool help = false;
    bool version = false;
    bool exact = false;
    const char* metafileFile = nullptr;
    const char* pngFile = nullptr;
    std::optional<QSize> size;
    std::vector<const char*> bounds;
};

WrongUsage givenTwice(std::string_view option) {
    return WrongUsage(std::string(option) + " iki kez verildi");
}

void once(bool& given, std::string_view option) {
    if (given) {
        throw givenTwice(option);
    }
    given = true;
}

// Whether an argument that begins with '-' is a negative bound: what follows the sign
// starts a number, a digit or a decimal separator ("-5", "-,5", "-.5"). Whether all of
// it is a number is the number reader's to say, and its error tells the user more than
// "unknown option" would.
bool isNegativeBound(const char* argument, QChar decimalSeparator) {
    const QString text = QString::fromLocal8Bit(argument);
    if (text.size() < 2 || text[0] != QLatin1Char('-')) {
        return false;
    }
    const QChar next = text[1];
    return (next >= QLatin1Char('0') && next <= QLatin1Char('9')) || next == QLatin1Char('.') ||
           next == QLatin1Char(',') || next == decimalSeparator;
}

// Bounds may be negative, so an argument that begins with '-' is an option unless it
// is a negative bound; after "--" none is.
GivenOptions readOptions(std::span<char* const> arguments, QChar decimalSeparator) {
    GivenOptions given;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (optionsEnded || !argument.starts_with('-') ||
            isNegativeBound(arguments[i], decimalSeparator)) {
            given.bounds.push_back(arguments[i]);
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        if (argument == "--help" || argument == "-h") {
            once(given.help, argument);
            continue;
        }
        if (argument == "--version") {
            once(given.version, argument);
            continue;
        }
        if (argument == "--exact") {
            once(given.exact, argument);
            continue;
        }
        if (argument != "--emf" && argument != "--png" && argument != "--size") {
            throw WrongUsage("bilinmeyen seçenek: " + std::string(argument));
        }
        const bool takesSize = argument == "--size";
        if (i + 1 == arguments.size()) {
            throw WrongUsage(std::string(argument) +
                             (takesSize ? " bir GENxYÜK ister" : " bir DOSYA ister"));
        }
        const char* value = arguments[++i];
        if (takesSize) {
            if (given.size) {
                throw givenTwice(argument);
            }
            given.size = parseSize(value);
            if (!given.size) {
                throw WrongUsage("--size için geçersiz boyut: " + std::string(value) +
                                 " (GENxYÜK, her biri 1 ile " + std::to_string(largestSide) +
                                 " arasında)");
            }
        } else {
            if (*value == '\0') {
                throw WrongUsage(std::string(argument) + " için dosya adı boş");
            }
            const char*& file = argument == "--emf" ? given.metafileFile : given.pngFile;
            if (file != nullptr) {
                throw givenTwice(argument);
            }
            file = value;
        }
    }
    return given;
}

} // namespace

std::string versionText() {
    return "dorvek-calc (" DORVEK_TITLE ") " DORVEK_VERSION "\n";
}

std::string helpText() {
    std::string details = helpDetails;
    const auto fill = [&details](std::string_view placeholder, const std::string& value) {
        details.replace(details.find(placeholder), placeholder.size(), value);
    };
    const QSize picture = Command().pngSize;
    fill("@LARGEST@", std::to_string(largestSide));
    fill("@DEFAULT@", std::to_string(picture.width()) + "x" + std::to_string(picture.height()));
    return std::string(usageText) + "\n" + details;
}

Command parseCommand(std::span<char* const> arguments, const host::NumberLocale& locale) {
    const GivenOptions given = readOptions(arguments, locale.decimalSeparator);
    Command command;
    if (given.help || given.version) {
        const std::string option = arguments.front();
        if (arguments.size() != 1) {
            throw WrongUsage(option + " başka argümanla kullanılmaz");
        }
        command.action = given.help ? Command::Action::Help : Command::Action::Version;
        return command;
    }
    if (given.metafileFile != nullptr && given.pngFile != nullptr) {
        throw WrongUsage("--emf ile --png birlikte kullanılmaz");
    }
    if (given.size && given.pngFile == nullptr) {
        throw WrongUsage("--size yalnızca --png ile kullanılır");
    }
    if (given.metafileFile != nullptr || given.pngFile != nullptr) {
        const std::string option = given.metafileFile != nullptr ? "--emf" : "--png";
        if (given.exact) {
            throw WrongUsage("--exact, " + option + " ile kullanılmaz");
        }
        if (!given.bounds.empty()) {
            throw WrongUsage(option + " sınır almaz; fazladan argüman: " + given.bounds.front());
        }
        command.action =
            given.metafileFile != nullptr ? Command::Action::Metafile : Command::Action::Png;
        command.file = given.metafileFile != nullptr ? given.metafileFile : given.pngFile;
        command.pngSize = given.size.value_or(command.pngSize);
        return command;
    }
    if (given.bounds.size() != 2) {
        throw WrongUsage("iki sınır gerekir (ALT ÜST), " + std::to_string(given.bounds.size()) +
                         " sınır verildi");
    }
    command.exact = given.exact;
    command.lower = given.bounds[0];
    command.upper = given.bounds[1];
    return command;
}

} // namespace dorvek::tools
