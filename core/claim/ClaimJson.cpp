#include "core/claim/ClaimJson.h"

#include "core/common/SafeFile.h"
#include "core/text/TextForms.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>

namespace mirvane::claim {

namespace {

using Json = nlohmann::ordered_json;

// Deeper than any claim file goes; a hostile file may nest far deeper.
constexpr int MaxDepth = 16;

// A field whose form is wrong; caught at the edge of parse().
struct Bad {
    std::string field;
    std::string text;
};

[[noreturn]] void bad(const std::string& field, std::string text) {
    throw Bad{field, std::move(text)};
}

std::string typeText(const Json& value) {
    switch (value.type()) {
    case Json::value_t::null:
        return "boş (null)";
    case Json::value_t::object:
        return "nesne";
    case Json::value_t::array:
        return "dizi";
    case Json::value_t::string:
        return "metin";
    case Json::value_t::boolean:
        return "doğru/yanlış";
    default:
        return "sayı";
    }
}

const Json& member(const Json& object, const char* key, const std::string& field) {
    const auto found = object.find(key);
    if (found == object.end()) {
        bad(field, "Bu alan eksik.");
    }
    return *found;
}

const Json* optionalMember(const Json& object, const char* key) {
    const auto found = object.find(key);
    return found == object.end() || found->is_null() ? nullptr : &*found;
}

void expect(bool holds, const Json& value, const std::string& field, const char* wanted) {
    if (!holds) {
        bad(field, std::string("Burada ") + wanted + " olmalı, " + typeText(value) + " var.");
    }
}

const Json& objectAt(const Json& object, const char* key, const std::string& field) {
    const Json& value = member(object, key, field);
    expect(value.is_object(), value, field, "bir nesne");
    return value;
}

std::string stringOf(const Json& value, const std::string& field) {
    expect(value.is_string(), value, field, "bir metin");
    return value.get<std::string>();
}

std::string optionalString(const Json& object, const char* key, const std::string& field) {
    const Json* value = optionalMember(object, key);
    return value ? stringOf(*value, field) : std::string();
}

int digit(char character) {
    return character >= '0' && character <= '9' ? character - '0' : -1;
}

// "YYYY-MM-DD", a day the calendar has.
Date dateOf(const Json& value, const std::string& field) {
    const std::string text = stringOf(value, field);
    const bool shaped =
        text.size() == 10 && text[4] == '-' && text[7] == '-' &&
        std::all_of(text.begin(), text.end(), [](char c) { return c == '-' || digit(c) >= 0; });
    if (shaped) {
        const int year = std::stoi(text.substr(0, 4));
        const auto month = static_cast<unsigned>(std::stoi(text.substr(5, 2)));
        const auto day = static_cast<unsigned>(std::stoi(text.substr(8, 2)));
        const std::chrono::year_month_day date{std::chrono::year{year}, std::chrono::month{month},
                                               std::chrono::day{day}};
        if (date.ok()) {
            return Date{date};
        }
    }
    bad(field, "Tarih YYYY-AA-GG biçiminde geçerli bir gün olmalı (\"" + text + "\").");
}

Date dateAt(const Json& object, const char* key, const std::string& field) {
    return dateOf(member(object, key, field), field);
}

// An amount in TL with at most two decimals, as kuruş. The shortest decimal text of the
// number is what the file said (a number read from "12.345" prints back as 12.345).
Kurus kurusOf(const Json& value, const std::string& field) {
    expect(value.is_number(), value, field, "bir sayı");
    constexpr double Limit = static_cast<double>(MaxAmount) / 100.0;
    if (value.is_number_integer()) {
        constexpr auto Most = MaxAmount / 100;
        const bool fits =
            value.is_number_unsigned()
                ? value.get<std::uint64_t>() <= static_cast<std::uint64_t>(Most)
                : value.get<std::int64_t>() >= -Most && value.get<std::int64_t>() <= Most;
        if (!fits) {
            bad(field, "Tutar en fazla 10.000.000.000.000,00 TL olabilir.");
        }
        return value.get<std::int64_t>() * 100;
    }
    const double number = value.get<double>();
    if (!(std::fabs(number) <= Limit)) {
        bad(field, "Tutar en fazla 10.000.000.000.000,00 TL olabilir.");
    }
    std::array<char, 64> buffer{};
    const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), number,
                                       std::chars_format::fixed);
    const std::string_view digits(buffer.data(), written.ptr);
    const std::size_t point = digits.find('.');
    const std::size_t decimals = point == std::string_view::npos ? 0 : digits.size() - point - 1;
    if (decimals > 2) {
        bad(field, "Tutarın en fazla iki ondalık basamağı olabilir (" + std::string(digits) + ").");
    }
    Kurus kurus = 0;
    for (const char character : digits) {
        if (digit(character) >= 0) {
            kurus = kurus * 10 + digit(character);
        }
    }
    for (std::size_t missing = decimals; missing < 2; ++missing) {
        kurus *= 10;
    }
    return number < 0 ? -kurus : kurus;
}

