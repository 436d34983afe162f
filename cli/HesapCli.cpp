#include "HesapCli.h"

#include "app/AppInfo.h"
#include "interest/Breakdown.h"
#include "interest/InterestEngine.h"
#include "ratelist/FaizFile.h"
#include "ratelist/RateListStore.h"
#include "text/TextForms.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <optional>
#include <string_view>
#include <system_error>
#include <variant>

namespace mirvane::cli {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view HelpText =
    R"(mirvane-hesap: Mirvane faiz hesaplayıcısının komut satırı sürümü.

Bir anapara için, başlangıç ve bitiş tarihleri arasındaki basit faizi seçilen
faiz oranı listesinin dönemlerine bölerek hesaplar; program penceresiyle aynı
kuralları ve aynı listeleri kullanır.

Kullanım:
  mirvane-hesap --liste AD --anapara TUTAR --baslangic GG.AA.YYYY --bitis GG.AA.YYYY
                [--360] [--klasor KLASOR] [--json]
  mirvane-hesap --dosya YOL --anapara TUTAR --baslangic GG.AA.YYYY --bitis GG.AA.YYYY
                [--360] [--json]
  mirvane-hesap --listeler [--klasor KLASOR]
  mirvane-hesap --help

Seçenekler:
  --liste AD          Kullanılacak faiz oranı listesinin adı (--listeler ile
                      görülen adlardan biri; adında boşluk varsa tırnak içinde).
  --dosya YOL         Liste klasörü yerine, herhangi bir yerdeki bu ".faiz"
                      dosyasını okur. --liste ile birlikte kullanılamaz.
  --anapara TUTAR     Anapara. Ondalık ayırıcı virgül, binlik ayırıcı noktadır:
                      1000, 1000,5 ve 1.234,50 geçerlidir.
  --baslangic TARİH   Başlangıç tarihi, GG.AA.YYYY biçiminde (örnek: 01.07.2005).
  --bitis TARİH       Bitiş tarihi, GG.AA.YYYY biçiminde.
  --360               Yılı 360 gün sayar (verilmezse 365 gün).
  --klasor KLASOR     Faiz oranı listelerinin klasörü. Verilmezse programın
                      yanındaki "Veriler/Faizler" klasörü kullanılır (oraya
                      yazılamıyorsa kullanıcının kendi veri klasörü). Klasör yoksa
                      oluşturulur; içinde hiç liste yoksa üç hazır liste yazılır.
                      --dosya verildiğinde klasöre bakılmaz.
  --json              Sonucu JSON olarak yazar.
  --listeler          Klasördeki listelerin adlarını, program penceresindeki
                      sırayla, her satıra bir ad olarak yazar.
  -h, --help          Bu açıklamayı yazar.

Çıktı:
  Faiz dökümü sekmeyle ayrılmış satırlar olarak yazılır: başlık satırı, her
  dönem dilimi için bir satır (başlangıç tarihi, bitiş tarihi, faiz oranı, gün
  sayısı, faiz miktarı) ve en sonda "Faiz Toplamı: " satırı.
  --json ile: {"liste": ad, "satirlar": [{"donem", "baslangic", "bitis", "oran",
  "gun", "miktar", "tutar"}, ...], "toplam": toplam, "uyari": ...}; tarihler
  YYYY-AA-GG, tutarlar sayı olarak yazılır ("tutar" o satıra kadarki toplamdır).
  Bitiş tarihi listenin son döneminden sonraysa son dönemin oranı sonrasına da
  uygulanır; bu durumda hata çıktısına bir uyarı yazılır ve JSON'daki "uyari"
  alanı {"metin", "son_bitis", "oran", "baslangic", "gun"} olur (aksi halde null).

Çıkış kodları:
  0  Hesaplama yapıldı (ya da yardım veya liste adları yazıldı).
  1  Girilen değerler kabul edilmedi; nedeni hata çıktısına yazılır.
  2  Kullanım hatası, bulunamayan liste ya da okunamayan liste dosyası.
  3  Hesaplama sırasında çalışma hatası (örneğin taşma); hata kodu ve
     açıklaması hata çıktısına yazılır.
)";

constexpr std::string_view HelpHint = "Kullanım için: mirvane-hesap --help";

