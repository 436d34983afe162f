#include "shell/Controls.h"
#include "shell/Convert.h"
#include "shell/Layout.h"
#include "shell/Messages.h"
#include "shell/QtSettingsStore.h"
#include "shell/SharedValues.h"
#include "shell/SingleInstance.h"
#include "shell/TableView.h"
#include "tests/gui/GuiTestSupport.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QDir>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>
#include <array>
#include <filesystem>
#include <system_error>

#ifdef Q_OS_UNIX
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#endif

using namespace mirvane;
using namespace mirvane::shell;
using guitest::FakeBoxes;

namespace {

const QString ReportText5 = QStringLiteral(
    "Program, aşağıdaki hata nedeniyle doğru çalışmayabilir! \nYine de devam etmek istiyor "
    "musunuz?\r\n\r\nHata Kodu: 5\r\n\r\nHata Mesajı: Geçersiz değer");

// Runs `inspect` on the modal box once it is on the screen.
void whenModalShown(const std::function<void(QMessageBox*)>& inspect) {
    QTimer::singleShot(0, [inspect] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        inspect(box);
    });
}

QString uniqueTitle(const char* what) {
    return QStringLiteral("Mirvane Test %1 %2 %3")
        .arg(QString::fromLatin1(what))
        .arg(QCoreApplication::applicationPid())
        .arg(QDateTime::currentMSecsSinceEpoch());
}

#ifdef Q_OS_UNIX
// What a copy that crashed leaves behind: the socket file with nobody listening.
void leaveStaleSocket(const QString& title) {
    const QByteArray path = QFile::encodeName(SingleInstance::addressFor(title));
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    QVERIFY(size_t(path.size()) < sizeof(address.sun_path));
    std::copy(path.begin(), path.end(), address.sun_path);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    QVERIFY(fd >= 0);
    QCOMPARE(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    ::close(fd);
    QVERIFY(QFile::exists(QFile::decodeName(path)));
}
#endif

// A later start is another process: it knocks while this copy's event loop runs, so
// the knock is made from a thread of its own. True when that start ran as the first copy.
bool claimedByALaterStart(const QString& title, const QString& display,
                          const QStringList& files = {}) {
    bool claimed = true;
    std::unique_ptr<QThread> later(QThread::create([&] {
        SingleInstance copy(title, display);
        claimed = copy.claim(files);
    }));
    later->start();
    while (!later->wait(10)) {
        QCoreApplication::processEvents();
    }
    return claimed;
}

} // namespace

class ShellTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void noticesAndQuestionsCarryCaptionIconAndButtons();
    void errorReportTextAndChoice();
    void runStepReportsFailuresAndThrownErrors();
    void realBoxHasTurkishButtonsYesDefaultAndIsCentred();
    void realNoticeHasTamamAndShowsLineBreaksOnce();

    void listViewColumnsRowsAndAlignment();
    void listViewSelectionAndRowEdits();
    void listViewKeepsAmountsWholeAndItsShares();
    void tableViewReadsItsRowsThroughTheModel();
    void datePickerFormatRangeAndEmptyState();
    void datePickerStepsAndTyping();
    void datePickerReadsTypedDatesAsAWhole();
    void datePickerSpeaksTurkish();
    void datePickerMakesItsCalendarWhenFirstOpened();

    void labelHighlightFollowsFocus();
    void enterMovesFocusLikeTab();
    void suppressedFieldShowsNoMenu();
    void layoutFontIsAnInstalledNarrowFace();

    void secondCopyAsksFirstToRaise();
    void secondCopyOnlyWithinOneDisplay();
    void staleSocketIsReplaced();
    void bringToFrontRestoresMinimisedWindow();
    void settingsStoresAgreeOnTextsAndLists();

private:
    FakeBoxes fake_;
    int endings_ = 0;
};

void ShellTest::init() {
    fake_ = FakeBoxes();
    endings_ = 0;
    setMessageBoxes(&fake_);
    setProgramEnder([this] { ++endings_; });
    shared().today = [] {
        return QDate(2024, 3, 15);
    };
}

void ShellTest::cleanup() {
    setMessageBoxes(nullptr);
    setProgramEnder(nullptr);
    guitest::checkNoTopLevelWidgetLeft();
}

