#pragma once

// The claim file on disk: UTF-8 JSON, dates as YYYY-MM-DD, amounts as numbers in TL
// with at most two decimals. Unknown fields are ignored; a newer "surum" is refused.
//
//   {"bicim": "mirvane-hesap-dosyasi", "surum": 1, "baslik": "...",
//    "hesap_tarihi": "2024-12-31", "takip_tarihi": "2024-03-01" | null, "gun_esasi": 365,
//    "mahsup_sirasi": ["masraf", "vekalet", "faiz", "anapara"],
//    "kalemler": [{"tur": "anapara", "aciklama": "...", "tutar": 100000.00,
//                  "faiz_baslangic": "2024-01-01", "oran": {"liste": AD} | {"sabit": 30}},
//                 {"tur": "masraf" | "vekalet", "aciklama": "...", "tutar": 1500.00,
//                  "tarih": "2024-03-01"}],
//    "odemeler": [{"tarih": "2024-07-01", "tutar": 40000.00, "aciklama": ""}],
//    "listeler": {AD: [{"baslangic": ..., "bitis": ..., "oran": 9, "aciklama": ...}]},
//    "taahhut": {"tarih": "2024-12-31", "pesinat": 0.00, "taksit_sayisi": 6,
//                "ilk_vade": "2025-01-31", "aralik": "ay" | "hafta",
//                "tutarlar": null | [10000.00, ...], "alacakli": "", "borclu": "",
//                "dosya_no": ""}}
// "taahhut" (a payment undertaking, Undertaking.h) is absent in most files.

#include "core/claim/ClaimFile.h"
#include "core/common/Errors.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <variant>

namespace mirvane::claim {

inline constexpr std::string_view FileExtension = ".mirvane";

// A file larger than this is refused before it is parsed.
inline constexpr std::uintmax_t MaxFileBytes = 8u * 1024u * 1024u;

struct ReadFailure {
    enum class Kind {
        Unreadable, // the file cannot be opened or read
        Damaged,    // not JSON: `line` and `column` (from 1) say where it breaks
        Refused,    // JSON, but not a claim file this program can take: `field` says where
    };
    Kind kind = Kind::Refused;
    std::string message; // in Turkish, as the user reads it
    std::string field;
    int line = 0;
    int column = 0;
};

using ReadOutcome = std::variant<ReadFailure, ClaimFile>;

// The claim file a JSON text holds. Checks the form of every field; what validate()
// checks is left to it, so a window can open a file the user must still correct.
ReadOutcome parse(std::string_view json);

// parse() over the content of a file.
ReadOutcome readFile(const std::filesystem::path& file);

// The JSON text of a claim file (indented, ending with a newline). parse() of it gives
// the same file back.
std::string toJson(const ClaimFile& file);

// Writes toJson() safely: the file is replaced only once the new content is complete
// on disk.
Status writeFile(const std::filesystem::path& file, const ClaimFile& claim);

// Amounts as the file and the JSON outputs write them: "1500.00", "-0.05".
std::string decimalText(Kurus amount);

} // namespace mirvane::claim
