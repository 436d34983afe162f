#pragma once

// A claim file (".mirvane"): several items (principal, costs, lawyer's fee), the
// partial payments made on them and the order in which a payment is set off, with a
// copy of every rate list the principal items use, so that a file computes the same
// anywhere and at any time.
//
// Money is whole kuruş in 64-bit integers (1 TL = 100 kuruş). The model holds what a
// file says, valid or not: validate() says whether it can be computed, and names the
// field that stops it. ClaimJson.h reads and writes the model; ClaimEngine.h computes it.

#include "core/claim/Undertaking.h"
#include "core/common/Errors.h"
#include "core/ratelist/RateList.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace mirvane::claim {

using Kurus = std::int64_t;

// "tur" of an item.
enum class ItemKind { Principal, Costs, Fee }; // "anapara", "masraf", "vekalet"

// A bucket of the set-off order ("mahsup_sirasi").
enum class Bucket { Costs, Fee, Interest, Principal }; // "masraf", "vekalet", "faiz", "anapara"

// The order practice uses when the parties have agreed no other.
inline constexpr std::array<Bucket, 4> DefaultSetOffOrder{Bucket::Costs, Bucket::Fee,
                                                          Bucket::Interest, Bucket::Principal};

// The rate of a principal item: a rate list by name ({"liste": AD}) or a fixed rate
// in percent a year ({"sabit": 30}).
struct ListRate {
    std::string name;
    friend bool operator==(const ListRate&, const ListRate&) = default;
};
struct FixedRate {
    double percent = 0.0;
    friend bool operator==(const FixedRate&, const FixedRate&) = default;
};
using RateSource = std::variant<ListRate, FixedRate>;

struct Item {
    ItemKind kind = ItemKind::Principal;
    std::string description; // "aciklama"
    Kurus amount = 0;        // "tutar"
    // Principal items: interest runs from the day after this day ("faiz_baslangic").
    std::optional<Date> interestStart;
    RateSource rate = FixedRate{};
    // Costs and fee: the day they fell due ("tarih"); a payment settles them only
    // from this day on.
    std::optional<Date> date;

    friend bool operator==(const Item&, const Item&) = default;
};

struct Payment {
    Date date;               // "tarih"
    Kurus amount = 0;        // "tutar"
    std::string description; // "aciklama"

    friend bool operator==(const Payment&, const Payment&) = default;
};

// The court expert's report around the calculation ("rapor"); every field may be
// left empty, and a section with nothing in it is not printed.
struct Party {
    std::string role;    // "sifat": Davacı, Davalı, Alacaklı, Borçlu...
    std::string name;    // "ad"
    std::string counsel; // "vekil"

    friend bool operator==(const Party&, const Party&) = default;
};

struct Question {
    std::string text;   // "soru", in the court's order
    std::string answer; // "cevap", free text that may quote the figures

    friend bool operator==(const Question&, const Question&) = default;
};

struct Expert {
    std::string name;           // "ad"
    std::string title;          // "unvan": title or field
    std::string registryNumber; // "sicil_no": the number on the experts' list

    friend bool operator==(const Expert&, const Expert&) = default;
};

struct ReportDetails {
    std::string authority;              // "merci": the court or the enforcement office
    std::string fileNumber;             // "dosya_no"
    std::optional<Date> date;           // "rapor_tarihi"
    std::string subject;                // "konu"
    std::vector<Party> parties;         // "taraflar"
    std::vector<Question> questions;    // "sorular"
    std::vector<std::string> documents; // "incelenen_belgeler"
    std::string facts;                  // "tespitler"
    std::vector<Expert> experts;        // "bilirkisiler"

    friend bool operator==(const ReportDetails&, const ReportDetails&) = default;
};

// An alternative calculation ("secenekler"): the same claim with a few of its legal
// choices made otherwise. Every part of the change is optional, but a change must
// change something.
struct ItemChange {
    std::int64_t item = 0;             // "kalem": the item's position in "kalemler", from 1
    std::optional<RateSource> rate;    // "oran"
    std::optional<Date> interestStart; // "faiz_baslangic"

    friend bool operator==(const ItemChange&, const ItemChange&) = default;
};

struct Change {
    std::vector<ItemChange> items;                  // "kalemler"
    std::optional<int> dayBasis;                    // "gun_esasi"
    std::optional<Date> filingDate;                 // "takip_tarihi"
    std::optional<std::vector<Bucket>> setOffOrder; // "mahsup_sirasi"

