#include "ui/about/RatePackageDialog.h"

#include "core/common/Utf8Path.h"
#include "core/rates/RatePackage.h"
#include "shell/Convert.h"
#include "shell/Messages.h"

#include <QFileDialog>
#include <QStandardPaths>

namespace mirvane::ui {

namespace {

using shell::toQString;

PackageChooser installedChooser;

std::optional<QString> askWithDialog(QWidget* owner) {
    QFileDialog dialog(owner, QStringLiteral("Oran Paketi Yükle"),
                       QStandardPaths::writableLocation(QStandardPaths::DownloadLocation),
                       QStringLiteral("Mirvane oran paketleri (*.mirvane-oran);;Tüm dosyalar (*)"));
    dialog.setObjectName(QStringLiteral("OranPaketiPenceresi"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst();
}

QString failureText(const RunTimeError& error) {
    return QStringLiteral("%1 (Hata Kodu: %2)").arg(toQString(error.description)).arg(error.number);
}

} // namespace

void setPackageChooser(PackageChooser chooser) {
    installedChooser = std::move(chooser);
}

bool ratePackageInstalled() {
    const std::optional<std::filesystem::path> file = rates::installedPackagePath();
    std::error_code error;
    return file && std::filesystem::exists(*file, error);
}

QString rateDataText() {
    QString text = toQString(rates::rateDataLine()) + QLatin1Char('.');
    if (const std::optional<std::string> problem = rates::installedPackageProblem()) {
        text += QLatin1Char('\n') + toQString(*problem);
    }
    return text;
}

QString ratePackageHelp() {
    return QStringLiteral(
        "Yeni faiz oranları, program yeniden kurulmadan, Telvar'ın imzaladığı bir oran "
        "paketiyle (.mirvane-oran) gelir: \"Oran paketi yükle…\" ile paketi seçin. Paket "
        "imzası doğrulanınca kullanıcının veri klasörüne kurulur; hazır listeler, yeni liste "
        "klasörleri ve listeleri güncelleme onun oranlarını kullanır. \"Oran paketini kaldır\" "
        "programla gelen oranlara döner.");
}

bool installRatePackage(QWidget* owner) {
    const std::optional<QString> chosen =
        installedChooser ? installedChooser(owner) : askWithDialog(owner);
    if (!chosen || chosen->isEmpty()) {
        return false;
    }
    const Result<std::string> bytes =
        rates::readFileBytes(utf8path::fromUtf8(chosen->toStdString()));
    if (!bytes) {
        shell::showNotice(QStringLiteral("Oran paketi okunamadı: ") + failureText(bytes.error()));
        return false;
    }
    const Result<const rates::RateData*> installed = rates::installPackage(bytes.value());
    if (!installed) {
        const RunTimeError& error = installed.error();
        shell::showNotice(error.number == errors::InvalidFileFormat
                              ? QStringLiteral("Oran paketi kurulmadı: ") +
                                    toQString(error.description)
                              : QStringLiteral("Oran paketi kurulamadı: ") + failureText(error));
        return false;
    }
    shell::showNotice(
        QStringLiteral("Oran paketi %1 kuruldu.\n%2.\n\nHazır listeler ve yeni liste klasörleri "
                       "bu oranları kullanır; var olan bir listeyi \"Listeyi Güncelle\" ile "
                       "güncelleyebilirsiniz.")
            .arg(toQString(installed.value()->packageVersion),
                 toQString(rates::rateDataLine(*installed.value()))));
    return true;
}

bool removeRatePackage(QWidget*) {
    if (!shell::askYesNo(QStringLiteral("Kurulu oran paketi kaldırılsın mı? Programla gelen "
                                        "oranlar yeniden kullanılır."))) {
        return false;
    }
    if (const Status removed = rates::removeInstalledPackage(); !removed) {
        shell::showNotice(QStringLiteral("Oran paketi kaldırılamadı: ") +
                          failureText(removed.error()));
        return false;
    }
    shell::showNotice(
        QStringLiteral("Oran paketi kaldırıldı.\n%1.").arg(toQString(rates::rateDataLine())));
    return true;
}

} // namespace mirvane::ui
