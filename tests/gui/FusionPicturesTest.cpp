#include "shell/FusionPictures.h"

#include "tests/gui/GuiTestSupport.h"

#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QImageReader>
#include <QPixmap>
#include <QStyleFactory>
#include <QTest>

namespace {

const QString GroupBoxFrame =
    QStringLiteral(":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png");

// Qt's image plugins this process has loaded.
QStringList loadedImagePlugins() {
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly)) {
        return {QStringLiteral("(no /proc/self/maps)")};
    }
    QStringList plugins;
    for (const QByteArray& line : maps.readAll().split('\n')) {
        if (line.contains("/imageformats/")) {
            plugins << QString::fromLocal8Bit(line.mid(line.lastIndexOf(' ') + 1));
        }
    }
    return plugins;
}

} // namespace

// One process per case: once a plugin is loaded it stays, so each case must be the
// first in its process to draw or read a picture.
class FusionPicturesTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup();
    void groupBoxIsDrawnWithoutImagePlugins();
};

void FusionPicturesTest::groupBoxIsDrawnWithoutImagePlugins() {
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    mirvane::shell::cacheFusionPictures();
    QGroupBox box;
    box.resize(200, 100);
    box.grab();
    // Fusion's frame came from the cache, under the key Qt's loader looks for.
    QCOMPARE(loadedImagePlugins(), QStringList());
    const QImage cached = QPixmap(GroupBoxFrame).toImage();

    // The same picture Qt would have read itself (this loads the plugins).
    const QImage read = QImageReader(GroupBoxFrame).read().convertToFormat(cached.format());
    QVERIFY(!read.isNull());
    QCOMPARE(cached, read);
}

void FusionPicturesTest::cleanup() {
    guitest::checkNoTopLevelWidgetLeft();
}

QTEST_MAIN(FusionPicturesTest)
#include "FusionPicturesTest.moc"
