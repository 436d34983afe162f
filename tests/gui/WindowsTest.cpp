// What only the Windows program does: Word found through the registry, the settings in
// the registry, file names that reach the file system as UTF-16, the meeting name of the
// single copy, and the folder the program runs from (faces, Qt's Turkish texts, the
// artwork that Windows reads without Qt's SVG plugin). Built for Windows only.

#include "shell/BundledFonts.h"
#include "shell/Convert.h"
#include "shell/SingleInstance.h"
#include "shell/Translations.h"
#include "shell/ZipArchive.h"
#include "ui/about/ProgramIcon.h"
#include "ui/report/WordExport.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLibraryInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <fstream>
#include <string>

using namespace mirvane;

namespace {

const QString WordVersionKey =
    QStringLiteral("HKEY_CURRENT_USER\\Software\\Classes\\Word.Document\\CurVer");

bool wordInstalledForTheMachine() {
    const QSettings machine(
        QStringLiteral("HKEY_LOCAL_MACHINE\\Software\\Classes\\Word.Document\\CurVer"),
        QSettings::NativeFormat);
    return !machine.value(QStringLiteral("Default")).toString().isEmpty();
}

} // namespace

class WindowsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void wordIsFoundThroughTheRegistry();
    void settingsLiveInTheRegistry();
    void turkishFileNamesReachTheFileSystemWhole();
    void singleCopyMeetsUnderAPipeName();
    void programFolderCarriesFacesTextsAndArtwork();
    void zipModuleLoadsFromBesideTheProgram();
};

void WindowsTest::initTestCase() {
    QCoreApplication::setOrganizationName(QStringLiteral("Telvar"));
    QCoreApplication::setApplicationName(QStringLiteral("Mirvane Windows Test"));
}

void WindowsTest::wordIsFoundThroughTheRegistry() {
    word::setWordProcessorCheck(nullptr);
    const bool before = word::wordProcessorAvailable();
    {
        // Word registers its document class with the current version under it.
        QSettings key(WordVersionKey, QSettings::NativeFormat);
        key.setValue(QStringLiteral("Default"), QStringLiteral("Word.Document.12"));
        key.sync();
    }
    const bool withWord = word::wordProcessorAvailable();
    QSettings(QStringLiteral("HKEY_CURRENT_USER\\Software\\Classes"), QSettings::NativeFormat)
        .remove(QStringLiteral("Word.Document"));
    QVERIFY(withWord);
    if (!wordInstalledForTheMachine()) {
        QVERIFY(!before);
        QVERIFY(!word::wordProcessorAvailable());
    }
    QCOMPARE(word::noWordProcessorNotice(),
             QStringLiteral("Bilgisayarınızda MS Word yüklü değil!"));
}

void WindowsTest::settingsLiveInTheRegistry() {
    QSettings settings;
    QCOMPARE(settings.fileName(),
             QStringLiteral("\\HKEY_CURRENT_USER\\Software\\Telvar\\Mirvane Windows Test"));
    settings.setValue(QStringLiteral("Raporlar/PDF Klasoru"), QStringLiteral("C:/Belgeler/İcra"));
    settings.sync();
    const QSettings key(QStringLiteral("HKEY_CURRENT_USER\\Software\\Telvar\\Mirvane Windows Test"),
                        QSettings::NativeFormat);
    QCOMPARE(key.value(QStringLiteral("Raporlar/PDF Klasoru")).toString(),
             QStringLiteral("C:/Belgeler/İcra"));
    settings.clear();
    settings.sync();
    QSettings(QStringLiteral("HKEY_CURRENT_USER\\Software\\Telvar"), QSettings::NativeFormat)
        .remove(QStringLiteral("Mirvane Windows Test"));
}

void WindowsTest::turkishFileNamesReachTheFileSystemWhole() {
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString name = QStringLiteral("Ticari Alacaklar (Reeskont-İskonto) ğüşıöç ĞÜŞÖÇ.faiz");
    const QString path = folder.filePath(name);
    const std::filesystem::path native = shell::toPath(path);
    // Qt's "/" and Windows' "\" name the same folder; the letters stay as they are.
    QCOMPARE(QDir::fromNativeSeparators(shell::fromPath(native)), path);
    QCOMPARE(QString::fromStdWString(native.filename().wstring()), name);
    {
        std::ofstream file(native, std::ios::binary);
        QVERIFY(file);
        file << "12\n";
    }
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{name});
    QFile written(path);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), QByteArray("12\n"));
}