void ShellTest::noticesAndQuestionsCarryCaptionIconAndButtons() {
    showNotice(QStringLiteral("Liste boş!"));
    fake_.answers = {Answer::Yes, Answer::No};
    QVERIFY(askYesNo(QStringLiteral("Programdan çıkmak istiyor musunuz?")));
    QVERIFY(!askYesNo(QStringLiteral("Programdan çıkmak istiyor musunuz?")));

    QCOMPARE(fake_.requests.size(), size_t(3));
    const MessageRequest& notice = fake_.requests[0];
    QCOMPARE(notice.caption, QStringLiteral("Mirvane"));
    QCOMPARE(notice.text, QStringLiteral("Liste boş!"));
    QCOMPARE(notice.icon, Icon::Information);
    QCOMPARE(notice.buttons, Buttons::Ok);
    const MessageRequest& question = fake_.requests[1];
    QCOMPARE(question.caption, QStringLiteral("Mirvane"));
    QCOMPARE(question.icon, Icon::Question);
    QCOMPARE(question.buttons, Buttons::YesNo);
    QCOMPARE(endings_, 0);
}

void ShellTest::errorReportTextAndChoice() {
    const RunTimeError error{5, "Geçersiz değer"};
    fake_.answers = {Answer::Yes, Answer::No};

    QVERIFY(reportError(error));
    QCOMPARE(endings_, 0);
    QVERIFY(!reportError(error));
    QCOMPARE(endings_, 1);

    const MessageRequest& report = fake_.requests.at(0);
    QCOMPARE(report.caption, QStringLiteral("Hata oluştu!"));
    QCOMPARE(report.icon, Icon::Critical);
    QCOMPARE(report.buttons, Buttons::YesNo);
    QCOMPARE(report.text, ReportText5);
}

void ShellTest::runStepReportsFailuresAndThrownErrors() {
    QVERIFY(runStep([] { return Status{}; }));
    QVERIFY(fake_.requests.empty());

    fake_.answers = {Answer::Yes, Answer::Yes, Answer::No};
    QVERIFY(runStep([] { return Status(errors::make(errors::FileNotFound)); }));
    QVERIFY(
        fake_.requests.back().text.endsWith(QStringLiteral("Hata Kodu: 53\r\n\r\nHata Mesajı: ") +
                                            toQString(errors::description(errors::FileNotFound))));

    QVERIFY(runStep([]() -> Status {
        throw std::filesystem::filesystem_error("yazılamadı",
                                                std::make_error_code(std::errc::permission_denied));
    }));
    QVERIFY(fake_.requests.back().text.contains(
        QStringLiteral("Hata Kodu: %1\r\n").arg(errors::fromErrno(EACCES).number)));
    QCOMPARE(endings_, 0);

    QVERIFY(!runStep([]() -> Status { throw std::bad_alloc(); }));
    QVERIFY(fake_.requests.back().text.contains(QStringLiteral("Hata Kodu: 7\r\n")));
    QCOMPARE(endings_, 1);
}

void ShellTest::realBoxHasTurkishButtonsYesDefaultAndIsCentred() {
    setMessageBoxes(nullptr);
    QWidget owner;
    owner.setGeometry(100, 100, 401, 301);
    owner.show();
    owner.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&owner));

    QString yesText, noText;
    bool yesDefault = false;
    QPoint boxCentre;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    whenModalShown([&](QMessageBox* box) {
        yesText = box->button(QMessageBox::Yes)->text();
        noText = box->button(QMessageBox::No)->text();
        yesDefault = box->defaultButton() == box->button(QMessageBox::Yes);
        icon = box->icon();
        boxCentre = box->frameGeometry().center();
        box->button(QMessageBox::No)->click();
    });
    QVERIFY(!askYesNo(QStringLiteral("Programdan çıkmak istiyor musunuz?")));

    QCOMPARE(yesText, QStringLiteral("Evet"));
    QCOMPARE(noText, QStringLiteral("Hayır"));
    QVERIFY(yesDefault);
    QCOMPARE(icon, QMessageBox::Question);
    const QPoint ownerCentre = owner.frameGeometry().center();
    QVERIFY2((boxCentre - ownerCentre).manhattanLength() <= 2,
             qPrintable(QStringLiteral("box centre %1,%2 owner centre %3,%4")
                            .arg(boxCentre.x())
                            .arg(boxCentre.y())
                            .arg(ownerCentre.x())
                            .arg(ownerCentre.y())));

    whenModalShown([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Return); });
    QVERIFY(askYesNo(QStringLiteral("Evet mi?")));
}

