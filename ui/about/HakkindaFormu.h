#pragma once

// The About window: the program's name, version and maker, with a link to the
// maker's web site; which rate data the program uses, and the buttons that install
// or remove a rate package.

#include <QDialog>
#include <QPixmap>

class QLabel;
class QPushButton;

// Without Q_OBJECT: moc garbles non-ASCII class names, and the window declares no
// signals or slots of its own.
class HakkındaFormu : public QDialog {
public:
    explicit HakkındaFormu(QWidget* owner = nullptr);

    // The maker's web site, which the link shows and opens.
    static QString makerAddress() { return QStringLiteral("https://www.telvar.example.org/"); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void buildPanel();
    QLabel* label(int index, const QString& text, const QRect& area);

    // Handlers.
    void TELVAREtiketiÜzerindeFareHareketi();
    void AltlıkÜzerindeFareHareketi();
    void TELVAREtiketiTıklandı();
    void OranPaketiYükleButonuTıklandı();
    void OranPaketiniKaldırButonuTıklandı();

    void showRateData();

    void setLinkUnderlined(bool underlined);

    QPixmap Resim_;
    QWidget* Altlık_ = nullptr;
    QLabel* TELVAREtiketi_ = nullptr;
    QLabel* OranlarEtiketi_ = nullptr;
    QPushButton* OranPaketiYükleButonu_ = nullptr;
    QPushButton* OranPaketiniKaldırButonu_ = nullptr;
};
