#include "AppIcon.h"

#include <QImage>
#include <QPixmap>
#include <QTest>

// The window icon comes from a resource compiled into a static library; a wrong resource
// path or a resource object dropped at link time gives a null icon without any warning.
// The test runs as on a screen of twice the usual density, the case where an icon's own
// handling of the ratio can go wrong.
class TestAppIcon : public QObject {
    Q_OBJECT

public:
    static void initMain() { qputenv("QT_SCALE_FACTOR", "2"); }

private slots:
    void initTestCase() { QCOMPARE(qApp->devicePixelRatio(), 2.0); }
    void drawsTheImageOfEachSize_data();
    void drawsTheImageOfEachSize();
};

void TestAppIcon::drawsTheImageOfEachSize_data()
{
    QTest::addColumn<int>("logical");
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<int>("image");
    QTest::newRow("16 px at 1x") << 16 << 1.0 << 16;
    QTest::newRow("16 px at 2x") << 16 << 2.0 << 32;
    QTest::newRow("32 px at 2x") << 32 << 2.0 << 64;
    QTest::newRow("16 px at 3x") << 16 << 3.0 << 48;
}

// Each size must be the hand-rendered PNG itself, not another size scaled by Qt. On a
// high-density screen a 16 px title bar icon is drawn from the 32 px image: the ratio must be
// applied once on the way to the images, whatever the screen's own ratio is.
void TestAppIcon::drawsTheImageOfEachSize()
{
    QFETCH(int, logical);
    QFETCH(qreal, ratio);
    QFETCH(int, image);
    const QIcon icon = appIcon();
    QVERIFY(icon.availableSizes().contains(QSize(image, image)));
    QImage drawn = icon.pixmap(QSize(logical, logical), ratio).toImage();
    QCOMPARE(drawn.size(), QSize(image, image));
    drawn.setDevicePixelRatio(1.0);
    const QImage committed(QStringLiteral(":/icons/vantric-chat-%1.png").arg(image));
    QCOMPARE(committed.size(), QSize(image, image));
    QCOMPARE(drawn.convertToFormat(QImage::Format_ARGB32_Premultiplied),
             committed.convertToFormat(QImage::Format_ARGB32_Premultiplied));
}

QTEST_MAIN(TestAppIcon)
#include "tst_appicon.moc"