    friend bool operator==(const Change&, const Change&) = default;
};

struct Alternative {
    std::string name;   // "ad"
    std::string reason; // "neden": one line
    Change change;      // "degisiklik"

    friend bool operator==(const Alternative&, const Alternative&) = default;
};

struct ClaimFile {
    std::string title;              // "baslik", may be empty
    Date calculationDate;           // "hesap_tarihi"
    std::optional<Date> filingDate; // "takip_tarihi", null when not filed
    int dayBasis = 365;             // "gun_esasi": 365 or 360
    std::vector<Bucket> setOffOrder{DefaultSetOffOrder.begin(), DefaultSetOffOrder.end()};
    std::vector<Item> items;                              // "kalemler"
    std::vector<Payment> payments;                        // "odemeler", in file order
    std::map<std::string, std::vector<RatePeriod>> lists; // "listeler": name -> periods
    std::optional<Undertaking> undertaking;               // "taahhut", absent in most files
    std::optional<ReportDetails> report;                  // "rapor"
    std::vector<Alternative> alternatives;                // "secenekler"

    friend bool operator==(const ClaimFile&, const ClaimFile&) = default;
};

// The file format this program writes ("bicim", "surum"); a newer version is refused.
inline constexpr std::string_view FormatName = "mirvane-hesap-dosyasi";
inline constexpr int FormatVersion = 1;

// Bounds that keep a hostile file from taking unbounded time or memory.
inline constexpr Kurus MaxAmount = 1'000'000'000'000'000; // 10 trillion TL in kuruş
inline constexpr double MaxRatePercent = 1000.0;
inline constexpr std::size_t MaxItems = 1000;
inline constexpr std::size_t MaxPayments = 10'000;
// Each alternative is a whole calculation of its own.
inline constexpr std::size_t MaxAlternatives = 20;
// Questions, parties, documents and experts of a report, each.
inline constexpr std::size_t MaxReportEntries = 1000;
// Principal items times (payments + 1): bounds the slices a calculation makes.
inline constexpr std::size_t MaxSliceBudget = 500'000;

// Why a claim cannot be read or computed: the field concerned, as a path into the file
// ("kalemler[2].tutar", items and payments counted from 1), and the message the user
// reads, which names it too.
struct Refusal {
    std::string field;
    std::string message;

    friend bool operator==(const Refusal&, const Refusal&) = default;
};

// The JSON names of the enums.
std::string_view itemKindName(ItemKind kind);
std::string_view bucketName(Bucket bucket);
std::optional<ItemKind> itemKindNamed(std::string_view name);
std::optional<Bucket> bucketNamed(std::string_view name);

// "kalemler[3]" for index 2.
std::string itemField(std::size_t index);
std::string paymentField(std::size_t index);
// "secenekler[1]" for index 0.
std::string alternativeField(std::size_t index);

// Whether the file can be computed: at least one principal item, every amount above
// zero and within MaxAmount, every date within 01.01.1601-31.12.9999, a day basis of
// 365 or 360, a set-off order that names each bucket once, every list a principal
// item names present in `lists` with periods that follow one another day by day, no
// interest start before its list's first day, no payment after the calculation date,
// and the size bounds above; then each alternative: a change that changes something,
// names principal items only, and leaves a file that passes the same checks. The first
// failure found is returned.
std::optional<Refusal> validate(const ClaimFile& file);

// The file as an alternative computes it: a copy with `change` applied and no
// alternatives of its own. Item changes that name no principal item are passed over
// (validate() refuses them).
ClaimFile withChange(const ClaimFile& file, const Change& change);

// The names of the lists the principal items use, each once, in item order, then the
// lists only the alternatives name.
std::vector<std::string> listsUsed(const ClaimFile& file);

// A list file of the folder that an item uses and that could not be read.
struct UnreadableList {
    std::string name;
    std::filesystem::path file;
    RunTimeError error;
};

// Copies into `lists` every list the items use that the file carries no copy of, from
// the ".faiz" file of that name in the list folder, or else from the program's ready
// list of that name. Lists found in neither are left out (validate() then names the
// item); the files that are there but could not be read are returned, so that the
// user learns why, not that they are missing.
std::vector<UnreadableList> copyMissingLists(ClaimFile& file,
                                             const std::filesystem::path& listFolder);

// Copies the program's ready list for every list used that the file does not carry.
void copyReadyLists(ClaimFile& file);

} // namespace mirvane::claim
