#include "AppIcon.h"

#include <QImage>
#include <QPixmap>
#include <QTest>

// The icon's resource can be lost at link time without a warning; run at twice the usual
// density, where the icon's handling of the ratio can go wrong.
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

// Each size is the hand-rendered PNG itself, not another scaled; the ratio is applied once.
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