double rateOf(const Json& value, const std::string& field) {
    expect(value.is_number(), value, field, "bir sayı");
    return value.get<double>();
}

const Json& arrayAt(const Json& object, const char* key, const std::string& field,
                    std::size_t most) {
    const Json& value = member(object, key, field);
    expect(value.is_array(), value, field, "bir dizi");
    if (value.size() > most) {
        bad(field, "En fazla " + std::to_string(most) + " öğe olabilir.");
    }
    return value;
}

RateSource rateSourceOf(const Json& item, const std::string& field) {
    const std::string rateField = field + ".oran";
    const Json& rate = objectAt(item, "oran", rateField);
    const Json* list = optionalMember(rate, "liste");
    const Json* fixed = optionalMember(rate, "sabit");
    // Both given: either one could be what the user meant, so neither is picked.
    if (list && fixed) {
        bad(rateField, "Oran ya {\"liste\": AD} ya da {\"sabit\": YÜZDE} olmalı, ikisi birden "
                       "verilemez.");
    }
    if (list) {
        return ListRate{stringOf(*list, rateField + ".liste")};
    }
    if (fixed) {
        return FixedRate{rateOf(*fixed, rateField + ".sabit")};
    }
    bad(rateField, "Oran {\"liste\": AD} ya da {\"sabit\": YÜZDE} olmalı.");
}

Item itemOf(const Json& value, const std::string& field) {
    expect(value.is_object(), value, field, "bir nesne");
    Item item;
    const std::string kind = stringOf(member(value, "tur", field + ".tur"), field + ".tur");
    const std::optional<ItemKind> known = itemKindNamed(kind);
    if (!known) {
        bad(field + ".tur",
            "Bilinmeyen kalem türü \"" + kind + "\" (anapara, masraf ya da vekalet olmalı).");
    }
    item.kind = *known;
    item.description = optionalString(value, "aciklama", field + ".aciklama");
    item.amount = kurusOf(member(value, "tutar", field + ".tutar"), field + ".tutar");
    if (item.kind == ItemKind::Principal) {
        item.interestStart = dateAt(value, "faiz_baslangic", field + ".faiz_baslangic");
        item.rate = rateSourceOf(value, field);
    } else {
        item.date = dateAt(value, "tarih", field + ".tarih");
    }
    return item;
}

Payment paymentOf(const Json& value, const std::string& field) {
    expect(value.is_object(), value, field, "bir nesne");
    Payment payment;
    payment.date = dateAt(value, "tarih", field + ".tarih");
    payment.amount = kurusOf(member(value, "tutar", field + ".tutar"), field + ".tutar");
    payment.description = optionalString(value, "aciklama", field + ".aciklama");
    return payment;
}

std::vector<RatePeriod> periodsOf(const Json& value, const std::string& field) {
    expect(value.is_array(), value, field, "bir dizi");
    if (value.size() > MaxPeriods) {
        bad(field, "Bir listede en fazla 255 dönem olabilir.");
    }
    std::vector<RatePeriod> periods;
    for (std::size_t index = 0; index < value.size(); ++index) {
        const std::string periodField = field + "[" + std::to_string(index + 1) + "]";
        const Json& period = value[index];
        expect(period.is_object(), period, periodField, "bir nesne");
        periods.push_back(
            {dateAt(period, "baslangic", periodField + ".baslangic"),
             dateAt(period, "bitis", periodField + ".bitis"),
             rateOf(member(period, "oran", periodField + ".oran"), periodField + ".oran"),
             optionalString(period, "aciklama", periodField + ".aciklama")});
    }
    return periods;
}

void checkFormat(const Json& root) {
    const Json* format = optionalMember(root, "bicim");
    if (!format || !format->is_string() || format->get<std::string>() != FormatName) {
        bad("bicim", "Bu bir Mirvane hesap dosyası değil (\"bicim\": \"mirvane-hesap-dosyasi\" "
                     "olmalı).");
    }
    const Json& version = member(root, "surum", "surum");
    expect(version.is_number_integer(), version, "surum", "bir tam sayı");
    if (version.is_number_unsigned() ? version.get<std::uint64_t>() > FormatVersion
                                     : version.get<std::int64_t>() > FormatVersion) {
        bad("surum", "Dosya bu programdan daha yeni bir sürümle yazılmış (sürüm " + version.dump() +
                         "); açmak için programı güncelleyin.");
    }
    if (version.get<std::int64_t>() < 1) {
        bad("surum", "Sürüm 1 ya da daha büyük olmalı.");
    }
}

