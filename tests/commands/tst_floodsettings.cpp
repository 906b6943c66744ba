// Options > Flood Protection: what the dialog shows, what it refuses and what it stores.
#include "ClientHarness.h"
#include "commands/SendQueue.h"
#include "settings/ConfigurationKey.h"
#include "settings/SettingText.h"
#include "ui/Forms.h"
#include "ui/frmFlood.h"
#include "ui/frmMain.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace CK = ConfigurationKey;

namespace {
const char* const Keys[] = {CK::FloodWrapBytes, CK::FloodUnits, CK::FloodWindowSeconds,
                            CK::FloodLongestLine, CK::FloodProtection};

QStringList stored()
{
    QStringList values;
    for (const char* key : Keys)
        values << readSetting(key, "-");
    return values;
}

QStringList fieldsOf(const frmFlood* dialog)
{
    return {dialog->txtWrapBytes->text(), dialog->txtUnits->text(),
            dialog->txtWindowSeconds->text(), dialog->txtLongestLine->text(),
            dialog->chkProtect->isChecked() ? "1" : "0"};
}
} // namespace

class tst_FloodSettings : public QObject {
    Q_OBJECT
private slots:
    void init() { h = std::make_unique<ClientHarness>(false); }
    void cleanup() { h.reset(); }

    void storedLimitsShown_data();
    void storedLimitsShown();
    void okStoresOrRefuses_data();
    void okStoresOrRefuses();
    void cancelAndFrameStoreNothing_data();
    void cancelAndFrameStoreNothing();

private:
    frmFlood* open();
    std::unique_ptr<ClientHarness> h;
};

frmFlood* tst_FloodSettings::open()
{
    h->main->mnuFlood->trigger();
    frmFlood* dialog = Forms<frmFlood>::get();
    return dialog->isVisible() ? dialog : nullptr;
}

// Stored: wrap, units, window, longest, switch ("-": nothing stored).
void tst_FloodSettings::storedLimitsShown_data()
{
    QTest::addColumn<QStringList>("stored");
    QTest::addColumn<QStringList>("shown");

    const QStringList defaults{"40", "5", "5", "160", "1"};
    QTest::newRow("nothing stored") << QStringList{"-", "-", "-", "-", "-"} << defaults;
    QTest::newRow("stored") << QStringList{"50", "4", "10", "150", "0"}
                            << QStringList{"50", "4", "10", "150", "0"};
    QTest::newRow("edited by hand into nonsense")
        << QStringList{"50", "many", "10", "150", "0"} << defaults;
}

void tst_FloodSettings::storedLimitsShown()
{
    QFETCH(QStringList, stored);
    QFETCH(QStringList, shown);

    for (int i = 0; i < stored.size(); ++i) {
        if (stored[i] != "-")
            storeSetting(Keys[i], stored[i]);
    }
    frmFlood* dialog = open();
    QVERIFY(dialog);
    QCOMPARE(fieldsOf(dialog), shown);
}

void tst_FloodSettings::okStoresOrRefuses_data()
{
    QTest::addColumn<QStringList>("typed"); // as in the dialog, the switch last
    QTest::addColumn<QString>("message");   // empty: stored

    QTest::newRow("changed") << QStringList{"50", "4", "10", "150", "1"} << "";
    QTest::newRow("longer than the units allow")
        << QStringList{"40", "5", "5", "200", "1"}
        << "With 40 bytes per unit and 5 units, the longest line can be at most 160 bytes: a "
           "longer line would cost 5 units or more, and the server would refuse it every time.";
}

void tst_FloodSettings::okStoresOrRefuses()
{
    QFETCH(QStringList, typed);
    QFETCH(QString, message);

    frmFlood* dialog = open();
    QVERIFY(dialog);
    dialog->txtWrapBytes->setText(typed[0]);
    dialog->txtUnits->setText(typed[1]);
    dialog->txtWindowSeconds->setText(typed[2]);
    dialog->txtLongestLine->setText(typed[3]);
    dialog->chkProtect->setChecked(typed[4] == "1");
    QTest::keyClick(dialog->txtLongestLine, Qt::Key_Return);

    if (message.isEmpty()) {
        QVERIFY(h->messages.isEmpty());
        QVERIFY(!Forms<frmFlood>::isLoaded());
        QCOMPARE(stored(), typed);
        // In force at once.
        QCOMPARE(h->main->outgoing->limits().longestLine, typed[3].toInt());
        return;
    }
    QCOMPARE(h->messages.size(), 1);
    QCOMPARE(h->messages[0].text, message);
    QVERIFY(dialog->isVisible());
    QCOMPARE(fieldsOf(dialog), typed);
    QCOMPARE(stored(), QStringList(5, "-"));
}

void tst_FloodSettings::cancelAndFrameStoreNothing_data()
{
    QTest::addColumn<bool>("byFrame");
    QTest::newRow("cancel") << false;
    QTest::newRow("closed by its frame") << true;
}

void tst_FloodSettings::cancelAndFrameStoreNothing()
{
    QFETCH(bool, byFrame);

    frmFlood* dialog = open();
    QVERIFY(dialog);
    dialog->txtUnits->setText("9");
    if (byFrame)
        dialog->close();
    else
        dialog->cmdCancel->click();
    QVERIFY(!Forms<frmFlood>::isLoaded());
    QCOMPARE(stored(), QStringList(5, "-"));
    QCOMPARE(open()->txtUnits->text(), QString("5"));
}

QTEST_MAIN(tst_FloodSettings)
#include "tst_floodsettings.moc"