struct Options {
    bool help = false;
    bool listNames = false;
    bool yearIs360 = false;
    bool json = false;
    std::optional<std::string> listName;
    std::optional<std::string> file;
    std::optional<std::string> principal;
    std::optional<std::string> start;
    std::optional<std::string> end;
    std::optional<std::string> folder;
};

// A refusal of the arguments themselves: bad options, an unknown list, an unreadable file.
struct UsageError {
    std::string message;
};

template <class T> using OrUsage = std::variant<T, UsageError>;

struct ValueOption {
    std::string_view name;
    std::optional<std::string> Options::*field;
};

struct FlagOption {
    std::string_view name;
    bool Options::*field;
};

constexpr std::array<ValueOption, 6> ValueOptions{{
    {"--liste", &Options::listName},
    {"--dosya", &Options::file},
    {"--anapara", &Options::principal},
    {"--baslangic", &Options::start},
    {"--bitis", &Options::end},
    {"--klasor", &Options::folder},
}};

constexpr std::array<FlagOption, 5> FlagOptions{{
    {"--360", &Options::yearIs360},
    {"--json", &Options::json},
    {"--listeler", &Options::listNames},
    {"--help", &Options::help},
    {"-h", &Options::help},
}};

std::string inQuotes(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

bool asksForHelp(const std::vector<std::string>& args) {
    for (const std::string& arg : args) {
        if (arg == "--help" || arg == "-h") {
            return true;
        }
    }
    return false;
}

// Reads the arguments into options; every option may be given once.
OrUsage<Options> parseOptions(const std::vector<std::string>& args) {
    Options options;
    for (std::size_t index = 0; index < args.size(); ++index) {
        const std::string& arg = args[index];
        bool known = false;
        for (const ValueOption& option : ValueOptions) {
            if (arg != option.name) {
                continue;
            }
            known = true;
            if (index + 1 >= args.size()) {
                return UsageError{arg + " seçeneğinin değeri eksik."};
            }
            if (options.*option.field) {
                return UsageError{arg + " seçeneği birden fazla verildi."};
            }
            options.*option.field = args[++index];
        }
        for (const FlagOption& option : FlagOptions) {
            if (arg == option.name) {
                known = true;
                options.*option.field = true;
            }
        }
        if (!known) {
            return UsageError{"Bilinmeyen seçenek: " + inQuotes(arg) + "."};
        }
    }
    return options;
}

std::optional<UsageError> checkListNamesOptions(const Options& options) {
    if (options.listName || options.file || options.principal || options.start || options.end ||
        options.yearIs360 || options.json) {
        return UsageError{"--listeler yalnızca --klasor ile birlikte kullanılabilir."};
    }
    return std::nullopt;
}

std::optional<UsageError> checkCalculationOptions(const Options& options) {
    if (options.listName && options.file) {
        return UsageError{"--liste ve --dosya birlikte kullanılamaz; yalnızca birini verin."};
    }
    if (!options.listName && !options.file) {
        return UsageError{"Hesaplama için --liste AD ya da --dosya YOL gerekli."};
    }
    const std::array<std::pair<std::string_view, const std::optional<std::string>*>, 3> required{{
        {"--anapara", &options.principal},
        {"--baslangic", &options.start},
        {"--bitis", &options.end},
    }};
    for (const auto& [name, value] : required) {
        if (!*value) {
            return UsageError{std::string(name) + " seçeneği gerekli."};
        }
    }
    return std::nullopt;
}

OrUsage<Date> parseDateOption(std::string_view option, const std::string& value) {
    if (std::optional<Date> date = text::parseDate(value)) {
        return *date;
    }
    return UsageError{std::string(option) + " için geçersiz tarih: " + inQuotes(value) +
                      ". Tarih GG.AA.YYYY biçiminde olmalı (örnek: 01.07.2005)."};
}

// A full stop in the principal may only group thousands: "1000.50" is refused instead
// of being read as 100050, which is what the Turkish reading would make of it.
bool fullStopsGroupThousands(std::string_view principal) {
    const std::string_view integer = principal.substr(0, principal.find(','));
    std::size_t groupStart = integer.find_first_not_of(" \t");
    const std::size_t integerEnd = integer.find_last_not_of(" \t") + 1;
    if (groupStart == std::string_view::npos || integer.find('.') == std::string_view::npos) {
        return true;
    }
    bool first = true;
    while (groupStart <= integerEnd) {
        const std::size_t dot = std::min(integer.find('.', groupStart), integerEnd);
        const std::size_t length = dot - groupStart;
        if (first ? (length < 1 || length > 3) : length != 3) {
            return false;
        }
        first = false;
        groupStart = dot + 1;
    }
    return true;
}

// An empty principal is the calculation's own refusal; any other text must be an
// amount the principal field could hold.
std::optional<UsageError> checkPrincipal(const std::string& principal) {
    const bool empty = principal.find_first_not_of(" \t") == std::string::npos;
    if (empty || (text::isNumericText(principal) && fullStopsGroupThousands(principal))) {
        return std::nullopt;
    }
    return UsageError{"--anapara için geçersiz tutar: " + inQuotes(principal) +
                      ". Ondalık ayırıcı virgül, binlik ayırıcı noktadır (örnek: 1.234,50)."};
}

// The list folder as the main window would use it, created and filled with the
// default lists when needed.
fs::path preparedListFolder(const Options& options, const fs::path& programFolder) {
    if (options.folder) {
        const fs::path folder(*options.folder);
        store::prepareFolder(folder);
        return folder;
    }
    return store::chooseAndPrepareListFolder(programFolder);
}

OrUsage<RateList> readFile(const fs::path& file) {
    Result<RateList> list = faiz::read(file);
    if (!list) {
        return UsageError{"Liste dosyası okunamadı: " + inQuotes(file.string()) + " (" +
                          std::string(app::ErrorNumberLabel) + " " +
                          std::to_string(list.error().number) + ", " + list.error().description +
                          ")."};
    }
    return std::move(list).value();
}

OrUsage<RateList> readNamedList(const Options& options, const fs::path& programFolder) {
    const fs::path folder = preparedListFolder(options, programFolder);
    const std::string& name = *options.listName;
    const std::vector<std::string> names = store::enumerateListNames(folder);
    if (std::find(names.begin(), names.end(), name) == names.end()) {
        return UsageError{inQuotes(name) + " adlı faiz oranı listesi " + inQuotes(folder.string()) +
                          " klasöründe bulunamadı. Listeleri görmek için: mirvane-hesap "
                          "--listeler"};
    }
    return readFile(store::ListFilePath(folder, name));
}

OrUsage<RateList> readList(const Options& options, const fs::path& programFolder) {
    if (options.file) {
        return readFile(fs::path(*options.file));
    }
    return readNamedList(options, programFolder);
}

std::string isoDate(Date date) {
    const std::chrono::year_month_day day{date};
    std::array<char, 16> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%04d-%02u-%02u", static_cast<int>(day.year()),
                  static_cast<unsigned>(day.month()), static_cast<unsigned>(day.day()));
    return buffer.data();
}