std::vector<Bucket> setOffOrderOf(const Json& root) {
    const Json* order = optionalMember(root, "mahsup_sirasi");
    if (!order) {
        return {DefaultSetOffOrder.begin(), DefaultSetOffOrder.end()};
    }
    expect(order->is_array(), *order, "mahsup_sirasi", "bir dizi");
    if (order->size() > DefaultSetOffOrder.size()) {
        bad("mahsup_sirasi",
            "\"masraf\", \"vekalet\", \"faiz\" ve \"anapara\" birer kez yer almalı.");
    }
    std::vector<Bucket> buckets;
    for (std::size_t index = 0; index < order->size(); ++index) {
        const std::string field = "mahsup_sirasi[" + std::to_string(index + 1) + "]";
        const std::string name = stringOf((*order)[index], field);
        const std::optional<Bucket> bucket = bucketNamed(name);
        if (!bucket) {
            bad(field, "Bilinmeyen mahsup kalemi \"" + name +
                           "\" (masraf, vekalet, faiz ya da anapara olmalı).");
        }
        buckets.push_back(*bucket);
    }
    return buckets;
}

int dayBasisOf(const Json& root) {
    const Json* basis = optionalMember(root, "gun_esasi");
    if (!basis) {
        return 365;
    }
    if (!basis->is_number_integer() || (*basis != 365 && *basis != 360)) {
        bad("gun_esasi", "Yıl 365 ya da 360 gün olmalı.");
    }
    return basis->get<int>();
}

int countOf(const Json& value, const std::string& field) {
    expect(value.is_number_integer(), value, field, "bir tam sayı");
    // Far beyond any plan; the plan names the bound, the reader only keeps it an int.
    constexpr std::int64_t Most = 1'000'000;
    const bool fits = value.is_number_unsigned()
                          ? value.get<std::uint64_t>() <= static_cast<std::uint64_t>(Most)
                          : value.get<std::int64_t>() >= -Most && value.get<std::int64_t>() <= Most;
    if (!fits) {
        bad(field, "Sayı -1000000 ile 1000000 arasında olmalı.");
    }
    return value.get<int>();
}

PlanInterval intervalOf(const Json& object, const std::string& field) {
    const Json* value = optionalMember(object, "aralik");
    if (!value) {
        return PlanInterval::Month;
    }
    const std::string name = stringOf(*value, field);
    if (name == "ay") {
        return PlanInterval::Month;
    }
    if (name == "hafta") {
        return PlanInterval::Week;
    }
    bad(field, "Taksit aralığı \"ay\" ya da \"hafta\" olmalı (\"" + name + "\").");
}

Undertaking undertakingOf(const Json& value) {
    const std::string field = "taahhut";
    expect(value.is_object(), value, field, "bir nesne");
    Undertaking terms;
    terms.date = dateAt(value, "tarih", field + ".tarih");
    if (const Json* down = optionalMember(value, "pesinat")) {
        terms.downPayment = kurusOf(*down, field + ".pesinat");
    }
    terms.count =
        countOf(member(value, "taksit_sayisi", field + ".taksit_sayisi"), field + ".taksit_sayisi");
    terms.firstDue = dateAt(value, "ilk_vade", field + ".ilk_vade");
    terms.interval = intervalOf(value, field + ".aralik");
    if (const Json* amounts = optionalMember(value, "tutarlar")) {
        expect(amounts->is_array(), *amounts, field + ".tutarlar", "bir dizi");
        if (amounts->size() > static_cast<std::size_t>(MaxInstalments)) {
            bad(field + ".tutarlar",
                "En fazla " + std::to_string(MaxInstalments) + " taksit tutarı olabilir.");
        }
        for (std::size_t index = 0; index < amounts->size(); ++index) {
            terms.amounts.push_back(
                kurusOf((*amounts)[index], field + ".tutarlar[" + std::to_string(index + 1) + "]"));
        }
    }
    terms.creditor = optionalString(value, "alacakli", field + ".alacakli");
    terms.debtor = optionalString(value, "borclu", field + ".borclu");
    terms.fileNumber = optionalString(value, "dosya_no", field + ".dosya_no");
    return terms;
}

// The first of `keys` the object holds, for fields a hand-written file may name in
// more than one way.
const Json* firstMember(const Json& object, std::initializer_list<const char*> keys,
                        std::string& field, const std::string& prefix) {
    for (const char* key : keys) {
        if (const Json* value = optionalMember(object, key)) {
            field = prefix + "." + key;
            return value;
        }
    }
    return nullptr;
}

std::string textOf(const Json& object, std::initializer_list<const char*> keys,
                   const std::string& prefix) {
    std::string field;
    const Json* value = firstMember(object, keys, field, prefix);
    return value ? stringOf(*value, field) : std::string();
}

// An optional array of at most MaxReportEntries entries, each read by `entry`.
template <class Entry>
void entriesOf(const Json& object, std::initializer_list<const char*> keys,
               const std::string& prefix, Entry entry) {
    std::string field;
    const Json* value = firstMember(object, keys, field, prefix);
    if (!value) {
        return;
    }
    expect(value->is_array(), *value, field, "bir dizi");
    if (value->size() > MaxReportEntries) {
        bad(field, "En fazla " + std::to_string(MaxReportEntries) + " öğe olabilir.");
    }
    for (std::size_t index = 0; index < value->size(); ++index) {
        entry((*value)[index], field + "[" + std::to_string(index + 1) + "]", index);
    }
}

