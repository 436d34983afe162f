#pragma once

// Program-wide texts and the arithmetic of the shell that needs no window.

#include <string>
#include <string_view>

namespace mirvane::app {

struct Version {
    int major = 0;
    int minor = 0;
    int revision = 0;
};

// The version of this build.
Version currentVersion();

// String table.
inline constexpr std::string_view ProgramTitle = "Telvar - Mirvane"; // 10
inline constexpr std::string_view ErrorReportIntro =                 // 40
    "Program, aşağıdaki hata nedeniyle doğru çalışmayabilir! \nYine de devam etmek istiyor "
    "musunuz?";
inline constexpr std::string_view ErrorNumberLabel = "Hata Kodu:";     // 50
inline constexpr std::string_view ErrorMessageLabel = "Hata Mesajı:";  // 60
inline constexpr std::string_view ErrorReportCaption = "Hata oluştu!"; // 70
inline constexpr std::string_view AboutCaption = "Program Hakkında";   // 110
inline constexpr std::string_view MessageCaption = "Mirvane";
inline constexpr std::string_view ProductName = "Mirvane";
inline constexpr std::string_view MakerName = "Telvar";

// "1.14" for version 1.1.4: major, ".", minor and revision written together.
std::string versionNumberText(const Version& version);

// "Telvar - Mirvane 1.14".
std::string mainWindowTitle(const Version& version);

// "Sürüm 1.14".
std::string aboutVersionText(const Version& version);

// Where a message box goes so that it is centred over its owner; halves round to
// the even integer (owner (100,100)-(501,401), box 200 x 100 -> (200, 200)).
struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
};
struct Point {
    int x = 0, y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};
Point centredBoxPosition(const Rect& owner, int boxWidth, int boxHeight);

// The text of the error report: entry 40, CR LF, CR LF, entry 50, " ", number,
// CR LF, CR LF, entry 60, " ", description.
std::string errorReportText(int number, std::string_view description);

} // namespace mirvane::app