std::string jsonNumber(double value) {
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

std::string jsonString(std::string_view text) {
    std::string json = "\"";
    for (const char character : text) {
        const auto byte = static_cast<unsigned char>(character);
        if (character == '"' || character == '\\') {
            json += '\\';
            json += character;
        } else if (byte < 0x20) {
            std::array<char, 8> escape{};
            std::snprintf(escape.data(), escape.size(), "\\u%04x", byte);
            json += escape.data();
        } else {
            json += character;
        }
    }
    return json + "\"";
}

// Amounts as the texts show them: rounded to two decimals.
std::string jsonMoney(double value) {
    return jsonNumber(text::roundMoney(value));
}

std::string jsonRow(const interest::InterestRow& row) {
    return "{\"donem\":" + std::to_string(row.PeriodNumber) + ",\"baslangic\":\"" +
           isoDate(row.StartDate) + "\",\"bitis\":\"" + isoDate(row.EndDate) +
           "\",\"oran\":" + jsonNumber(row.Rate) + ",\"gun\":" + std::to_string(row.Days) +
           ",\"miktar\":" + jsonMoney(row.Amount) + ",\"tutar\":" + jsonMoney(row.RunningTotal) +
           "}";
}

// null when the list covered the whole range.
std::string jsonRunOn(const std::optional<interest::RunOnPastListEnd>& runOn) {
    if (!runOn) {
        return "null";
    }
    return "{\"metin\":" + jsonString(breakdown::runOnNotice(*runOn)) + ",\"son_bitis\":\"" +
           isoDate(runOn->listEnd) + "\",\"oran\":" + jsonNumber(runOn->rate) +
           ",\"baslangic\":\"" + isoDate(runOn->from) +
           "\",\"gun\":" + std::to_string(runOn->days) + "}";
}

std::string jsonText(std::string_view listName, const interest::Calculation& calculation) {
    std::string json = "{\"liste\":" + jsonString(listName) + ",\"satirlar\":[";
    for (std::size_t index = 0; index < calculation.rows.size(); ++index) {
        if (index > 0) {
            json += ',';
        }
        json += jsonRow(calculation.rows[index]);
    }
    return json + "],\"toplam\":" + jsonMoney(calculation.total) +
           ",\"uyari\":" + jsonRunOn(calculation.ranPastListEnd) + "}\n";
}

std::string breakdownText(const interest::Calculation& calculation) {
    std::vector<breakdown::RowCells> rows;
    rows.reserve(calculation.rows.size());
    for (const interest::InterestRow& row : calculation.rows) {
        rows.push_back(breakdown::rowCells(row));
    }
    return breakdown::exportTextForTerminal(rows, breakdown::totalText(calculation.total));
}

int reportUsage(const UsageError& usage, std::ostream& err) {
    err << usage.message << '\n' << HelpHint << '\n';
    return ExitUsage;
}

int reportRunTimeError(const RunTimeError& error, std::ostream& err) {
    err << app::ErrorNumberLabel << ' ' << error.number << '\n'
        << app::ErrorMessageLabel << ' ' << error.description << '\n';
    return ExitRunTime;
}

int printListNames(const Options& options, const fs::path& programFolder, std::ostream& out,
                   std::ostream& err) {
    if (std::optional<UsageError> usage = checkListNamesOptions(options)) {
        return reportUsage(*usage, err);
    }
    for (const std::string& name :
         store::enumerateListNames(preparedListFolder(options, programFolder))) {
        out << name << '\n';
    }
    return ExitOk;
}

int calculate(const Options& options, const fs::path& programFolder, std::ostream& out,
              std::ostream& err) {
    if (std::optional<UsageError> usage = checkCalculationOptions(options)) {
        return reportUsage(*usage, err);
    }
    if (std::optional<UsageError> usage = checkPrincipal(*options.principal)) {
        return reportUsage(*usage, err);
    }
    const OrUsage<Date> start = parseDateOption("--baslangic", *options.start);
    const OrUsage<Date> end = parseDateOption("--bitis", *options.end);
    for (const OrUsage<Date>* date : {&start, &end}) {
        if (const UsageError* usage = std::get_if<UsageError>(date)) {
            return reportUsage(*usage, err);
        }
    }
    const OrUsage<RateList> list = readList(options, programFolder);
    if (const UsageError* usage = std::get_if<UsageError>(&list)) {
        return reportUsage(*usage, err);
    }
    const RateList& rateList = std::get<RateList>(list);
    const interest::Inputs inputs{std::get<Date>(start), std::get<Date>(end), *options.principal,
                                  interest::DayCountDivisor(options.yearIs360)};
    const interest::Outcome outcome = interest::calculate(rateList, inputs);
    if (const auto* rejection = std::get_if<interest::Rejection>(&outcome)) {
        err << rejection->message << '\n';
        return ExitRejected;
    }
    const auto& calculation = std::get<interest::Calculation>(outcome);
    if (calculation.failure) {
        return reportRunTimeError(*calculation.failure, err);
    }
    out << (options.json ? jsonText(rateList.Name, calculation) : breakdownText(calculation));
    if (calculation.ranPastListEnd) {
        err << breakdown::runOnNotice(*calculation.ranPastListEnd) << '\n';
    }
    return ExitOk;
}

} // namespace

int run(const std::vector<std::string>& args, const std::filesystem::path& programFolder,
        std::ostream& out, std::ostream& err) {
    if (asksForHelp(args)) {
        out << HelpText;
        return ExitOk;
    }
    if (args.empty()) {
        return reportUsage(UsageError{"Hiçbir seçenek verilmedi."}, err);
    }
    const OrUsage<Options> options = parseOptions(args);
    if (const UsageError* usage = std::get_if<UsageError>(&options)) {
        return reportUsage(*usage, err);
    }
    const Options& parsed = std::get<Options>(options);
    if (parsed.listNames) {
        return printListNames(parsed, programFolder, out, err);
    }
    return calculate(parsed, programFolder, out, err);
}

} // namespace mirvane::cli