ReportDetails reportOf(const Json& value) {
    expect(value.is_object(), value, "rapor", "bir nesne");
    ReportDetails report;
    report.authority = textOf(value, {"merci"}, "rapor");
    report.fileNumber = textOf(value, {"dosya_no"}, "rapor");
    if (const Json* date = optionalMember(value, "rapor_tarihi")) {
        report.date = dateOf(*date, "rapor.rapor_tarihi");
    }
    report.subject = textOf(value, {"konu"}, "rapor");
    entriesOf(value, {"taraflar"}, "rapor", [&](const Json& party, const std::string& field, auto) {
        expect(party.is_object(), party, field, "bir nesne");
        report.parties.push_back({textOf(party, {"sifat", "rol"}, field),
                                  textOf(party, {"ad"}, field), textOf(party, {"vekil"}, field)});
    });
    entriesOf(value, {"sorular"}, "rapor",
              [&](const Json& question, const std::string& field, auto) {
                  if (question.is_string()) {
                      report.questions.push_back({question.get<std::string>(), {}});
                      return;
                  }
                  expect(question.is_object(), question, field, "bir metin ya da nesne");
                  report.questions.push_back(
                      {textOf(question, {"soru"}, field), textOf(question, {"cevap"}, field)});
              });
    // Answers may also stand in a list of their own, in the questions' order.
    entriesOf(value, {"cevaplar"}, "rapor",
              [&](const Json& answer, const std::string& field, std::size_t index) {
                  const std::string text = stringOf(answer, field);
                  if (index >= report.questions.size()) {
                      bad(field, "Bu cevabın sorusu yok.");
                  }
                  if (report.questions[index].answer.empty()) {
                      report.questions[index].answer = text;
                  }
              });
    entriesOf(value, {"incelenen_belgeler", "belgeler"}, "rapor",
              [&](const Json& document, const std::string& field, auto) {
                  report.documents.push_back(stringOf(document, field));
              });
    report.facts = textOf(value, {"tespitler"}, "rapor");
    entriesOf(value, {"bilirkisiler"}, "rapor",
              [&](const Json& expert, const std::string& field, auto) {
                  expect(expert.is_object(), expert, field, "bir nesne");
                  report.experts.push_back({textOf(expert, {"ad"}, field),
                                            textOf(expert, {"unvan", "alan"}, field),
                                            textOf(expert, {"sicil_no", "liste_no"}, field)});
              });
    return report;
}

std::vector<Bucket> bucketsOf(const Json& order, const std::string& field) {
    expect(order.is_array(), order, field, "bir dizi");
    if (order.size() > DefaultSetOffOrder.size()) {
        bad(field, "\"masraf\", \"vekalet\", \"faiz\" ve \"anapara\" birer kez yer almalı.");
    }
    std::vector<Bucket> buckets;
    for (std::size_t index = 0; index < order.size(); ++index) {
        const std::string bucketField = field + "[" + std::to_string(index + 1) + "]";
        const std::string name = stringOf(order[index], bucketField);
        const std::optional<Bucket> bucket = bucketNamed(name);
        if (!bucket) {
            bad(bucketField, "Bilinmeyen mahsup kalemi \"" + name +
                                 "\" (masraf, vekalet, faiz ya da anapara olmalı).");
        }
        buckets.push_back(*bucket);
    }
    return buckets;
}

ItemChange itemChangeOf(const Json& value, const std::string& field) {
    expect(value.is_object(), value, field, "bir nesne");
    ItemChange change;
    const Json& item = member(value, "kalem", field + ".kalem");
    if (!item.is_number_integer()) {
        bad(field + ".kalem", "Burada kalemin sırası (1'den başlayan bir tam sayı) olmalı, " +
                                  typeText(item) + " var.");
    }
    change.item = item.is_number_unsigned() && item.get<std::uint64_t>() > MaxItems
                      ? static_cast<std::int64_t>(MaxItems) + 1
                      : item.get<std::int64_t>();
    if (optionalMember(value, "oran")) {
        change.rate = rateSourceOf(value, field);
    }
    if (const Json* start = optionalMember(value, "faiz_baslangic")) {
        change.interestStart = dateOf(*start, field + ".faiz_baslangic");
    }
    return change;
}