void WindowsTest::singleCopyMeetsUnderAPipeName() {
    const QString title =
        QStringLiteral("Telvar - Mirvane Şube %1").arg(QApplication::applicationPid());
    const QString address = shell::SingleInstance::addressFor(title);
    // A pipe name, not a path: no folder, no letters outside ASCII, no spaces.
    QCOMPARE(address, shell::SingleInstance::serverNameFor(title));
    for (const QChar c : address) {
        QVERIFY2((c.isLetterOrNumber() && c.unicode() < 128) || QStringLiteral("._-").contains(c),
                 qPrintable(address));
    }
    QVERIFY(address != shell::SingleInstance::addressFor(title + QStringLiteral(" 2")));

    shell::SingleInstance first(title);
    QStringList opened;
    first.setOpenHandler([&opened](const QString& file) { opened << file; });
    QVERIFY(first.claim());
    const QStringList files{QStringLiteral("C:/Users/Ayşe/Belgeler/İcra dosyası.mirvane"),
                            QStringLiteral("\\\\sunucu\\paylaşım\\ikinci.mirvane")};
    // The second copy is another process: it knocks while the first one's event loop runs.
    bool secondClaimed = true;
    QThread* second = QThread::create([&] {
        shell::SingleInstance other(title);
        secondClaimed = other.claim(files);
    });
    second->start();
    QTRY_VERIFY(second->isFinished());
    delete second;
    QVERIFY(!secondClaimed);
    QTRY_COMPARE(opened, files);
}

void WindowsTest::programFolderCarriesFacesTextsAndArtwork() {
    // qt.conf beside the program points Qt at its own folder, wherever it is installed.
    const QString programFolder = QCoreApplication::applicationDirPath();
    QCOMPARE(QDir(QLibraryInfo::path(QLibraryInfo::TranslationsPath)).canonicalPath(),
             QDir(programFolder + QStringLiteral("/translations")).canonicalPath());
    QVERIFY(shell::installQtTranslations(*QCoreApplication::instance()));
    QCOMPARE(QCoreApplication::translate("QLineEdit", "&Copy"), QStringLiteral("&Kopyala"));

    const bool hadArial = QFontDatabase::families().contains(QStringLiteral("Arial"));
    shell::registerBundledFonts();
    if (!hadArial) {
        QVERIFY(QFontDatabase::families().contains(QStringLiteral("Liberation Sans")));
        QVERIFY(QFontDatabase::styles(QStringLiteral("Liberation Sans"))
                    .contains(QStringLiteral("Bold")));
    }
    // The desktop's faces are drawn as named, never in a stand-in the system picks.
    for (const char* widgetClass : {"QWidget", "QMessageBox", "QMenu", "QStatusBar"}) {
        const QFont font = QApplication::font(widgetClass);
        QCOMPARE(QFontInfo(font).family(), font.family());
    }

    // Drawn at build time as a PNG under the SVG's name: not left blank.
    const QImage artwork = renderedPicture(QStringLiteral(":/about-artwork.svg"), QSize(214, 300));
    QCOMPARE(artwork.size(), QSize(214, 300));
    int opaque = 0;
    for (int y = 0; y < artwork.height(); y += 5) {
        for (int x = 0; x < artwork.width(); x += 5) {
            opaque += qAlpha(artwork.pixel(x, y)) == 255;
        }
    }
    QVERIFY2(opaque > 1000, qPrintable(QString::number(opaque)));
}

void WindowsTest::zipModuleLoadsFromBesideTheProgram() {
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("Belge ğüş.zip"));
    // Names go to libzip in UTF-8, which it hands to Windows as UTF-16.
    const Status written =
        shell::writeZip(shell::toPath(file), {{"word/document.xml", "<w:document/>"}});
    QVERIFY2(written.ok(), written.ok() ? "" : written.error().description.c_str());
    QFile zip(file);
    QVERIFY(zip.open(QIODevice::ReadOnly));
    QCOMPARE(zip.read(4), QByteArray("PK\x03\x04", 4));
}

QTEST_MAIN(WindowsTest)
#include "WindowsTest.moc"
