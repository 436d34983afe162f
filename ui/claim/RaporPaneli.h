#pragma once

// The "Rapor" part of the claim window: the details of the court expert's report
// (court or office, file number, date, subject, parties, questions and answers,
// documents examined, facts found, the experts). The claim is reported as the
// expert's report only while "Bilirkişi raporu olarak yaz" is ticked.

#include "core/claim/ClaimFile.h"

#include <QWidget>
#include <functional>

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QTableWidget;

namespace mirvane::shell {
class DateTimePicker;
} // namespace mirvane::shell

class RaporPaneli : public QWidget {
public:
    // `file` is the window's claim; `changed` is called after each edit of it.
    RaporPaneli(mirvane::claim::ClaimFile& file, std::function<void()> changed,
                QWidget* parent = nullptr);

    // Shows the file's report details (after a load or a new file).
    void showFile();

private:
    void edited();
    mirvane::claim::ReportDetails details() const;
    QWidget* tableWithButtons(QTableWidget* table, const QString& name, const QString& addCaption,
                              const QString& removeCaption);

    mirvane::claim::ClaimFile& file_;
    std::function<void()> changed_;
    bool showing_ = false;

    QCheckBox* RaporOnayı_ = nullptr;
    QWidget* RaporAlanı_ = nullptr;
    QLineEdit* MerciKutusu_ = nullptr;
    QLineEdit* DosyaNoKutusu_ = nullptr;
    QCheckBox* RaporTarihiOnayı_ = nullptr;
    mirvane::shell::DateTimePicker* RaporTarihiKutusu_ = nullptr;
    QLineEdit* KonuKutusu_ = nullptr;
    QTableWidget* TaraflarTablosu_ = nullptr;
    QTableWidget* SorularTablosu_ = nullptr;
    QPlainTextEdit* BelgelerKutusu_ = nullptr;
    QPlainTextEdit* TespitlerKutusu_ = nullptr;
    QTableWidget* BilirkişilerTablosu_ = nullptr;
};