Change changeOf(const Json& value, const std::string& field) {
    expect(value.is_object(), value, field, "bir nesne");
    Change change;
    if (const Json* items = optionalMember(value, "kalemler")) {
        expect(items->is_array(), *items, field + ".kalemler", "bir dizi");
        if (items->size() > MaxItems) {
            bad(field + ".kalemler", "En fazla " + std::to_string(MaxItems) + " öğe olabilir.");
        }
        for (std::size_t index = 0; index < items->size(); ++index) {
            change.items.push_back(itemChangeOf(
                (*items)[index], field + ".kalemler[" + std::to_string(index + 1) + "]"));
        }
    }
    if (const Json* basis = optionalMember(value, "gun_esasi")) {
        if (!basis->is_number_integer() || (*basis != 365 && *basis != 360)) {
            bad(field + ".gun_esasi", "Yıl 365 ya da 360 gün olmalı.");
        }
        change.dayBasis = basis->get<int>();
    }
    if (const Json* filing = optionalMember(value, "takip_tarihi")) {
        change.filingDate = dateOf(*filing, field + ".takip_tarihi");
    }
    if (const Json* order = optionalMember(value, "mahsup_sirasi")) {
        change.setOffOrder = bucketsOf(*order, field + ".mahsup_sirasi");
    }
    return change;
}

std::vector<Alternative> alternativesOf(const Json& value) {
    expect(value.is_array(), value, "secenekler", "bir dizi");
    if (value.size() > MaxAlternatives) {
        bad("secenekler", "En fazla " + std::to_string(MaxAlternatives) + " seçenek olabilir.");
    }
    std::vector<Alternative> alternatives;
    for (std::size_t index = 0; index < value.size(); ++index) {
        const std::string field = alternativeField(index);
        const Json& entry = value[index];
        expect(entry.is_object(), entry, field, "bir nesne");
        Alternative alternative;
        alternative.name = optionalString(entry, "ad", field + ".ad");
        alternative.reason = optionalString(entry, "neden", field + ".neden");
        // A missing change reads as an empty one, which validate() refuses: the window
        // can still open the file for the user to say what the alternative changes.
        if (const Json* change = optionalMember(entry, "degisiklik")) {
            alternative.change = changeOf(*change, field + ".degisiklik");
        }
        alternatives.push_back(std::move(alternative));
    }
    return alternatives;
}

ClaimFile claimOf(const Json& root) {
    if (!root.is_object()) {
        bad("", "Hesap dosyası bir JSON nesnesi olmalı.");
    }
    checkFormat(root);
    ClaimFile file;
    file.title = optionalString(root, "baslik", "baslik");
    file.calculationDate = dateAt(root, "hesap_tarihi", "hesap_tarihi");
    if (const Json* filing = optionalMember(root, "takip_tarihi")) {
        file.filingDate = dateOf(*filing, "takip_tarihi");
    }
    file.dayBasis = dayBasisOf(root);
    file.setOffOrder = setOffOrderOf(root);
    const Json& items = arrayAt(root, "kalemler", "kalemler", MaxItems);
    for (std::size_t index = 0; index < items.size(); ++index) {
        file.items.push_back(itemOf(items[index], itemField(index)));
    }
    if (const Json* payments = optionalMember(root, "odemeler")) {
        expect(payments->is_array(), *payments, "odemeler", "bir dizi");
        if (payments->size() > MaxPayments) {
            bad("odemeler", "En fazla " + std::to_string(MaxPayments) + " ödeme olabilir.");
        }
        for (std::size_t index = 0; index < payments->size(); ++index) {
            file.payments.push_back(paymentOf((*payments)[index], paymentField(index)));
        }
    }
    if (const Json* lists = optionalMember(root, "listeler")) {
        expect(lists->is_object(), *lists, "listeler", "bir nesne");
        for (const auto& [name, periods] : lists->items()) {
            file.lists[name] = periodsOf(periods, "listeler." + name);
        }
    }
    if (const Json* undertaking = optionalMember(root, "taahhut")) {
        file.undertaking = undertakingOf(*undertaking);
    }
    if (const Json* report = optionalMember(root, "rapor")) {
        file.report = reportOf(*report);
    }
    if (const Json* alternatives = optionalMember(root, "secenekler")) {
        file.alternatives = alternativesOf(*alternatives);
    }
    return file;
}

// Whether arrays and objects nest deeper than `most` outside strings. Checked before
// parsing: the parser's own depth hook costs time quadratic in the file's length.
bool nestsDeeperThan(std::string_view json, int most) {
    int depth = 0;
    bool inString = false;
    bool escaped = false;
    for (const char character : json) {
        if (inString) {
            if (escaped) {
                escaped = false;
            } else if (character == '\\') {
                escaped = true;
            } else if (character == '"') {
                inString = false;
            }
        } else if (character == '"') {
            inString = true;
        } else if (character == '[' || character == '{') {
            if (++depth > most) {
                return true;
            }
        } else if (character == ']' || character == '}') {
            --depth;
        }
    }
    return false;
}

ReadFailure damagedAt(std::string_view json, std::size_t byte, const std::string& what) {
    // `byte` counts from 1; the failing character is the one before it.
    const std::size_t end = std::min(byte == 0 ? 0 : byte - 1, json.size());
    const std::string_view before = json.substr(0, end);
    const int line = 1 + static_cast<int>(std::count(before.begin(), before.end(), '\n'));
    const std::size_t lineStart = before.rfind('\n');
    const int column =
        1 + static_cast<int>(end - (lineStart == std::string_view::npos ? 0 : lineStart + 1));
    ReadFailure failure;
    failure.kind = ReadFailure::Kind::Damaged;
    failure.line = line;
    failure.column = column;
    failure.message = "Hesap dosyası bozuk: satır " + std::to_string(line) + ", sütun " +
                      std::to_string(column) + " (" + what + ").";
    return failure;
}

