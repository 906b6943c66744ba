// How long the client waits before each attempt to reconnect, and which typed lines end the
// session. Whether it reconnects at all is tested on the window (tst_reconnection).
#include "connection/ReconnectPolicy.h"

#include <QTest>

class tst_ReconnectPolicy : public QObject {
    Q_OBJECT

private slots:
    void waitsDoubleUpToAMinute_data();
    void waitsDoubleUpToAMinute();
    void linesThatEndTheSession_data();
    void linesThatEndTheSession();
};

void tst_ReconnectPolicy::waitsDoubleUpToAMinute_data()
{
    QTest::addColumn<double>("draw");
    QTest::addColumn<QList<int>>("waits");
    QTest::newRow("shortest") << 0.0 << QList<int>{1800, 3600, 7200, 14400, 28800, 54000, 54000};
    QTest::newRow("middle") << 0.5 << QList<int>{2000, 4000, 8000, 16000, 32000, 60000, 60000};
    // Never over a minute, also with a source that strays out of its range.
    QTest::newRow("beyond longest")
        << 7.0 << QList<int>{2200, 4400, 8800, 17600, 35200, 60000, 60000};
}

void tst_ReconnectPolicy::waitsDoubleUpToAMinute()
{
    QFETCH(double, draw);
    QFETCH(QList<int>, waits);
    ReconnectPolicy policy([draw] { return draw; });
    QList<int> got;
    for (qsizetype i = 0; i < waits.size(); ++i)
        got << policy.nextWaitMs();
    QCOMPARE(got, waits);
    policy.reset();
    QCOMPARE(policy.nextWaitMs(), waits.first());
}

void tst_ReconnectPolicy::linesThatEndTheSession_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("ends");
    QTest::newRow("/logout") << "/logout" << true;
    QTest::newRow("capitals, more words") << "/QUIT bye all" << true;
    QTest::newRow("leading blank is talk") << " /quit" << false;
    QTest::newRow("longer command") << "/quitter" << false;
    QTest::newRow("talk about it") << "I will /quit soon" << false;
}

void tst_ReconnectPolicy::linesThatEndTheSession()
{
    QFETCH(QString, line);
    QFETCH(bool, ends);
    QCOMPARE(ReconnectPolicy::asksToEndSession(line), ends);
}

QTEST_APPLESS_MAIN(tst_ReconnectPolicy)
#include "tst_reconnectpolicy.moc"