void ShellTest::realNoticeHasTamamAndShowsLineBreaksOnce() {
    setMessageBoxes(nullptr);
    QString okText, caption, shownText;
    QPoint boxCentre;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QVERIFY(!QApplication::activeWindow());
    whenModalShown([&](QMessageBox* box) {
        boxCentre = box->frameGeometry().center();
        okText = box->button(QMessageBox::Ok)->text();
        caption = box->windowTitle();
        icon = box->icon();
        box->button(QMessageBox::Ok)->click();
    });
    showNotice(QStringLiteral("Liste boş!"));
    QCOMPARE(okText, QStringLiteral("Tamam"));
    QCOMPARE(caption, QStringLiteral("Mirvane"));
    QCOMPARE(icon, QMessageBox::Information);
    const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
    QVERIFY((boxCentre - screenCentre).manhattanLength() <= 2);

    whenModalShown([&](QMessageBox* box) {
        shownText = box->text();
        caption = box->windowTitle();
        icon = box->icon();
        box->button(QMessageBox::Yes)->click();
    });
    QVERIFY(reportError({5, "Geçersiz değer"}));
    QCOMPARE(caption, QStringLiteral("Hata oluştu!"));
    QCOMPARE(icon, QMessageBox::Critical);
    QCOMPARE(shownText, QString(ReportText5).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    QCOMPARE(shownText.split(QLatin1Char('\n')).size(), 6);
    QCOMPARE(endings_, 0);
}

void ShellTest::listViewColumnsRowsAndAlignment() {
    using Align = breakdown::Column::Align;
    const std::array<breakdown::Column, 3> columns{{
        {"Dönem", 0.5, Align::Left},
        {"Oran", 0.25, Align::Centre},
        {"Tutar", 0.2, Align::Right},
    }};
    ListView view;
    view.resize(800, 200);
    view.createColumns(columns);

    QCOMPARE(view.columnCount(), 3);
    QCOMPARE(view.headerItem()->text(0), QStringLiteral("Dönem"));
    QCOMPARE(view.headerItem()->text(2), QStringLiteral("Tutar"));
    QCOMPARE(view.columnWidth(0), 400);
    QCOMPARE(view.columnWidth(1), 200);
    QCOMPARE(view.columnWidth(2), 160);
    QCOMPARE(Qt::Alignment(view.headerItem()->textAlignment(1)) & Qt::AlignHorizontal_Mask,
             Qt::AlignHCenter);
    // The header is as tall as a plain tree's in the same face, its sections as wide as
    // their texts drawn in the view's face, and a click on it sorts nothing.
    QTreeWidget plain;
    plain.setFont(view.font());
    plain.setHeaderLabels(
        {QStringLiteral("Dönem"), QStringLiteral("Oran"), QStringLiteral("Tutar")});
    // (Under Windows' style a plain tree's header measures a pixel taller.)
    QVERIFY(std::abs(view.header()->sizeHint().height() - plain.header()->sizeHint().height()) <=
            (QSysInfo::productType() == QLatin1String("windows") ? 1 : 0));
    QVERIFY(view.header()->sectionSizeHint(0) >
            view.header()->fontMetrics().horizontalAdvance(QStringLiteral("Dönem")));
    QVERIFY(!view.header()->sectionsClickable());
    QCOMPARE(view.header()->defaultAlignment(), plain.header()->defaultAlignment());

    view.addRow({QStringLiteral("9"), QStringLiteral("12"), QStringLiteral("60,16")});
    view.addRow({QStringLiteral("10"), QStringLiteral("9"), QStringLiteral("104,79")});
    QCOMPARE(view.rowCount(), 2);
    QCOMPARE(view.cellText(1, 2), QStringLiteral("104,79"));
    QCOMPARE(view.cellText(5, 0), QString());
    const QTreeWidgetItem* row = view.topLevelItem(0);
    QCOMPARE(Qt::Alignment(row->textAlignment(0)) & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    QCOMPARE(Qt::Alignment(row->textAlignment(1)) & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    QCOMPARE(Qt::Alignment(row->textAlignment(2)) & Qt::AlignHorizontal_Mask, Qt::AlignRight);

    view.removeAllRows();
    QCOMPARE(view.rowCount(), 0);
    QCOMPARE(view.columnCount(), 3);
    QCOMPARE(view.headerItem()->text(1), QStringLiteral("Oran"));
}

void ShellTest::listViewSelectionAndRowEdits() {
    ListView view;
    view.createColumns(std::array<breakdown::Column, 2>{
        {{"A", 0.5, breakdown::Column::Align::Left}, {"B", 0.5, breakdown::Column::Align::Left}}});
    QCOMPARE(view.selectedRow(), -1);
    for (int i = 1; i <= 3; ++i) {
        view.addRow({QString::number(i), QStringLiteral("x")});
    }

    view.selectRow(1);
    QCOMPARE(view.selectedRow(), 1);
    view.selectRow(2);
    QCOMPARE(view.selectedItems().size(), 1);
    QCOMPARE(view.selectedRow(), 2);

    view.setCellText(0, 1, QStringLiteral("y"));
    QCOMPARE(view.cellText(0, 1), QStringLiteral("y"));
    view.removeRow(0);
    QCOMPARE(view.rowCount(), 2);
    QCOMPARE(view.cellText(0, 0), QStringLiteral("2"));

    view.selectRow(-1);
    QCOMPARE(view.selectedRow(), -1);
}

// An amount column of a list holding its own rows grows as a wider amount comes in, by a
// row or by a cell, gives the room back once emptied, and keeps its share as the view
// grows.
void ShellTest::listViewKeepsAmountsWholeAndItsShares() {
    using Align = breakdown::Column::Align;
    const std::array<breakdown::Column, 2> columns{{
        {"Dönem", 0.5, Align::Left},
        {"Tutar", 0.1, Align::Right},
    }};
    ListView view;
    view.resize(800, 200);
    view.createColumns(columns);
    const QString longAmount = QStringLiteral("41.742.942.648.666,77");
    const int longWidth = view.viewport()->fontMetrics().horizontalAdvance(longAmount);

    view.addRow({QStringLiteral("1"), QStringLiteral("60,16")});
    QCOMPARE(view.columnWidth(1), 80);
    view.addRows({{QStringLiteral("2"), longAmount}});
    QVERIFY(view.columnWidth(1) > longWidth);
    QCOMPARE(view.columnWidth(0), 400);
    // A long text in a column that holds no amounts is cut, not made room for.
    view.addRow({longAmount + longAmount + longAmount + longAmount, QStringLiteral("1,00")});
    QCOMPARE(view.columnWidth(0), 400);

    view.removeAllRows();
    QCOMPARE(view.columnWidth(1), 80);
    view.addRow({QStringLiteral("1"), QStringLiteral("60,16")});
    view.setCellText(0, 1, longAmount);
    QVERIFY(view.columnWidth(1) > longWidth);

    view.removeAllRows();
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.resize(1600, 200);
    QTRY_COMPARE(view.columnWidth(0), 800);
    QCOMPARE(view.columnWidth(1), 160);
}

// The rows live outside the view: the table shows what they hold after each change, and
// an amount column grows to its widest amount and gives the room back once emptied.
void ShellTest::tableViewReadsItsRowsThroughTheModel() {
    using Align = breakdown::Column::Align;
    const std::array<breakdown::Column, 3> columns{{
        {"Dönem", 0.5, Align::Left},
        {"Oran", 0.25, Align::Centre},
        {"Tutar", 0.1, Align::Right},
    }};
    std::vector<QStringList> rows;
    TableView view;
    view.resize(800, 200);
    CellTableModel model(
        columns, [&rows] { return int(rows.size()); },
        [&rows](int row, int column) { return rows[std::size_t(row)][column]; }, nullptr);
    view.showModel(&model, columns);

    QCOMPARE(model.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(),
             QStringLiteral("Oran"));
    QCOMPARE(view.columnWidth(0), 400);
    QCOMPARE(view.columnWidth(2), 80);
    // (Under Windows' style a plain tree's header measures a pixel taller.)
    QVERIFY(std::abs(view.header()->sizeHint().height() -
                     QTreeWidget().header()->sizeHint().height()) <=
            (QSysInfo::productType() == QLatin1String("windows") ? 1 : 0));
    QCOMPARE(view.rowCount(), 0);

    const QString longAmount = QStringLiteral("41.742.942.648.666,77");
    model.change([&] {
        rows = {{QStringLiteral("1"), QStringLiteral("12"), QStringLiteral("60,16")},
                {QStringLiteral("2"), QStringLiteral("9"), longAmount}};
    });
    QCOMPARE(view.rowCount(), 2);
    QCOMPARE(view.cellText(1, 2), longAmount);
    QCOMPARE(view.cellText(5, 0), QString());
    QCOMPARE(Qt::Alignment(model.index(0, 2).data(Qt::TextAlignmentRole).toInt()) &
                 Qt::AlignHorizontal_Mask,
             Qt::AlignRight);
    QVERIFY(view.columnWidth(2) > view.viewport()->fontMetrics().horizontalAdvance(longAmount));
    QCOMPARE(view.columnWidth(0), 400);

    model.change([&] { rows.clear(); });
    QCOMPARE(view.rowCount(), 0);
    QCOMPARE(view.columnWidth(2), 80);
    // Wider, the columns keep their shares.
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.resize(1600, 200);
    QTRY_COMPARE(view.columnWidth(0), 800);
}

void ShellTest::datePickerFormatRangeAndEmptyState() {
    DateTimePicker picker;
    QCOMPARE(picker.displayFormat(), QStringLiteral("dd.MM.yyyy"));
    QVERIFY(picker.calendarPopup());
    QCOMPARE(picker.value(), std::optional<QDate>(QDate(2024, 3, 15)));

    picker.setValue(QDate(2005, 7, 1));
    QCOMPARE(picker.text(), QStringLiteral("01.07.2005"));

    picker.setValue(QDate(1500, 1, 1));
    QCOMPARE(picker.value(), std::optional<QDate>(QDate(1601, 1, 1)));
    picker.setValue(QDate(9999, 12, 31));
    QCOMPARE(picker.text(), QStringLiteral("31.12.9999"));

    picker.setValue(std::nullopt);
    QCOMPARE(picker.value(), std::nullopt);
    QCOMPARE(picker.text().trimmed(), QString());
    picker.setValue(QDate(2008, 1, 10));
    QCOMPARE(picker.value(), std::optional<QDate>(QDate(2008, 1, 10)));
    picker.setValue(QDate());
    QCOMPARE(picker.value(), std::nullopt);

    picker.setValueText(QStringLiteral("5.7.2005"));
    QCOMPARE(picker.value(), std::optional<QDate>(QDate(2005, 7, 5)));
    picker.setValueText(QStringLiteral("31.02.2005"));
    QCOMPARE(picker.value(), std::nullopt);

    // Laid out at the size it asks for, the field shows the longest date whole.
    QWidget window;
    auto* layout = new QHBoxLayout(&window);
    auto* field = new DateTimePicker(&window);
    layout->addWidget(field);
    layout->addStretch();
    field->setValue(QDate(2026, 12, 28));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const auto* text = field->findChild<QLineEdit*>();
    QTRY_VERIFY(text->contentsRect().width() - 4 >=
                text->fontMetrics().horizontalAdvance(QStringLiteral("31.12.9999")));
}

void ShellTest::datePickerStepsAndTyping() {
    DateTimePicker picker;
    picker.setValue(std::nullopt);
    picker.stepBy(1);
    QCOMPARE(picker.value(), std::optional<QDate>(QDate(2024, 3, 15)));

    picker.setValue(QDate(1601, 1, 1));
    picker.setCurrentSection(QDateTimeEdit::YearSection);
    picker.stepBy(-1);
    QCOMPARE(picker.value(), std::optional<QDate>(QDate(1601, 1, 1)));

    QWidget window;
    auto* field = new DateTimePicker(&window);
    auto* next = new QLineEdit(&window);
    new QVBoxLayout(&window);
    window.layout()->addWidget(field);
    window.layout()->addWidget(next);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    field->setValue(std::nullopt);
    field->setFocus();
    field->setSelectedSection(QDateTimeEdit::DaySection);
    QTest::keyClicks(field, QStringLiteral("05072020"));
    next->setFocus();
    QCOMPARE(field->value(), std::optional<QDate>(QDate(2020, 7, 5)));

    // Dates typed the way they are written, with or without leading zeros.
    const std::pair<QString, QDate> written[] = {
        {QStringLiteral("01.07.2005"), QDate(2005, 7, 1)},
        {QStringLiteral("1.7.2005"), QDate(2005, 7, 1)},
        {QStringLiteral("31.12.1999"), QDate(1999, 12, 31)},
        {QStringLiteral("5.11.2021"), QDate(2021, 11, 5)}};
    for (const auto& [typed, expected] : written) {
        field->setFocus();
        field->setSelectedSection(QDateTimeEdit::DaySection);
        QTest::keyClicks(field, typed);
        QTest::keyClick(field, Qt::Key_Tab);
        QVERIFY2(field->value() == std::optional<QDate>(expected),
                 qPrintable(typed + QStringLiteral(" -> ") + field->text()));
        // Tab leaves the field instead of walking through its sections.
        QVERIFY(next->hasFocus());
    }
}

// Whatever the field showed before, a typed date is the date written; a date that is
// not whole or not real is dropped and the field shows its value again.
void ShellTest::datePickerReadsTypedDatesAsAWhole() {
    QWidget window;
    auto* field = new DateTimePicker(&window);
    auto* next = new QLineEdit(&window);
    new QVBoxLayout(&window);
    window.layout()->addWidget(field);
    window.layout()->addWidget(next);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    struct Case {
        QDate shown;
        QString typed;
        QDate expected;
    };
    const Case cases[] = {
        {QDate(2024, 4, 14), QStringLiteral("31.12.2005"), QDate(2005, 12, 31)},
        {QDate(2024, 4, 14), QStringLiteral("31122005"), QDate(2005, 12, 31)},
        {QDate(2024, 2, 14), QStringLiteral("31.03.2024"), QDate(2024, 3, 31)},
        {QDate(2024, 2, 14), QStringLiteral("30.06.2005"), QDate(2005, 6, 30)},
        {QDate(2024, 2, 14), QStringLiteral("31032024"), QDate(2024, 3, 31)},
        {QDate(2023, 1, 14), QStringLiteral("29.02.2024"), QDate(2024, 2, 29)},
        {QDate(2023, 2, 14), QStringLiteral("29.6.2005"), QDate(2005, 6, 29)},
        // Not real, or not whole: the value stays and is shown again.
        {QDate(2024, 4, 14), QStringLiteral("31.02.2005"), QDate(2024, 4, 14)},
        {QDate(2024, 1, 14), QStringLiteral("01.07.05"), QDate(2024, 1, 14)},
    };
    for (const Case& c : cases) {
        field->setValue(c.shown);
        field->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(field, c.typed);
        QTest::keyClick(field, Qt::Key_Tab);
        QVERIFY2(field->value() == std::optional<QDate>(c.expected),
                 qPrintable(c.typed + QStringLiteral(" -> ") + field->text()));
        QCOMPARE(field->text(), c.expected.toString(QStringLiteral("dd.MM.yyyy")));
    }

    // The whole text selected, as a click and drag leaves it.
    field->setValue(QDate(2024, 4, 14));
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, QStringLiteral("31.12.2005"));
    QCOMPARE(field->value(), std::optional<QDate>(QDate(2005, 12, 31)));

    // A half-typed date shows as typed; Backspace takes back a character; finishing
    // it (as a button pressed by its access key does) drops it.
    field->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(field, QStringLiteral("01.07.20"));
    QCOMPARE(field->text(), QStringLiteral("01.07.20"));
    QTest::keyClick(field, Qt::Key_Backspace);
    QCOMPARE(field->text(), QStringLiteral("01.07.2"));
    field->finishTyping();
    QCOMPARE(field->value(), std::optional<QDate>(QDate(2005, 12, 31)));
    QCOMPARE(field->text(), QStringLiteral("31.12.2005"));
}

void ShellTest::datePickerSpeaksTurkish() {
    DateTimePicker picker;
    QCOMPARE(picker.locale().language(), QLocale::Turkish);
    QCOMPARE(picker.calendarWidget()->locale().monthName(1), QStringLiteral("Ocak"));
    QCOMPARE(picker.calendarWidget()->firstDayOfWeek(), Qt::Monday);
    QCOMPARE(picker.calendarWidget()->minimumDate() <= QDate(1601, 1, 1), true);

    picker.setValue(std::nullopt);
    picker.show();
    QVERIFY(QTest::qWaitForWindowExposed(&picker));
    QTest::mouseClick(&picker, Qt::LeftButton, {}, QPoint(picker.width() - 5, picker.height() / 2));
    QTRY_VERIFY(picker.calendarWidget()->isVisible());
    QCOMPARE(picker.calendarWidget()->yearShown(), 2024);
    QCOMPARE(picker.calendarWidget()->monthShown(), 3);
    picker.calendarWidget()->window()->close();
    QCOMPARE(picker.value(), std::nullopt);
}

// A window with date fields opens without their calendars; the first opening still
// gives the Turkish calendar on the current month.
void ShellTest::datePickerMakesItsCalendarWhenFirstOpened() {
    DateTimePicker picker;
    picker.setValue(std::nullopt);
    picker.show();
    QVERIFY(QTest::qWaitForWindowExposed(&picker));
    QVERIFY(!picker.findChild<QCalendarWidget*>());

    QTest::mouseClick(&picker, Qt::LeftButton, {}, QPoint(picker.width() - 5, picker.height() / 2));
    QTRY_VERIFY(QApplication::activePopupWidget());
    auto* calendar = QApplication::activePopupWidget()->findChild<QCalendarWidget*>();
    QVERIFY(calendar);
    QCOMPARE(calendar->locale().monthName(1), QStringLiteral("Ocak"));
    QCOMPARE(calendar->firstDayOfWeek(), Qt::Monday);
    QCOMPARE(calendar->yearShown(), 2024);
    QCOMPARE(calendar->monthShown(), 3);
    calendar->window()->close();
    QCOMPARE(picker.value(), std::nullopt);
}

void ShellTest::labelHighlightFollowsFocus() {
    shared().LabelHighlightColour = QColor(0, 0, 192);
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* label = new QLabel(QStringLiteral("Ana &Para:"));
    auto* field = new QLineEdit;
    auto* dateLabel = new QLabel(QStringLiteral("&Başlangıç Tarihi:"));
    auto* date = new DateTimePicker;
    auto* other = new QLineEdit;
    for (QWidget* w : std::initializer_list<QWidget*>{label, field, dateLabel, date, other}) {
        layout->addWidget(w);
    }
    highlightLabelWhileFocused(label, field);
    highlightLabelWhileFocused(dateLabel, date);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    const QColor normal = window.palette().color(QPalette::WindowText);

    field->setFocus();
    QTRY_COMPARE(label->palette().color(QPalette::WindowText), QColor(0, 0, 192));
    QCOMPARE(dateLabel->palette().color(QPalette::WindowText), normal);

    date->setFocus();
    QTRY_COMPARE(dateLabel->palette().color(QPalette::WindowText), QColor(0, 0, 192));
    QCOMPARE(label->palette().color(QPalette::WindowText), normal);

    other->setFocus();
    QTRY_COMPARE(dateLabel->palette().color(QPalette::WindowText), normal);
}

void ShellTest::enterMovesFocusLikeTab() {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* list = new QListWidget;
    list->addItems({QStringLiteral("Adi"), QStringLiteral("Ticari")});
    auto* date = new DateTimePicker;
    auto* text = new QLineEdit;
    auto* last = new QPushButton(QStringLiteral("Son"));
    for (QWidget* w : std::initializer_list<QWidget*>{list, date, text, last}) {
        layout->addWidget(w);
    }
    for (QWidget* w : std::initializer_list<QWidget*>{list, date, text}) {
        enterMovesFocus(w);
    }
    int returnsSeen = 0;
    connect(text, &QLineEdit::returnPressed, text, [&returnsSeen] { ++returnsSeen; });
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    list->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTRY_VERIFY(date->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
    QTRY_VERIFY(text->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTRY_VERIFY(last->hasFocus());
    QCOMPARE(returnsSeen, 0);
}

void ShellTest::suppressedFieldShowsNoMenu() {
    QWidget window;
    auto* field = new QLineEdit(&window);
    field->setText(QStringLiteral("1.000,00"));
    suppressContextMenu(field);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    bool menuShown = false;
    QTimer::singleShot(0, [&menuShown] {
        if (QWidget* popup = QApplication::activePopupWidget()) {
            menuShown = true;
            popup->close();
        }
    });
    QContextMenuEvent byMouse(QContextMenuEvent::Mouse, QPoint(5, 5),
                              field->mapToGlobal(QPoint(5, 5)));
    QContextMenuEvent byKey(QContextMenuEvent::Keyboard, QPoint(5, 5),
                            field->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(field, &byMouse);
    QApplication::sendEvent(field, &byKey);
    QTest::qWait(20);
    QVERIFY(!menuShown);

    QTest::keyClicks(field, QStringLiteral("5"));
    QCOMPARE(field->text(), QStringLiteral("1.000,005"));
}

void ShellTest::layoutFontIsAnInstalledNarrowFace() {
    const QFont font = layoutFont(QApplication::font());
    QCOMPARE(font.pointSizeF(), 8.25);
    const QString face = installedLayoutFace();
    if (face.isEmpty()) {
        QCOMPARE(font.family(), QApplication::font().family());
        QSKIP("None of the layout's faces is installed here.");
    }
    // The face drawn is the one chosen, not a stand-in found by a search.
    QCOMPARE(QFontInfo(font).family(), face);
}

void ShellTest::secondCopyAsksFirstToRaise() {
    const QString title = uniqueTitle("raise");
    SingleInstance first(title);
    int raised = 0;
    first.setRaiseHandler([&raised] { ++raised; });
    QVERIFY(first.claim());

    SingleInstance otherVersion(title + QStringLiteral(" 2"));
    QVERIFY(otherVersion.claim());

    QVERIFY(!claimedByALaterStart(title, SingleInstance::currentDisplay()));
    QTRY_COMPARE(raised, 1);
    // The copy that ended leaves the first one reachable.
    QVERIFY(!claimedByALaterStart(title, SingleInstance::currentDisplay()));
    QTRY_COMPARE(raised, 2);

    // A start with files hands them over, whatever characters their names hold.
    QStringList opened;
    first.setOpenHandler([&opened](const QString& file) { opened << file; });
    const QStringList files{QStringLiteral("/tmp/İcra dosyası 1.mirvane"),
                            QStringLiteral("/tmp/a\nb %20.mirvane")};
    QVERIFY(!claimedByALaterStart(title, SingleInstance::currentDisplay(), files));
    QTRY_COMPARE(raised, 3);
    QTRY_COMPARE(opened, files);

    const QString name = SingleInstance::serverNameFor(title);
    QVERIFY(!name.contains(QLatin1Char(' ')));
    QVERIFY(name.startsWith(QStringLiteral("Mirvane_Test_raise_")));
    QVERIFY(name != SingleInstance::serverNameFor(title + QStringLiteral(" 2")));
#ifdef Q_OS_UNIX
    QCOMPARE(
        SingleInstance::serverNameFor(QStringLiteral("Şu 1.14 \U0001D11E"), QStringLiteral(":1")),
        QStringLiteral("_u_1.14__-%1-_1").arg(::getuid()));
#endif
}

// A copy of the same user and version on another display (a second X server) is
// not one the user can see: a start on this display runs a copy of its own, and a
// later start here reaches that one, not the other.
void ShellTest::secondCopyOnlyWithinOneDisplay() {
    const QString title = uniqueTitle("display");
    int raisedThere = 0;
    int raisedHere = 0;
    SingleInstance there(title, QStringLiteral(":7"));
    there.setRaiseHandler([&raisedThere] { ++raisedThere; });
    QVERIFY(there.claim());
    SingleInstance here(title, QStringLiteral(":8"));
    here.setRaiseHandler([&raisedHere] { ++raisedHere; });
    QVERIFY(here.claim());
    QVERIFY(!claimedByALaterStart(title, QStringLiteral(":8")));
    QTRY_COMPARE(raisedHere, 1);
    QTest::qWait(20);
    QCOMPARE(raisedThere, 0);

#ifdef Q_OS_UNIX
    // One X display however it is written; its screens are one display.
    const QByteArray saved = qgetenv("DISPLAY");
    const QString platform = QGuiApplication::platformName();
    QStringList seen;
    for (const char* written : {":5", ":5.0", "unix:5.1"}) {
        qputenv("DISPLAY", written);
        seen << SingleInstance::currentDisplay();
    }
    qputenv("DISPLAY", "host.example:5.0");
    const QString remote = SingleInstance::currentDisplay();
    if (saved.isNull()) {
        qunsetenv("DISPLAY");
    } else {
        qputenv("DISPLAY", saved);
    }
    if (!platform.startsWith(QLatin1String("wayland"))) {
        QCOMPARE(seen, QStringList(3, QStringLiteral(":5")));
        QCOMPARE(remote, QStringLiteral("host.example:5"));
    }
#endif
}

void ShellTest::staleSocketIsReplaced() {
#ifdef Q_OS_UNIX
    const QString title = uniqueTitle("stale");
    leaveStaleSocket(title);
    const QString address = SingleInstance::addressFor(title);
    {
        SingleInstance first(title);
        int raised = 0;
        first.setRaiseHandler([&raised] { ++raised; });
        QVERIFY(first.claim());

        SingleInstance second(title);
        QVERIFY(!second.claim());
        QTRY_COMPARE(raised, 1);
    }
    // A copy that ends cleanly takes its socket with it.
    QVERIFY(!QFile::exists(address));

    // Something that is no socket is left alone; the copy then runs unguarded.
    QFile other(address);
    QVERIFY(other.open(QIODevice::WriteOnly));
    other.write("kept");
    other.close();
    {
        SingleInstance first(title);
        QVERIFY(first.claim());
    }
    QVERIFY(other.open(QIODevice::ReadOnly));
    QCOMPARE(other.readAll(), QByteArray("kept"));
    other.remove();
#else
    QSKIP("A crashed copy leaves a socket file only on Unix.");
#endif
}

void ShellTest::bringToFrontRestoresMinimisedWindow() {
    QWidget window;
    window.show();
    window.showMinimized();
    QVERIFY(window.windowState() & Qt::WindowMinimized);
    bringToFront(&window);
    QVERIFY(!(window.windowState() & Qt::WindowMinimized));
    QVERIFY(window.isVisible());
}

// The sessions are tested against the store in memory: the one the program uses must
// read back what was written the same way, lists of one and texts with commas included.
void ShellTest::settingsStoresAgreeOnTextsAndLists() {
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.path());
    QtSettingsStore qt;
    settings::MemorySettingsStore memory;
    const std::vector<std::string> recent{"/dosyalar/İcra 2026.mirvane", "/a,b/ç.mirvane"};
    for (settings::SettingsStore* store : {static_cast<settings::SettingsStore*>(&qt),
                                           static_cast<settings::SettingsStore*>(&memory)}) {
        store->setText("Genel/Oran", "12,5");
        store->setTexts("Dosya/Son", recent);
        store->setTexts("Dosya/Tek", {"yalnız"});
        store->setText("Genel/Silinecek", "x");
        store->remove("Genel/Silinecek");
    }
    QtSettingsStore reread; // what the next start reads
    for (const settings::SettingsStore* store :
         {static_cast<const settings::SettingsStore*>(&reread),
          static_cast<const settings::SettingsStore*>(&memory)}) {
        QCOMPARE(store->text("Genel/Oran"), std::optional<std::string>("12,5"));
        QVERIFY(store->texts("Dosya/Son") == recent);
        QVERIFY(store->texts("Dosya/Tek") == std::vector<std::string>{"yalnız"});
        QCOMPARE(store->text("Dosya/Tek"), std::optional<std::string>("yalnız"));
        QVERIFY(!store->text("Genel/Silinecek"));
        QVERIFY(!store->text("Yok/Anahtar"));
        QVERIFY(store->texts("Yok/Anahtar").empty());
    }
}

QTEST_MAIN(ShellTest)
#include "ShellTest.moc"