// What the parser found, in the user's words: its own text is English and names
// parser states ("syntax error while parsing object key - invalid string: ...").
std::string damageOf(const nlohmann::json::parse_error& error) {
    static constexpr std::pair<std::string_view, std::string_view> Reasons[] = {
        {"missing closing quote", "kapanmayan tırnak"},
        {"unexpected end of input", "dosya yarıda bitiyor"},
        {"control character", "metnin içinde satır sonu ya da denetim karakteri"},
        {"invalid string", "geçersiz metin"},
        {"invalid number", "geçersiz sayı"},
        {"invalid literal", "tanınmayan değer"},
        {"unexpected", "beklenmeyen karakter"},
    };
    const std::string_view text = error.what();
    for (const auto& [english, turkish] : Reasons) {
        if (text.find(english) != std::string_view::npos) {
            return std::string(turkish);
        }
    }
    return "JSON yazımına uymuyor";
}

// The parser does not say where a number too large for a double stood: its first
// appearance is where the reader finds it.
ReadFailure numberOverflow(std::string_view json, const nlohmann::json::out_of_range& error) {
    const std::string text = error.what();
    const std::size_t open = text.find('\'');
    const std::size_t close = text.rfind('\'');
    std::size_t byte = 0;
    if (open != std::string::npos && close > open) {
        const std::size_t at = json.find(text.substr(open + 1, close - open - 1));
        byte = at == std::string_view::npos ? 0 : at + 1;
    }
    return damagedAt(json, byte == 0 ? json.size() + 1 : byte + 1, "sayı çok büyük");
}

ReadFailure refused(Bad problem) {
    ReadFailure failure;
    failure.kind = ReadFailure::Kind::Refused;
    failure.message = problem.field.empty() ? problem.text : problem.field + ": " + problem.text;
    failure.field = std::move(problem.field);
    return failure;
}

// Amounts go into the tree as marked strings and come out as numbers with two
// decimals, which the library does not write by itself. The mark cannot clash with
// the file's own texts: when one of them holds the mark's first character, amounts
// are written as plain numbers instead.
constexpr char AmountMark = '\x01';

bool holdsMark(const ClaimFile& file) {
    const auto marked = [](const std::string& text) {
        return text.find(AmountMark) != std::string::npos;
    };
    if (marked(file.title)) {
        return true;
    }
    for (const Item& item : file.items) {
        if (marked(item.description) || (std::holds_alternative<ListRate>(item.rate) &&
                                         marked(std::get<ListRate>(item.rate).name))) {
            return true;
        }
    }
    for (const Payment& payment : file.payments) {
        if (marked(payment.description)) {
            return true;
        }
    }
    if (file.undertaking &&
        (marked(file.undertaking->creditor) || marked(file.undertaking->debtor) ||
         marked(file.undertaking->fileNumber))) {
        return true;
    }
    for (const auto& [name, periods] : file.lists) {
        if (marked(name) || std::any_of(periods.begin(), periods.end(), [&](const RatePeriod& p) {
                return marked(p.Description);
            })) {
            return true;
        }
    }
    if (const std::optional<ReportDetails>& report = file.report) {
        std::vector<const std::string*> texts{&report->authority, &report->fileNumber,
                                              &report->subject, &report->facts};
        for (const Party& party : report->parties) {
            texts.insert(texts.end(), {&party.role, &party.name, &party.counsel});
        }
        for (const Question& question : report->questions) {
            texts.insert(texts.end(), {&question.text, &question.answer});
        }
        for (const std::string& document : report->documents) {
            texts.push_back(&document);
        }
        for (const Expert& expert : report->experts) {
            texts.insert(texts.end(), {&expert.name, &expert.title, &expert.registryNumber});
        }
        if (std::any_of(texts.begin(), texts.end(),
                        [&](const std::string* t) { return marked(*t); })) {
            return true;
        }
    }
    for (const Alternative& alternative : file.alternatives) {
        if (marked(alternative.name) || marked(alternative.reason)) {
            return true;
        }
        for (const ItemChange& change : alternative.change.items) {
            const auto* list = change.rate ? std::get_if<ListRate>(&*change.rate) : nullptr;
            if (list && marked(list->name)) {
                return true;
            }
        }
    }
    return false;
}

Json rateNumber(double rate) {
    if (std::isfinite(rate) && rate == std::trunc(rate) && std::fabs(rate) < 1e15) {
        return static_cast<std::int64_t>(rate);
    }
    return rate;
}

class Writer {
public:
    explicit Writer(bool markAmounts) : markAmounts_(markAmounts) {}

