// Anti-idle: the switch across connections and logins, the editor, and what a tick sends.
#include "ClientHarness.h"

#include "commands/SendQueue.h"
#include "platform/WaitTimer.h"
#include "settings/ConfigurationKey.h"
#include "settings/SettingText.h"
#include "ui/Forms.h"
#include "ui/frmAnti.h"
#include "ui/frmMain.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <memory>

class tst_AntiIdle : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup()
    {
        h.reset();
        WaitTimer::useHandClock(false);
    }

    void switchAcrossDisconnectAndLogin();
    void editorAndTick_data();
    void editorAndTick();

private:
    std::unique_ptr<ClientHarness> h;
    qsizetype loginEnd = 0; // lines may only be sent after a login
};

void tst_AntiIdle::init()
{
    WaitTimer::useHandClock(true);
    h = std::make_unique<ClientHarness>(false);
    h->useFakeClock();
    h->main->show();
    QVERIFY(QTest::qWaitForWindowExposed(h->main));
}

// The switch's three parts across Disconnect, a loss, logins and a reconnection, then a real
// tick (interval shortened). "ticking": a full interval just started.
void tst_AntiIdle::switchAcrossDisconnectAndLogin()
{
    frmMain* m = h->main;
    auto state = [m] {
        return QString("%1 %2 %3")
            .arg(m->mnuAntiDisplay->isEnabled() ? "enabled" : "greyed",
                 m->mnuAntiDisplay->isChecked() ? "checked" : "unchecked",
                 !m->tmrAnti->isActive()               ? "stopped"
                 : m->tmrAnti->remainingTime() > 60000 ? "ticking"
                                                       : "late");
    };
    const auto click = [m] { m->mnuAntiDisplay->trigger(); };
    const auto login = [this] { QVERIFY(h->logIn("Bob") > 0); };
    const auto disconnect = [m] { m->mnuDisconnect->trigger(); };
    // Accepted, so that the loss is retried.
    const auto lose = [this] {
        h->server.sendRaw("2010 NAME Bob\r\n");
        QTRY_COMPARE(h->main->connectionState(), Connection::State::Joining);
        h->server.closeSession();
        QTRY_COMPARE(h->main->connectionState(), Connection::State::WaitingToReconnect);
    };
    const auto reconnect = [this] {
        const int sessions = h->server.sessionCount();
        WaitTimer::advanceHandClock(h->main->findChild<WaitTimer*>("tmrReconnect")->interval());
        QTRY_COMPARE(h->server.sessionCount(), sessions + 1);
    };
    const QList<std::pair<std::function<void()>, QString>> steps{
        {[] {}, "greyed unchecked stopped"},    {login, "enabled unchecked stopped"},
        {click, "enabled checked ticking"},     {click, "enabled unchecked stopped"},
        {click, "enabled checked ticking"},     {disconnect, "greyed checked stopped"},
        {login, "enabled checked ticking"},     {lose, "greyed checked stopped"},
        {reconnect, "enabled checked ticking"}, {click, "enabled unchecked stopped"},
        {click, "enabled checked ticking"},
    };
    for (int i = 0; i < steps.size(); ++i) {
        steps[i].first();
        QVERIFY2(state() == steps[i].second,
                 qPrintable(QString("step %1: %2").arg(i).arg(state())));
    }
    // Switching on starts a full interval: nothing goes out at once.
    QVERIFY(m->tmrAnti->remainingTime() > 60000);
    const qsizetype before = h->server.received().size();
    QVERIFY(!h->sentSince(before).contains("/me"));

    m->tmrAnti->setInterval(10);
    const QByteArray line = "/me is a Brindlemoor Vantric Chat 0.1\r\n";
    QTRY_VERIFY(h->server.received().mid(before).contains(line + line));
}

// How the editor was left decides what a tick sends (unapplied text counts) and stores.
void tst_AntiIdle::editorAndTick_data()
{
    QTest::addColumn<QString>("stored"); // "" stores nothing
    QTest::addColumn<QString>("leave");  // how the editor is left after typing
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("wire");
    QTest::addColumn<QString>("storedAfter");

    auto row = [](const char* name, const QString& stored, const char* leave, const char* typed,
                  const QByteArray& wire, const QString& storedAfter) {
        QTest::newRow(name) << stored << QString(leave) << QString(typed) << wire << storedAfter;
    };
    const QByteArray away = "/me is away\r\n";
    row("never opened, stored", "is away", "", "", away, "is away");
    row("typed line breaks", "is away", "open", "a\r\nb", "/me a  b\r\n", "is away");
    row("applied", "is away", "apply", "is back", "/me is back\r\n", "is back");
    row("cancelled", "is away", "cancel", "is back", away, "is away");
    // An emote like any other: too long for one line, it goes in pieces.
    const QString longer = QString(155, 'x') + " yyy";
    row("split", longer, "", "", "/me " + QByteArray(155, 'x') + "\r\n/me yyy\r\n", longer);
}

void tst_AntiIdle::editorAndTick()
{
    QFETCH(QString, stored);
    QFETCH(QString, leave);
    QFETCH(QString, typed);
    QFETCH(QByteArray, wire);
    QFETCH(QString, storedAfter);

    if (!stored.isEmpty())
        storeSetting(ConfigurationKey::AntiIdleMessage, stored);
    QVERIFY((loginEnd = h->logIn("Bob")) > 0);
    frmMain* m = h->main;
    if (!leave.isEmpty()) {
        m->mnuAntiMessage->trigger();
        frmAnti* editor = Forms<frmAnti>::get();
        QVERIFY(editor->isVisible() && !m->isVisible());
        QCOMPARE(editor->txtAntiMessage->text(), stored);
        editor->txtAntiMessage->setText(typed);
        if (leave == "apply")
            editor->cmdOkay->click();
        else if (leave == "cancel")
            editor->cmdCancel->click();
        QCOMPARE(editor->isVisible(), leave == "open");
        QCOMPARE(m->isVisible(), leave != "open");
    }
    QVERIFY(!m->tmrAnti->isActive());

    m->tmrAnti_Timer();
    h->clock += 60000; // room for every piece
    h->main->sendDueLines();
    QVERIFY(!Forms<frmAnti>::get()->isVisible() || leave == "open");
    QCOMPARE(h->chatLog(), QString());
    QCOMPARE(h->sentSince(loginEnd), wire);
    QCOMPARE(readSetting(ConfigurationKey::AntiIdleMessage, "<none>"), storedAfter);
}

QTEST_MAIN(tst_AntiIdle)
#include "tst_antiidle.moc"
