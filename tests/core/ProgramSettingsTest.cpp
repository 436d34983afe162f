#include "core/settings/ProgramSettings.h"

#include <gtest/gtest.h>
#include <string>

using namespace mirvane;
using namespace mirvane::settings;

namespace {

constexpr EdgeScale Scale{15, 16777215};

int errorOf(const auto& result) {
    return result ? 0 : result.error().number;
}

} // namespace

TEST(MainWindowSettings, AbsentValuesReadAsNothingKept) {
    MemorySettingsStore store;
    const MainWindowSettings kept(store, Scale);
    for (const Edge edge : {Edge::Left, Edge::Top, Edge::Width, Edge::Height}) {
        ASSERT_TRUE(kept.edge(edge));
        EXPECT_FALSE(kept.edge(edge).value());
    }
    EXPECT_FALSE(kept.listPosition().value());
    EXPECT_FALSE(kept.year360().value());
    EXPECT_EQ(kept.listName(), "");
}

TEST(MainWindowSettings, WrittenValuesReadBackInTheirStoredForms) {
    MemorySettingsStore store;
    MainWindowSettings kept(store, Scale);
    kept.writeEdges(-7, 20, 647, 479);
    kept.writeList(3, "Reeskont Faizi");
    kept.writeYear360(true);
    EXPECT_EQ(store.text("Ayarlar/Sol Bosluk"), "-105");
    EXPECT_EQ(store.text("Ayarlar/Ust Bosluk"), "300");
    EXPECT_EQ(store.text("Ayarlar/Pencere Genisligi"), "9705");
    EXPECT_EQ(store.text("Ayarlar/Pencere Yuksekligi"), "7185");
    EXPECT_EQ(store.text("Ayarlar/Liste Sirasi"), "3");
    EXPECT_EQ(store.text("Ayarlar/Liste Adi"), "Reeskont Faizi");
    EXPECT_EQ(store.text("Ayarlar/360 Onayi"), "1");
    EXPECT_EQ(kept.edge(Edge::Left).value(), -7);
    EXPECT_EQ(kept.edge(Edge::Height).value(), 479);
    EXPECT_EQ(kept.listPosition().value(), 3);
    EXPECT_EQ(kept.listName(), "Reeskont Faizi");
    EXPECT_EQ(kept.year360().value(), true);
    kept.writeList(-1, "");
    kept.writeYear360(false);
    EXPECT_EQ(kept.listPosition().value(), -1);
    EXPECT_EQ(kept.year360().value(), false);
}

// A decimal comma left unquoted in the file reads back as a list of two texts.
TEST(MainWindowSettings, EdgesRoundToWholePixelsFromDecimalTwips) {
    MemorySettingsStore store;
    const MainWindowSettings kept(store, Scale);
    store.setTexts("Ayarlar/Ust Bosluk", {"157", "5"});
    EXPECT_EQ(kept.edge(Edge::Top).value(), 10);
    store.setText("Ayarlar/Sol Bosluk", "1.500,00");
    EXPECT_EQ(kept.edge(Edge::Left).value(), 100);
}

TEST(MainWindowSettings, UnreadableAndOutOfRangeValuesGiveTheirErrors) {
    MemorySettingsStore store;
    const MainWindowSettings kept(store, Scale);
    store.setText("Ayarlar/Pencere Genisligi", "geniş");
    EXPECT_EQ(errorOf(kept.edge(Edge::Width)), errors::TypeMismatch);
    store.setText("Ayarlar/Pencere Genisligi", "1" + std::string(39, '0'));
    EXPECT_EQ(errorOf(kept.edge(Edge::Width)), errors::Overflow);
    // Within a float, past what a window may measure.
    store.setText("Ayarlar/Pencere Genisligi", "251658255");
    EXPECT_EQ(errorOf(kept.edge(Edge::Width)), errors::Overflow);
    store.setText("Ayarlar/Pencere Genisligi", "251658225");
    EXPECT_EQ(kept.edge(Edge::Width).value(), 16777215);

    store.setText("Ayarlar/Liste Sirasi", "32768");
    EXPECT_EQ(errorOf(kept.listPosition()), errors::Overflow);
    store.setText("Ayarlar/Liste Sirasi", "-32768");
    EXPECT_EQ(kept.listPosition().value(), -32768);
    store.setText("Ayarlar/Liste Sirasi", "3000000000");
    EXPECT_EQ(errorOf(kept.listPosition()), errors::Overflow);
    store.setText("Ayarlar/Liste Sirasi", "ikinci");
    EXPECT_EQ(errorOf(kept.listPosition()), errors::TypeMismatch);

    store.setText("Ayarlar/360 Onayi", "2");
    EXPECT_EQ(errorOf(kept.year360()), errors::InvalidPropertyValue);
    store.setText("Ayarlar/360 Onayi", "evet");
    EXPECT_EQ(errorOf(kept.year360()), errors::TypeMismatch);
}

// Halves go to the even neighbour, as the conversion the values were first written for.
TEST(MainWindowSettings, WholeNumbersRoundHalvesToEven) {
    MemorySettingsStore store;
    const MainWindowSettings kept(store, Scale);
    store.setText("Ayarlar/Liste Sirasi", "2,5");
    EXPECT_EQ(kept.listPosition().value(), 2);
    store.setText("Ayarlar/Liste Sirasi", "3,5");
    EXPECT_EQ(kept.listPosition().value(), 4);
    store.setText("Ayarlar/360 Onayi", "0,5");
    EXPECT_EQ(kept.year360().value(), false);
    store.setText("Ayarlar/360 Onayi", "1,4");
    EXPECT_EQ(kept.year360().value(), true);
}

TEST(ReportSettings, PdfChoiceIsKeptAndOpeningIsOnUntilTurnedOff) {
    MemorySettingsStore store;
    ReportSettings kept(store);
    EXPECT_FALSE(kept.pdfFolder());
    EXPECT_TRUE(kept.openPdfAfterSaving());
    kept.rememberPdf("/ev/raporlar", false);
    EXPECT_EQ(kept.pdfFolder(), "/ev/raporlar");
    EXPECT_FALSE(kept.openPdfAfterSaving());
    EXPECT_EQ(store.text("Raporlar/PDF Acilsin"), "false");
    for (const char* off : {"0", "False", ""}) {
        store.setText("Raporlar/PDF Acilsin", off);
        EXPECT_FALSE(kept.openPdfAfterSaving()) << off;
    }
    store.setText("Raporlar/PDF Acilsin", "true");
    EXPECT_TRUE(kept.openPdfAfterSaving());
}

TEST(ReportSettings, WordFolderFallsBackToThePdfFolder) {
    MemorySettingsStore store;
    ReportSettings kept(store);
    EXPECT_FALSE(kept.wordFolder());
    kept.rememberPdf("/ev/pdf", true);
    EXPECT_EQ(kept.wordFolder(), "/ev/pdf");
    kept.rememberWordFolder("/ev/word");
    EXPECT_EQ(kept.wordFolder(), "/ev/word");
    EXPECT_EQ(kept.pdfFolder(), "/ev/pdf");
}