    Json amount(Kurus kurus) const {
        if (markAmounts_) {
            return std::string(1, AmountMark) + std::to_string(kurus);
        }
        return static_cast<double>(kurus) / 100.0;
    }

    static Json rate(const RateSource& rate) {
        if (const auto* list = std::get_if<ListRate>(&rate)) {
            return Json{{"liste", list->name}};
        }
        return Json{{"sabit", rateNumber(std::get<FixedRate>(rate).percent)}};
    }

    static Json buckets(const std::vector<Bucket>& order) {
        Json json = Json::array();
        for (const Bucket bucket : order) {
            json.push_back(bucketName(bucket));
        }
        return json;
    }

    static Json report(const ReportDetails& report) {
        Json json;
        json["merci"] = report.authority;
        json["dosya_no"] = report.fileNumber;
        json["rapor_tarihi"] =
            report.date ? Json(text::formatIsoDate(*report.date)) : Json(nullptr);
        json["konu"] = report.subject;
        json["taraflar"] = Json::array();
        for (const Party& party : report.parties) {
            json["taraflar"].push_back(
                {{"sifat", party.role}, {"ad", party.name}, {"vekil", party.counsel}});
        }
        json["sorular"] = Json::array();
        for (const Question& question : report.questions) {
            json["sorular"].push_back({{"soru", question.text}, {"cevap", question.answer}});
        }
        json["incelenen_belgeler"] = report.documents;
        json["tespitler"] = report.facts;
        json["bilirkisiler"] = Json::array();
        for (const Expert& expert : report.experts) {
            json["bilirkisiler"].push_back({{"ad", expert.name},
                                            {"unvan", expert.title},
                                            {"sicil_no", expert.registryNumber}});
        }
        return json;
    }

    static Json alternative(const Alternative& alternative) {
        const Change& change = alternative.change;
        Json degisiklik = Json::object();
        if (!change.items.empty()) {
            degisiklik["kalemler"] = Json::array();
            for (const ItemChange& itemChange : change.items) {
                Json entry{{"kalem", itemChange.item}};
                if (itemChange.rate) {
                    entry["oran"] = rate(*itemChange.rate);
                }
                if (itemChange.interestStart) {
                    entry["faiz_baslangic"] = text::formatIsoDate(*itemChange.interestStart);
                }
                degisiklik["kalemler"].push_back(std::move(entry));
            }
        }
        if (change.dayBasis) {
            degisiklik["gun_esasi"] = *change.dayBasis;
        }
        if (change.filingDate) {
            degisiklik["takip_tarihi"] = text::formatIsoDate(*change.filingDate);
        }
        if (change.setOffOrder) {
            degisiklik["mahsup_sirasi"] = buckets(*change.setOffOrder);
        }
        return {{"ad", alternative.name},
                {"neden", alternative.reason},
                {"degisiklik", std::move(degisiklik)}};
    }

    Json item(const Item& item) const {
        Json json;
        json["tur"] = itemKindName(item.kind);
        json["aciklama"] = item.description;
        json["tutar"] = amount(item.amount);
        if (item.kind == ItemKind::Principal) {
            json["faiz_baslangic"] =
                item.interestStart ? Json(text::formatIsoDate(*item.interestStart)) : Json(nullptr);
            if (const auto* list = std::get_if<ListRate>(&item.rate)) {
                json["oran"] = Json{{"liste", list->name}};
            } else {
                json["oran"] = Json{{"sabit", rateNumber(std::get<FixedRate>(item.rate).percent)}};
            }
        } else {
            json["tarih"] = item.date ? Json(text::formatIsoDate(*item.date)) : Json(nullptr);
        }
        return json;
    }

    Json claim(const ClaimFile& file) const {
        Json json;
        json["bicim"] = FormatName;
        json["surum"] = FormatVersion;
        json["baslik"] = file.title;
        json["hesap_tarihi"] = text::formatIsoDate(file.calculationDate);
        json["takip_tarihi"] =
            file.filingDate ? Json(text::formatIsoDate(*file.filingDate)) : Json(nullptr);
        json["gun_esasi"] = file.dayBasis;
        json["mahsup_sirasi"] = Json::array();
        for (const Bucket bucket : file.setOffOrder) {
            json["mahsup_sirasi"].push_back(bucketName(bucket));
        }
        json["kalemler"] = Json::array();
        for (const Item& entry : file.items) {
            json["kalemler"].push_back(item(entry));
        }
        json["odemeler"] = Json::array();
        for (const Payment& payment : file.payments) {
            json["odemeler"].push_back({{"tarih", text::formatIsoDate(payment.date)},
                                        {"tutar", amount(payment.amount)},
                                        {"aciklama", payment.description}});
        }
        json["listeler"] = Json::object();
        for (const auto& [name, periods] : file.lists) {
            Json rows = Json::array();
            for (const RatePeriod& period : periods) {
                rows.push_back({{"baslangic", text::formatIsoDate(period.StartDate)},
                                {"bitis", text::formatIsoDate(period.EndDate)},
                                {"oran", rateNumber(period.Rate)},
                                {"aciklama", period.Description}});
            }
            json["listeler"][name] = std::move(rows);
        }
        // Files without a report or alternatives stay as earlier versions wrote them.
        if (file.report) {
            json["rapor"] = report(*file.report);
        }
        if (!file.alternatives.empty()) {
            json["secenekler"] = Json::array();
            for (const Alternative& entry : file.alternatives) {
                json["secenekler"].push_back(alternative(entry));
            }
        }
        if (file.undertaking) {
            json["taahhut"] = undertaking(*file.undertaking);
        }
        return json;
    }

