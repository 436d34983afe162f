#pragma once

// What the tests of the rate list editor windows share: a temporary list folder
// with the default lists, message boxes that answer from a script, a fixed today,
// and a way to make every write into the folder fail.

#include "core/ratelist/FaizFile.h"
#include "core/ratelist/RateListStore.h"
#include "core/rates/DefaultLists.h"
#include "core/rates/ReadyLists.h"
#include "shell/Controls.h"
#include "shell/Convert.h"
#include "shell/Messages.h"
#include "shell/SharedValues.h"
#include "tests/gui/GuiTestSupport.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <fstream>
#include <initializer_list>
#ifndef _WIN32
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace editortest {

using namespace mirvane;
namespace fs = std::filesystem;
using guitest::FakeBoxes;
using guitest::q;

// The texts of one table row as the tests write them: UTF-8 literals.
inline QStringList cells(std::initializer_list<std::string_view> texts) {
    QStringList row;
    for (std::string_view text : texts) {
        row.append(shell::toQString(text));
    }
    return row;
}

inline Date on(int y, unsigned m, unsigned d) {
    return std::chrono::year{y} / std::chrono::month{m} / std::chrono::day{d};
}

inline std::string fileBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline fs::path listFile(const std::string& name) {
    return store::listFilePath(shell::shared().ListFolder, name);
}

#ifndef _WIN32
// Makes every write into `folder` fail while it lives: through the folder's
// permissions where they bind, and where they bind nobody (the superuser) through
// a file size limit of zero bytes, which fails the write as a full disk would.
class FailingWrites {
public:
    explicit FailingWrites(const fs::path& folder) : folder_(folder) {
        fs::permissions(folder_, fs::perms(0555));
        if (::access(folder_.c_str(), W_OK) == 0) {
            ::getrlimit(RLIMIT_FSIZE, &saved_);
            previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
            const rlimit none{0, saved_.rlim_max};
            limited_ = ::setrlimit(RLIMIT_FSIZE, &none) == 0;
        }
    }
    ~FailingWrites() {
        if (limited_) {
            ::setrlimit(RLIMIT_FSIZE, &saved_);
            std::signal(SIGXFSZ, previousHandler_);
        }
        fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::add);
    }
    FailingWrites(const FailingWrites&) = delete;
    FailingWrites& operator=(const FailingWrites&) = delete;

private:
    fs::path folder_;
    rlimit saved_{};
    void (*previousHandler_)(int) = SIG_DFL;
    bool limited_ = false;
};
#endif

// The fixture's state: a fresh list folder holding the three default lists as
// earlier versions wrote them (the statutory list ending 30.12.2020).
class EditorFixture {
public:
    void setUp() {
        folder_ = std::make_unique<QTemporaryDir>();
        shell::shared().ListFolder = shell::toPath(folder_->path());
        QVERIFY(store::prepareFolder(shell::shared().ListFolder).ok());
        for (const RateList& list : rates::earlierDefaults()) {
            faiz::write(store::listFilePath(shell::shared().ListFolder, list.Name), list.Periods);
        }
        shell::shared().today = [] {
            return QDate(2024, 3, 15);
        };
        boxes = FakeBoxes();
        endings = 0;
        shell::setMessageBoxes(&boxes);
        shell::setProgramEnder([this] { ++endings; });
    }
    void tearDown() {
        shell::setMessageBoxes(nullptr);
        shell::setProgramEnder(nullptr);
        folder_.reset();
    }

    FakeBoxes boxes;
    int endings = 0;

private:
    std::unique_ptr<QTemporaryDir> folder_;
};

template <class T> T* child(QWidget* window, const QString& name) {
    T* found = window->findChild<T*>(name);
    if (!found) {
        qFatal("missing control %s", qPrintable(name));
    }
    return found;
}

// Drives one editor window through its controls by name.
struct Editor {
    QWidget* window;

    shell::DateTimePicker* start() const {
        return child<shell::DateTimePicker>(window, QStringLiteral("BaşlangıçTarihiKutusu"));
    }
    shell::DateTimePicker* end() const {
        return child<shell::DateTimePicker>(window, QStringLiteral("BitişTarihiKutusu"));
    }
    QLineEdit* rate() const { return child<QLineEdit>(window, QStringLiteral("FaizOranıKutusu")); }
    QPlainTextEdit* description() const {
        return child<QPlainTextEdit>(window, QStringLiteral("AçıklamaKutusu"));
    }
    shell::ListView* list() const {
        return child<shell::ListView>(window, QStringLiteral("FaizDönemleriListesi"));
    }
    QWidget* area() const { return child<QWidget>(window, QStringLiteral("Altlık")); }
    QPushButton* button(const char* name) const { return child<QPushButton>(window, q(name)); }
    QPushButton* twoState() const { return button("YeniDönemBelirleListeyeEkleButonu"); }

    void press(const char* name) const { button(name)->click(); }

    void setDates(QDate from, QDate to) const {
        start()->setValue(from);
        end()->setValue(to);
    }

    // Begin a period, fill it in and press the two-state button again.
    void addPeriod(QDate from, QDate to, const QString& rateText,
                   const QString& descriptionText = {}) const {
        twoState()->click();
        setDates(from, to);
        rate()->setText(rateText);
        description()->setPlainText(descriptionText);
        twoState()->click();
    }

    QStringList row(int index) const {
        QStringList cells;
        for (int column = 0; column < 5; ++column) {
            cells << list()->cellText(index, column);
        }
        return cells;
    }
};

} // namespace editortest
