#include "core/claim/ClaimSession.h"

#include "core/claim/ClaimExample.h"
#include "core/claim/ClaimJson.h"
#include "core/claim/ClaimTexts.h"
#include "core/common/Utf8Path.h"
#include "core/ratelist/FaizFile.h"
#include "core/rates/ReadyLists.h"
#include "core/settings/SettingsStore.h"
#include "core/text/TextForms.h"
#include "tests/support/TempFolder.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <thread>

namespace {

using namespace mirvane;
using namespace std::chrono_literals;
using claim::ClaimSession;
namespace fs = std::filesystem;

const std::string Statutory = "Adi Alacaklar (Kanuni Faiz)";

class ClaimSessionTest : public mirvane::testing::TempFolderTest {
protected:
    ClaimSessionTest() : TempFolderTest("mirvane-session-") {}

    void SetUp() override {
        TempFolderTest::SetUp();
        lists = root / "Faizler";
        fs::create_directories(lists);
        ASSERT_TRUE(
            faiz::write(lists / (Statutory + ".faiz"), claim::workedExample().lists.at(Statutory)));
    }

    store::ListSource source() const { return {lists, false}; }

    fs::path lists;
};

TEST_F(ClaimSessionTest, ModifiedFromTheFirstChangeUntilSavedAndCopiedMeanwhile) {
    ClaimSession session(root / "Kurtarma");
    session.open(claim::workedExample(), std::nullopt);
    EXPECT_FALSE(session.modified());
    const ClaimSession::Clock::time_point start{};
    session.changed(start);
    EXPECT_TRUE(session.modified());
    ASSERT_TRUE(session.keepRecoveryCopy(start + claim::RecoveryKeeper::Delay));
    ASSERT_EQ(claim::findRecoveryCopies(root / "Kurtarma").size(), 1u);

    // A list no item uses any more is not saved with the file.
    session.file().lists["Kullanılmayan"] = session.file().lists.at(Statutory);
    const fs::path file = root / "dosya.mirvane";
    ASSERT_TRUE(session.save(file));
    EXPECT_FALSE(session.modified());
    EXPECT_EQ(session.path(), file);
    EXPECT_TRUE(claim::findRecoveryCopies(root / "Kurtarma").empty());
    claim::ReadOutcome read = claim::readFile(file);
    ASSERT_TRUE(std::holds_alternative<claim::ClaimFile>(read));
    EXPECT_FALSE(std::get<claim::ClaimFile>(read).lists.contains("Kullanılmayan"));

    // A save that fails leaves the file modified, bound where it was.
    session.changed(start + 1min);
    EXPECT_FALSE(session.save(root / "yok" / "dosya.mirvane"));
    EXPECT_TRUE(session.modified());
    EXPECT_EQ(session.path(), file);
}

TEST_F(ClaimSessionTest, RecoveredFileIsModifiedAndItsCopyGoesWithItsChanges) {
    const fs::path folder = root / "Kurtarma";
    const fs::path file = root / "dosya.mirvane";
    const claim::RecoveryCopy copy{file, "", claim::toJson(claim::workedExample())};
    const fs::path left = claim::newRecoveryPath(folder);
    ASSERT_TRUE(claim::writeRecoveryCopy(left, copy));

    ClaimSession session(folder);
    session.recover(claim::workedExample(), {left, copy});
    EXPECT_TRUE(session.modified());
    EXPECT_EQ(session.path(), file);
    EXPECT_EQ(session.recovery().path(), left);
    session.discardChanges();
    EXPECT_TRUE(claim::findRecoveryCopies(folder).empty());
}

// The list is kept as earlier versions kept it, so that users keep theirs: the paths
// under "DosyaHesabi/SonDosyalar", newest first.
TEST_F(ClaimSessionTest, RecentFilesAreThoseOpenedAndSavedNewestFirstEachOnce) {
    settings::MemorySettingsStore store;
    store.setTexts("DosyaHesabi/SonDosyalar", {utf8path::toUtf8(root / "eski.mirvane")});
    ClaimSession session(root / "Kurtarma", &store);
    EXPECT_EQ(session.recentFiles(), std::vector<fs::path>{root / "eski.mirvane"});

    session.open(claim::workedExample(), std::nullopt);
    EXPECT_EQ(session.recentFiles().size(), 1u);
    const fs::path saved = root / utf8path::fromUtf8("İcra 2024_5.mirvane");
    ASSERT_TRUE(session.save(saved));
    session.open(claim::workedExample(), root / "eski.mirvane");
    EXPECT_EQ(session.recentFiles(), (std::vector<fs::path>{root / "eski.mirvane", saved}));
    EXPECT_EQ(store.texts("DosyaHesabi/SonDosyalar").at(1), utf8path::toUtf8(saved));

    // A recovered file was not opened by the user; a failed save remembers nothing.
    const claim::RecoveryCopy copy{root / "kurtarilan.mirvane", "", ""};
    session.recover(claim::workedExample(), {root / "Kurtarma" / "kopya", copy});
    EXPECT_FALSE(session.save(root / "yok" / "dosya.mirvane"));
    EXPECT_EQ(session.recentFiles().size(), 2u);

    // The oldest go beyond eight.
    for (int i = 0; i < 10; ++i) {
        session.open(claim::workedExample(), root / (std::to_string(i) + ".mirvane"));
    }
    const std::vector<fs::path> recent = session.recentFiles();
    ASSERT_EQ(recent.size(), 8u);
    EXPECT_EQ(recent.front(), root / "9.mirvane");
    EXPECT_EQ(recent.back(), root / "2.mirvane");

    // Without a store the session keeps none.
    ClaimSession plain;
    plain.open(claim::workedExample(), saved);
    EXPECT_TRUE(plain.recentFiles().empty());
}

TEST_F(ClaimSessionTest, TablesAreFilledAgainOnlyWhenTheFiguresChange) {
    ClaimSession session;
    session.open(claim::workedExample(), std::nullopt);
    EXPECT_TRUE(session.recompute());
    ASSERT_TRUE(session.result());
    session.file().title = "Başka başlık";
    session.file().payments.at(0).description = "Kısmi ödeme";
    EXPECT_FALSE(session.recompute());
    session.file().payments.at(0).amount += 100;
    EXPECT_TRUE(session.recompute());

    // A field that holds no value stops the calculation and is the problem.
    const claim::WordedRefusal typed{{claim::RefusalPlace::Part::Payment, 0, "tutar", {}},
                                     "1. ödemenin tutarı geçerli değil"};
    session.setFieldError(typed);
    EXPECT_TRUE(session.recompute());
    EXPECT_FALSE(session.result());
    EXPECT_EQ(session.problem(), typed);
    session.setFieldError(std::nullopt);
    EXPECT_TRUE(session.recompute());
    EXPECT_TRUE(session.result());
    EXPECT_FALSE(session.problem());

    // The engine's refusal is the problem when every field holds a value.
    session.file().payments.at(1).amount = 0;
    session.recompute();
    EXPECT_FALSE(session.result());
    ASSERT_TRUE(session.problem());
    EXPECT_EQ(session.problem()->place.part, claim::RefusalPlace::Part::Payment);
    EXPECT_EQ(session.problem()->place.index, std::optional<std::size_t>(1));
}

TEST_F(ClaimSessionTest, RowJustAddedIsNoProblemUntilLeft) {
    ClaimSession session;
    session.open(claim::workedExample(), std::nullopt);
    session.file().payments.push_back({session.file().calculationDate, 0, {}});
    const std::size_t added = session.file().payments.size() - 1;
    session.setFreshRow(claim::RefusalPlace{claim::RefusalPlace::Part::Payment, added, {}, {}});
    session.recompute();
    ASSERT_TRUE(session.problem());
    EXPECT_FALSE(session.shownProblem());

    // Another row's problem is shown at once.
    session.file().payments.at(0).amount = 0;
    session.recompute();
    ASSERT_TRUE(session.shownProblem());
    EXPECT_EQ(session.shownProblem()->place.index, std::optional<std::size_t>(0));

    session.file().payments.at(0) = claim::workedExample().payments.at(0);
    session.recompute();
    EXPECT_FALSE(session.shownProblem());
    session.setFreshRow(std::nullopt);
    ASSERT_TRUE(session.shownProblem());
    EXPECT_EQ(session.shownProblem()->place.index, std::optional<std::size_t>(added));
}

TEST_F(ClaimSessionTest, DeletedRowsComeBackWhereTheyStoodLastFirst) {
    ClaimSession session;
    const claim::ClaimFile example = claim::workedExample();
    ASSERT_GE(example.payments.size(), 2u);
    session.open(example, std::nullopt);
    session.setFreshRow(claim::RefusalPlace{claim::RefusalPlace::Part::Item, 0, {}, {}});
    EXPECT_FALSE(session.deleteItem(example.items.size()));
    ASSERT_TRUE(session.deleteItem(0));
    EXPECT_FALSE(session.freshRow());
    ASSERT_TRUE(session.deletePayment(1));
    ASSERT_TRUE(session.deletePayment(0));
    EXPECT_TRUE(session.file().payments.size() == example.payments.size() - 2);

    std::optional<ClaimSession::Deleted> back = session.undo();
    ASSERT_TRUE(back);
    EXPECT_FALSE(back->isItem);
    EXPECT_EQ(back->index, 0u);
    EXPECT_EQ(session.file().payments.at(0), example.payments.at(0));
    back = session.undo();
    ASSERT_TRUE(back);
    EXPECT_EQ(back->index, 1u);
    EXPECT_EQ(session.file().payments, example.payments);
    back = session.undo();
    ASSERT_TRUE(back);
    EXPECT_TRUE(back->isItem);
    EXPECT_EQ(session.file().items, example.items);
    EXPECT_FALSE(session.undo());

    // A row whose place has gone comes back last; a file opened forgets what was deleted.
    session.deletePayment(0);
    while (!session.file().payments.empty()) {
        session.file().payments.pop_back();
    }
    back = session.undo();
    ASSERT_TRUE(back);
    EXPECT_EQ(back->index, 0u);
    session.deleteItem(0);
    session.open(example, std::nullopt);
    EXPECT_TRUE(session.deleted().empty());
}

TEST_F(ClaimSessionTest, FolderListIsReadAgainOnlyWhenTheFolderChanged) {
    ClaimSession session;
    session.open(claim::workedExample(), std::nullopt);
    EXPECT_TRUE(session.listsDifferingFromFolder(source()).empty());
    claim::FolderComparison comparison;
    EXPECT_TRUE(comparison.differing(source(), session.file()).empty());
    EXPECT_EQ(comparison.reads(), 1u);
    for (int edit = 0; edit < 5; ++edit) {
        session.file().payments.at(0).amount += 1;
        EXPECT_TRUE(comparison.differing(source(), session.file()).empty());
    }
    EXPECT_EQ(comparison.reads(), 1u);

    // The folder's list is corrected: the file's copy now differs.
    std::vector<RatePeriod> corrected = session.file().lists.at(Statutory);
    corrected.back().Rate += 1.5;
    std::this_thread::sleep_for(10ms);
    ASSERT_TRUE(faiz::write(lists / (Statutory + ".faiz"), corrected));
    EXPECT_EQ(comparison.differing(source(), session.file()), std::vector<std::string>{Statutory});
    EXPECT_EQ(comparison.reads(), 2u);
    EXPECT_EQ(comparison.differing(source(), session.file()), std::vector<std::string>{Statutory});
    EXPECT_EQ(comparison.reads(), 2u);

    EXPECT_EQ(session.listsDifferingFromFolder(source()), std::vector<std::string>{Statutory});
    session.takeFolderLists(source());
    EXPECT_EQ(session.file().lists.at(Statutory), corrected);
    EXPECT_TRUE(session.listsDifferingFromFolder(source()).empty());

    // Another folder is another comparison.
    const fs::path other = root / utf8path::fromUtf8("Diğer");
    fs::create_directories(other);
    ASSERT_TRUE(
        faiz::write(other / (Statutory + ".faiz"), claim::workedExample().lists.at(Statutory)));
    EXPECT_EQ(session.listsDifferingFromFolder({other, false}),
              std::vector<std::string>{Statutory});
}

// The window hands each field's text to the session; the first text that is no value is
// the field error, worded with its row, and the rest is still taken.
TEST_F(ClaimSessionTest, FieldsAreTakenAndTheFirstWrongOneIsTheFieldError) {
    using namespace std::chrono;
    const Date day = sys_days(2024y / 3 / 1);
    ClaimSession session;
    session.open(claim::workedExample(), std::nullopt);
    const auto fieldOfError = [&session] {
        return session.fieldError() ? session.fieldError()->place.field : std::string("-");
    };

    session.editHeader({"Başlık", std::nullopt, true, std::nullopt, 360});
    EXPECT_EQ(fieldOfError(), "hesap_tarihi");
    EXPECT_EQ(session.file().title, "Başlık");
    EXPECT_EQ(session.file().dayBasis, 360);
    session.editHeader({"Başlık", day, true, std::nullopt, 365});
    EXPECT_EQ(fieldOfError(), "takip_tarihi");
    EXPECT_EQ(session.file().calculationDate, day);
    session.editHeader({"Başlık", day, false, std::nullopt, 365});
    EXPECT_FALSE(session.fieldError());
    EXPECT_FALSE(session.file().filingDate);

    session.editItem(0, {"Fatura", "1.000,001", std::nullopt, true, "", Statutory});
    ASSERT_TRUE(session.fieldError());
    EXPECT_EQ(session.fieldError()->text, "1. kalemin tutarı geçerli değil (en çok iki ondalık).");
    EXPECT_EQ(session.fieldError()->place.index, std::optional<std::size_t>(0));
    EXPECT_EQ(session.file().items.at(0).amount, 0);
    session.editItem(0, {"Fatura", " ", std::nullopt, true, "", Statutory});
    EXPECT_EQ(fieldOfError(), "faiz_baslangic");
    session.editItem(0, {"Fatura", "2.500,50", day, true, "", Statutory});
    EXPECT_EQ(fieldOfError(), "oran.sabit");
    session.editItem(0, {"Fatura", "2.500,50", day, true, "9,5", Statutory});
    EXPECT_FALSE(session.fieldError());
    const claim::Item& item = session.file().items.at(0);
    EXPECT_EQ(item.amount, 250050);
    EXPECT_EQ(item.interestStart, day);
    EXPECT_EQ(item.rate, claim::RateSource(claim::FixedRate{9.5}));
    session.editItem(0, {"Fatura", "2.500,50", day, false, "9,5", Statutory});
    EXPECT_EQ(item.rate, claim::RateSource(claim::ListRate{Statutory}));

    const claim::Payment before = session.file().payments.at(1);
    session.editPayment(1, {"Banka", "12,3", std::nullopt});
    EXPECT_EQ(fieldOfError(), "tarih");
    EXPECT_EQ(session.fieldError()->text, "2. ödemenin tarihi girilmemiş.");
    EXPECT_EQ(session.file().payments.at(1).date, before.date);
    EXPECT_EQ(session.file().payments.at(1).amount, 1230);
    EXPECT_EQ(session.file().payments.at(1).description, "Banka");
}

TEST_F(ClaimSessionTest, NewRowsKindsAndTheSetOffOrder) {
    ClaimSession session;
    claim::ClaimFile file = claim::workedExample();
    file.items.at(0).rate = claim::FixedRate{12};
    session.open(file, std::nullopt);

    // A kind change carries the one date over; a new item takes the principal's rate.
    const std::optional<Date> start = session.file().items.at(0).interestStart;
    session.setItemKind(0, claim::ItemKind::Costs);
    EXPECT_EQ(session.file().items.at(0).date, start);
    EXPECT_FALSE(session.file().items.at(0).interestStart);
    session.setItemKind(0, claim::ItemKind::Principal);
    EXPECT_EQ(session.file().items.at(0).interestStart, start);
    const std::size_t added = session.addItem(Statutory);
    EXPECT_EQ(added, file.items.size());
    EXPECT_EQ(session.file().items.at(added).rate, claim::RateSource(claim::FixedRate{12}));
    EXPECT_EQ(session.file().items.at(added).interestStart, file.calculationDate);
    ASSERT_TRUE(session.freshRow());
    EXPECT_EQ(session.freshRow()->part, claim::RefusalPlace::Part::Item);
    EXPECT_EQ(session.freshRow()->index, std::optional<std::size_t>(added));
    session.file().items.clear();
    EXPECT_EQ(session.file().items.at(session.addItem(Statutory)).rate,
              claim::RateSource(claim::ListRate{Statutory}));
    const std::size_t payment = session.addPayment();
    EXPECT_EQ(session.file().payments.at(payment).date, file.calculationDate);
    EXPECT_EQ(session.freshRow()->part, claim::RefusalPlace::Part::Payment);

    // A bucket moves within the order's ends only; the default order is taken once.
    session.useDefaultSetOffOrder();
    const std::vector<claim::Bucket> order = session.file().setOffOrder;
    EXPECT_FALSE(session.moveBucket(0, -1));
    EXPECT_FALSE(session.moveBucket(order.size() - 1, 1));
    EXPECT_FALSE(session.useDefaultSetOffOrder());
    ASSERT_TRUE(session.moveBucket(0, 1));
    EXPECT_EQ(session.file().setOffOrder.at(1), order.at(0));
    EXPECT_EQ(session.file().setOffOrder.at(0), order.at(1));
    EXPECT_TRUE(session.useDefaultSetOffOrder());
    EXPECT_EQ(session.file().setOffOrder, order);

    // A list named without its copy takes the folder's.
    session.file().lists.clear();
    session.copyMissingLists(source());
    EXPECT_EQ(session.file().lists.at(Statutory), claim::workedExample().lists.at(Statutory));
}

// What the window shows of the file: its rows, where a problem stands, the undo entry,
// the rates to choose from and whether a file opened takes the window's place.
TEST_F(ClaimSessionTest, WhatTheWindowShowsOfTheRowsAndTheProblem) {
    const Date start = text::parseDate("15.03.2024").value();
    claim::Item principal{claim::ItemKind::Principal, "Fatura",    123456, start,
                          claim::ListRate{Statutory}, std::nullopt};
    EXPECT_EQ(claim::itemCells(principal, 0),
              (std::array<std::string, 6>{"1", "Anapara", "Fatura", "1.234,56", "15.03.2024",
                                          Statutory}));
    principal.rate = claim::FixedRate{24.5};
    principal.interestStart.reset();
    EXPECT_EQ(claim::itemCells(principal, 9).at(0), "10");
    EXPECT_EQ(claim::itemCells(principal, 9).at(4), "");
    EXPECT_EQ(claim::itemCells(principal, 9).at(5), "Sabit %24,5");
    // Costs show their own date and no rate, whatever rate they still carry.
    const claim::Item costs{claim::ItemKind::Costs,     "",   5000, std::nullopt,
                            claim::ListRate{Statutory}, start};
    EXPECT_EQ(claim::itemCells(costs, 1),
              (std::array<std::string, 6>{"2", "Masraf", "", "50,00", "15.03.2024", ""}));
    EXPECT_EQ(claim::paymentCells({start, 100, "Banka"}, 2),
              (std::array<std::string, 4>{"3", "15.03.2024", "1,00", "Banka"}));

    using Part = claim::RefusalPlace::Part;
    using Section = claim::ProblemPlace::Section;
    const auto place = [](Part part, std::optional<std::size_t> index, std::string field) {
        return claim::problemPlace({part, index, std::move(field), {}});
    };
    EXPECT_EQ(place(Part::Item, 2, "tutar"), (claim::ProblemPlace{Section::Items, 2}));
    EXPECT_EQ(place(Part::Payment, 0, "tarih"), (claim::ProblemPlace{Section::Payments, 0}));
    // A list's period is no row of the items; the file's fields for its lists are theirs.
    EXPECT_EQ(place(Part::List, 4, "oran"), (claim::ProblemPlace{Section::Items, std::nullopt}));
    EXPECT_EQ(place(Part::File, std::nullopt, "kalemler"),
              (claim::ProblemPlace{Section::Items, std::nullopt}));
    EXPECT_EQ(place(Part::File, std::nullopt, "odemeler"),
              (claim::ProblemPlace{Section::Payments, std::nullopt}));
    EXPECT_EQ(place(Part::File, std::nullopt, "hesap_tarihi"),
              (claim::ProblemPlace{Section::File, std::nullopt}));
}

TEST_F(ClaimSessionTest, UndoEntryRateChoicesAndAnUntouchedFile) {
    ClaimSession session;
    EXPECT_TRUE(session.untouched());
    EXPECT_EQ(session.undoCaption(), "&Geri Al");
    session.open(claim::workedExample(), std::nullopt);
    EXPECT_FALSE(session.untouched());
    ASSERT_GE(session.file().payments.size(), 2u);
    ASSERT_TRUE(session.deleteItem(0));
    EXPECT_EQ(session.undoCaption(), "&Geri Al: 1. kalemin silinmesi");
    ASSERT_TRUE(session.deletePayment(1));
    EXPECT_EQ(session.undoCaption(), "&Geri Al: 2. ödemenin silinmesi");
    session.undo();
    EXPECT_EQ(session.undoCaption(), "&Geri Al: 1. kalemin silinmesi");

    // An empty file that was changed, or that has a place on disk, is no longer untouched.
    session.open({}, std::nullopt);
    EXPECT_TRUE(session.untouched());
    session.changed(ClaimSession::Clock::time_point{});
    EXPECT_FALSE(session.untouched());
    session.open({}, root / "dosya.mirvane");
    EXPECT_FALSE(session.untouched());

    // The folder's lists, the file's own and the ready ones, sorted, each once; a folder
    // that cannot be read leaves the others.
    session.file().lists["Özel Liste"] = claim::workedExample().lists.at(Statutory);
    session.file().lists[Statutory] = claim::workedExample().lists.at(Statutory);
    const std::vector<std::string> choices = session.rateChoices(source());
    EXPECT_TRUE(std::is_sorted(choices.begin(), choices.end()));
    EXPECT_EQ(std::count(choices.begin(), choices.end(), Statutory), 1);
    EXPECT_EQ(std::count(choices.begin(), choices.end(), "Özel Liste"), 1);
    EXPECT_EQ(std::count(choices.begin(), choices.end(), std::string(rates::AdvanceName)), 1);
    const std::vector<std::string> without = session.rateChoices({root / "yok", false});
    EXPECT_EQ(std::count(without.begin(), without.end(), "Özel Liste"), 1);
    EXPECT_EQ(std::count(without.begin(), without.end(), std::string(rates::AdvanceName)), 1);

    ASSERT_TRUE(faiz::write(lists / utf8path::fromUtf8("Klasördeki.faiz"),
                            claim::workedExample().lists.at(Statutory)));
    const std::vector<std::string> more = session.rateChoices(source());
    EXPECT_EQ(more.size(), choices.size() + 1);
    EXPECT_EQ(std::count(more.begin(), more.end(), "Klasördeki"), 1);
}

} // namespace