    Json undertaking(const Undertaking& terms) const {
        Json json;
        json["tarih"] = text::formatIsoDate(terms.date);
        json["pesinat"] = amount(terms.downPayment);
        json["taksit_sayisi"] = terms.count;
        json["ilk_vade"] = text::formatIsoDate(terms.firstDue);
        json["aralik"] = terms.interval == PlanInterval::Week ? "hafta" : "ay";
        if (terms.amounts.empty()) {
            json["tutarlar"] = nullptr;
        } else {
            json["tutarlar"] = Json::array();
            for (const Kurus kurus : terms.amounts) {
                json["tutarlar"].push_back(amount(kurus));
            }
        }
        json["alacakli"] = terms.creditor;
        json["borclu"] = terms.debtor;
        json["dosya_no"] = terms.fileNumber;
        return json;
    }

private:
    bool markAmounts_;
};

// Replaces every marked amount string ("\u0001" then kuruş) by its decimal number.
std::string unmarkAmounts(const std::string& dumped) {
    static const std::string Mark = "\"\\u0001";
    std::string out;
    out.reserve(dumped.size());
    std::size_t from = 0;
    for (std::size_t at = dumped.find(Mark); at != std::string::npos;
         at = dumped.find(Mark, from)) {
        out.append(dumped, from, at - from);
        const std::size_t close = dumped.find('"', at + Mark.size());
        out += decimalText(std::stoll(dumped.substr(at + Mark.size(), close - at - Mark.size())));
        from = close + 1;
    }
    out.append(dumped, from);
    return out;
}

} // namespace

std::string decimalText(Kurus amount) {
    const bool negative = amount < 0;
    const std::uint64_t magnitude =
        negative ? 0 - static_cast<std::uint64_t>(amount) : static_cast<std::uint64_t>(amount);
    std::string fraction = std::to_string(magnitude % 100);
    if (fraction.size() < 2) {
        fraction.insert(0, "0");
    }
    return (negative ? "-" : "") + std::to_string(magnitude / 100) + "." + fraction;
}

ReadOutcome parse(std::string_view json) {
    if (nestsDeeperThan(json, MaxDepth)) {
        ReadFailure failure;
        failure.kind = ReadFailure::Kind::Refused;
        failure.message = "Hesap dosyası " + std::to_string(MaxDepth) +
                          " düzeyden derin iç içe yapılar içeriyor.";
        return failure;
    }
    try {
        const Json root = Json::parse(json.begin(), json.end());
        return claimOf(root);
    } catch (const nlohmann::json::parse_error& error) {
        return damagedAt(json, error.byte, damageOf(error));
    } catch (const nlohmann::json::out_of_range& error) {
        return numberOverflow(json, error);
    } catch (Bad& problem) {
        return refused(std::move(problem));
    } catch (const nlohmann::json::exception&) {
        ReadFailure failure;
        failure.kind = ReadFailure::Kind::Refused;
        failure.message = "Hesap dosyası okunamadı: içeriği bir hesap dosyasının yapısına uymuyor.";
        return failure;
    }
}

ReadOutcome readFile(const std::filesystem::path& file) {
    ReadFailure failure;
    failure.kind = ReadFailure::Kind::Unreadable;
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (error) {
        failure.message =
            "Hesap dosyası okunamadı: " + file.string() + " (" + error.message() + ").";
        return failure;
    }
    if (size > MaxFileBytes) {
        failure.kind = ReadFailure::Kind::Refused;
        failure.message = "Hesap dosyası çok büyük (en fazla 8 MB): " + file.string();
        return failure;
    }
    std::ifstream stream(file, std::ios::binary);
    std::string content((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
    if (!stream.is_open() || stream.bad()) {
        failure.message = "Hesap dosyası okunamadı: " + file.string();
        return failure;
    }
    return parse(content);
}

std::string toJson(const ClaimFile& file) {
    const bool mark = !holdsMark(file);
    std::string dumped =
        Writer(mark).claim(file).dump(2, ' ', false, Json::error_handler_t::replace);
    return (mark ? unmarkAmounts(dumped) : dumped) + "\n";
}

Status writeFile(const std::filesystem::path& file, const ClaimFile& claim) {
    return safefile::replaceFile(file, toJson(claim));
}

} // namespace mirvane::claim
