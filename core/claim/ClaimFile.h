#pragma once

// A claim file (".mirvane"): several items (principal, costs, lawyer's fee), the
// partial payments made on them and the order in which a payment is set off, with a
// copy of every rate list the principal items use, so that a file computes the same
// anywhere and at any time.
//
// Money is whole kuruş in 64-bit integers (1 TL = 100 kuruş). The model holds what a
// file says, valid or not: validate() says whether it can be computed, and names the
// field that stops it. ClaimJson.h reads and writes the model; ClaimEngine.h computes it.

#include "claim/Undertaking.h"
#include "common/Errors.h"
#include "ratelist/RateList.h"

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

// Whether the file can be computed: at least one principal item, every amount above
// zero and within MaxAmount, every date within 01.01.1601-31.12.9999, a day basis of
// 365 or 360, a set-off order that names each bucket once, every list a principal
// item names present in `lists` with periods that follow one another day by day, no
// interest start before its list's first day, no payment after the calculation date,
// and the size bounds above. The first failure found is returned.
std::optional<Refusal> validate(const ClaimFile& file);

// The names of the lists the principal items use, each once, in item order.
std::vector<std::string> listsUsed(const ClaimFile& file);

// A list file of the folder that an item uses and that could not be read.
struct UnreadableList {
    std::string name;
    std::filesystem::path file;
    RunTimeError error;
};

// Copies into `lists` every list the items use that the file carries no copy of, from
// the ".faiz" file of that name in the list folder. Lists the folder lacks or cannot
// be read are left out (validate() then names the item); the files that are there but
// could not be read are returned, so that the user learns why, not that they are missing.
std::vector<UnreadableList> copyMissingLists(ClaimFile& file,
                                             const std::filesystem::path& listFolder);

} // namespace mirvane::claim
