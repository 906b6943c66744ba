#include "AppIcon.h"

#include <QImage>
#include <QPixmap>
#include <QTest>

// The window icon comes from a resource compiled into a static library; a wrong resource
// path or a resource object dropped at link time gives a null icon without any warning.
class TestAppIcon : public QObject {
    Q_OBJECT

private slots:
    void hasEverySize_data();
    void hasEverySize();
};

void TestAppIcon::hasEverySize_data()
{
    QTest::addColumn<int>("size");
    for (int size : {16, 32, 48, 64})
        QTest::addRow("%d px", size) << size;
}

// Each size must be the hand-rendered PNG itself, not another size scaled by Qt.
void TestAppIcon::hasEverySize()
{
    QFETCH(int, size);
    const QIcon icon = AppIcon();
    QVERIFY(!icon.isNull());
    QVERIFY(icon.availableSizes().contains(QSize(size, size)));

    const QImage expected(QStringLiteral(":/icons/vantric-chat-%1.png").arg(size));
    QCOMPARE(expected.size(), QSize(size, size));
    const QImage drawn = icon.pixmap(QSize(size, size)).toImage();
    QCOMPARE(drawn.convertToFormat(QImage::Format_ARGB32_Premultiplied),
             expected.convertToFormat(QImage::Format_ARGB32_Premultiplied));
}

QTEST_MAIN(TestAppIcon)
#include "tst_appicon.moc"
