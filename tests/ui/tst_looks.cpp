// How the logs look: each kind of line in its colour, contrast in a light and a dark palette,
// mentions, desktop notifications on a private bus, and links that open only on a click.
#include "ClientHarness.h"
#include "settings/ConfigurationKey.h"
#include "settings/SettingText.h"
#include "ui/DesktopNotifier.h"
#include "ui/LogBox.h"
#include "ui/LogBoxWriters.h"
#include "ui/LogWords.h"
#include "ui/NotificationThrottle.h"
#include "ui/UserListBox.h"
#include "ui/frmMain.h"

#include <QAction>
#include <QDBusConnection>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>
#include <QTextBlock>

#include <memory>

namespace {

struct Piece {
    QString text;
    QTextCharFormat format;
};

// The block that shows exactly `line`, cut into its fragments; empty when there is none.
QList<Piece> piecesOf(const LogBox* box, const QString& line)
{
    for (QTextBlock block = box->document()->begin(); block.isValid(); block = block.next()) {
        if (block.text() != line)
            continue;
        QList<Piece> pieces;
        for (auto it = block.begin(); !it.atEnd(); ++it)
            pieces.append({it.fragment().text(), it.fragment().charFormat()});
        return pieces;
    }
    return {};
}

QColor shownColour(const LogBox* box, const QTextCharFormat& format)
{
    return format.foreground().style() == Qt::NoBrush ? box->palette().color(QPalette::Text)
                                                      : format.foreground().color();
}

QPalette lightPalette()
{
    std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    return fusion->standardPalette();
}

QPalette darkPalette()
{
    QPalette dark;
    dark.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
    dark.setColor(QPalette::Window, QColor(0x2d, 0x2d, 0x2d));
    dark.setColor(QPalette::Text, QColor(0xdd, 0xdd, 0xdd));
    dark.setColor(QPalette::WindowText, QColor(0xdd, 0xdd, 0xdd));
    dark.setColor(QPalette::Highlight, QColor(0x2a, 0x82, 0xda));
    dark.setColor(QPalette::Link, QColor(0x2a, 0x82, 0xda));
    return dark;
}

// A desktop's notification service, as far as the client uses it.
class FakeNotifications : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    QStringList seen; // "summary|body"

public slots:
    uint Notify(const QString&, uint, const QString&, const QString& summary, const QString& body,
                const QStringList&, const QVariantMap&, int)
    {
        seen.append(summary + QLatin1Char('|') + body);
        return uint(seen.size());
    }
};

} // namespace

class tst_Looks : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { h.reset(); }

    void kindColours_data();
    void kindColours();
    void contrast_data();
    void contrast();
    void mentionsAndLinks_data();
    void mentionsAndLinks();
    void findLinks_data();
    void findLinks();
    void linkOpensOnClickOnly();
    void throttle_data();
    void throttle();
    void notifications();

private:
    std::unique_ptr<ClientHarness> h;
};

void tst_Looks::init()
{
    h = std::make_unique<ClientHarness>(false);
    QVERIFY(h->logIn("Bob") > 0);
    QVERIFY(h->showActive());
    // The name the server knows the user by, and someone to whisper to.
    QVERIFY(h->settle("2010 NAME Bob\r\n1001 USER ann 0010 [CHAT]\r\n"));
}

// `action`: a server line, or what the user does ("send", "emote", "whisper" with the
// message box's text, "not sent": sending without a connection).
void tst_Looks::kindColours_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("whisperLog");
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("kind");
    auto row = [](const char* name, const char* action, const char* line, LineKind kind,
                  bool whisperLog = false, const char* text = "") {
        QTest::newRow(name) << QString(action) << QString(text) << whisperLog << QString(line)
                            << int(kind);
    };
    row("talk", "1005 TALK ann 0010 \"hello\"", "<TALK ann :>hello", LineKind::Talk);
    row("whisper received", "1004 WHISPER ann 0010 \"psst\"", " ann :(Whispered) psst",
        LineKind::WhisperIn, true);
    row("emote", "1023 EMOTE ann 0010 \"waves\"", "ann  waves", LineKind::Emote);
    row("information", "1018 INFO \"Welcome aboard.\"", "Welcome aboard.", LineKind::Info);
    row("greeting", "Hello from the gateway", "Hello from the gateway", LineKind::Info);
    row("error", "1019 ERROR \"That user is not logged on.\"", "That user is not logged on.",
        LineKind::Error);
    row("join", "1002 JOIN cid 0010 [CHAT]", "cid  has joined the channel", LineKind::JoinLeave);
    row("leave", "1003 LEAVE ann 0010", "ann has left the channel", LineKind::JoinLeave);
    row("own talk", "send", "Bob: hi all", LineKind::OwnEcho, false, "hi all");
    row("own emote", "emote", "<Bob grins>", LineKind::OwnEcho, false, "grins");
    row("own whisper", "whisper", "To <ann > psst", LineKind::WhisperOut, true, "psst");
    row("failure notice", "not sent", "Not sent: there is no connection to the server.",
        LineKind::Error, false, "hello?");
}

void tst_Looks::kindColours()
{
    QFETCH(QString, action);
    QFETCH(QString, text);
    QFETCH(bool, whisperLog);
    QFETCH(QString, line);
    QFETCH(int, kind);
    h->main->mnuJoinLeave->setChecked(true);
    const LogBox* box = whisperLog ? h->main->TxtWhisper : h->main->TxtGet;
    h->main->TxtSend->setText(text);
    if (action == "send") {
        h->main->cmdSend->click();
    } else if (action == "emote") {
        h->main->mnuEmote->trigger();
    } else if (action == "whisper") {
        h->main->RoomList->setCurrentRow(0);
        h->main->cmdWhisper->click();
    } else if (action == "not sent") {
        h->main->mnuDisconnect->trigger();
        h->main->cmdSend_Click();
    } else {
        QVERIFY(h->settle(action.toUtf8() + "\r\n"));
    }
    QTRY_VERIFY(!piecesOf(box, line).isEmpty()); // the characters exactly as before
    const QColor expected = box->lineStyle().colours().text[kind];
    for (const Piece& piece : piecesOf(box, line))
        QCOMPARE(shownColour(box, piece.format), expected);
    // Each kind has a colour of its own (talk keeps the box's text colour).
    const auto& all = box->lineStyle().colours().text;
    for (int other = int(LineKind::Talk); other < LineKindCount; ++other) {
        if (other != kind)
            QVERIFY2(all[other] != expected, qPrintable(QString::number(other)));
    }
}

// Rows per palette and kind, plus the link colour (kind -1); the first rows check the ratio.
void tst_Looks::contrast_data()
{
    QTest::addColumn<QPalette>("palette");
    QTest::addColumn<int>("kind");
    const QPalette light = lightPalette();
    const QPalette dark = darkPalette();
    const char* names[] = {"plain", "talk", "own echo", "whisper in", "whisper out",
                           "emote", "info", "error",    "join/leave"};
    for (int kind = -1; kind < LineKindCount; ++kind) {
        const QByteArray name = kind < 0 ? QByteArray("link") : QByteArray(names[kind]);
        QTest::newRow("light " + name) << light << kind;
        QTest::newRow("dark " + name) << dark << kind;
    }
}

void tst_Looks::contrast()
{
    QFETCH(QPalette, palette);
    QFETCH(int, kind);
    QCOMPARE(contrastRatio(Qt::black, Qt::white), 21.0);
    QCOMPARE(contrastRatio(Qt::white, Qt::white), 1.0);
    QVERIFY(qAbs(contrastRatio(QColor(0x76, 0x76, 0x76), Qt::white) - 4.54) < 0.01);

    const LogColours colours = logColours(palette);
    const QColor text = kind < 0 ? colours.link : colours.text[kind];
    QVERIFY2(contrastRatio(text, colours.background) >= 4.5, qPrintable(text.name()));
    QVERIFY2(contrastRatio(text, colours.mention) >= 4.5, qPrintable(text.name()));
    QVERIFY(colours.mention != colours.background);

    // The box takes its palette's colours, also when the palette changes.
    h->main->TxtGet->setPalette(palette);
    QCOMPARE(h->main->TxtGet->lineStyle().colours().text, colours.text);
}

// The user is "Bob". `tinted`: the line is on the mention tint; `bold`: the pieces in bold;
// `links`: "text|href" of each link, in the link colour.
void tst_Looks::mentionsAndLinks_data()
{
    QTest::addColumn<QByteArray>("raw");
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("whisperLog");
    QTest::addColumn<bool>("tinted");
    QTest::addColumn<QStringList>("bold");
    QTest::addColumn<QStringList>("links");
    auto row = [](const char* name, const char* raw, const QString& line, bool tinted,
                  const QStringList& bold, bool whisperLog = false, const QStringList& links = {}) {
        QTest::newRow(name) << QByteArray(raw) << line << whisperLog << tinted << bold << links;
    };
    row("talk naming the user", "1005 TALK ann 0010 \"hi Bob, Bob!\"", "<TALK ann :>hi Bob, Bob!",
        true, {"Bob", "Bob"});
    row("any letter case", "1005 TALK ann 0010 \"BOB?\"", "<TALK ann :>BOB?", true, {"BOB"});
    row("emote", "1023 EMOTE ann 0010 \"pokes bob\"", "ann  pokes bob", true, {"bob"});
    row("part of a longer word", "1005 TALK ann 0010 \"bobby and bob_2\"",
        "<TALK ann :>bobby and bob_2", false, {});
    row("sender's name is not a mention", "1005 TALK bob-ann 0010 \"hi\"", "<TALK bob-ann :>hi",
        false, {});
    row("whisper: bold, no tint", "1004 WHISPER ann 0010 \"bob?\"", " ann :(Whispered) bob?", false,
        {"bob"}, true);
    row("information is not from someone", "1018 INFO \"Bob is away\"", "Bob is away", false, {});
    row("link in talk", "1005 TALK ann 0010 \"see www.a.org, Bob\"",
        "<TALK ann :>see www.a.org, Bob", true, {"Bob"}, false, {"www.a.org|http://www.a.org"});
    row("link in information", "1018 INFO \"News: https://b.org/n\"", "News: https://b.org/n",
        false, {}, false, {"https://b.org/n|https://b.org/n"});
    // The control byte is shown as its picture, and the address is then not a link.
    row("control", "1005 TALK ann 0010 \"http://a.org\x01x\"",
        u"<TALK ann :>http://a.org\u2401x"_qs, false, {});
}

void tst_Looks::mentionsAndLinks()
{
    QFETCH(QByteArray, raw);
    QFETCH(QString, line);
    QFETCH(bool, whisperLog);
    QFETCH(bool, tinted);
    QFETCH(QStringList, bold);
    QFETCH(QStringList, links);
    const LogBox* box = whisperLog ? h->main->TxtWhisper : h->main->TxtGet;
    QVERIFY(h->settle(raw + "\r\n"));
    const QList<Piece> pieces = piecesOf(box, line);
    QVERIFY(!pieces.isEmpty());
    QStringList shownBold, shownLinks;
    for (const Piece& piece : pieces) {
        QCOMPARE(piece.format.background() == QBrush(box->lineStyle().colours().mention), tinted);
        if (piece.format.fontWeight() == QFont::Bold)
            shownBold.append(piece.text);
        if (piece.format.isAnchor()) {
            shownLinks.append(piece.text + QLatin1Char('|') + piece.format.anchorHref());
            QCOMPARE(piece.format.foreground().color(), box->lineStyle().colours().link);
        }
    }
    QCOMPARE(shownBold, bold);
    QCOMPARE(shownLinks, links);
    QVERIFY(h->openedUrls.isEmpty()); // never by itself
}

// `links`: "start+length url" for each link found.
void tst_Looks::findLinks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("links");
    auto row = [](const char* name, const QString& text, const QStringList& links) {
        QTest::newRow(name) << text << links;
    };
    row("http", "see http://example.org/a?b=1 now", {"4+24 http://example.org/a?b=1"});
    row("https, upper case", "HTTPS://Example.org", {"0+19 https://example.org"});
    row("www gets http", "at www.example.org.", {"3+15 http://www.example.org"});
    row("trailing punctuation", "go to http://a.org/x!?, fast", {"6+14 http://a.org/x"});
    row("closing bracket of the sentence", "(see http://a.org/b)", {"5+14 http://a.org/b"});
    row("brackets of the address", "(http://w.org/X_(y))", {"1+18 http://w.org/X_(y)"});
    row("ends at a quote or angle bracket", "<http://a.org>\"", {"1+12 http://a.org"});
    row("two", "http://a.org www.b.org", {"0+12 http://a.org", "13+9 http://www.b.org"});
    row("other schemes are not links", "ftp://a.org mailto:x@y.org file:///etc", {});
    row("inside a word", "xhttp://a.org awww.b.org", {});
    row("prefix alone", "http:// and www.", {});
    row("no host", "http:///path", {});
    row("replacement character", u"http://a\uFFFD.org"_qs, {});
    row("zero-width space", u"http://exa\u200Bmple.org"_qs, {});
    row("bidi mark", u"www.\u200Fgro.a"_qs, {});
    row("the log's own isolates end it", u"\u2068www.a.org\u2069"_qs, {"1+9 http://www.a.org"});
    row("a bad one leaves the next", u"http://a\uFFFD.org http://b.org"_qs, {"14+12 http://b.org"});
}

void tst_Looks::findLinks()
{
    QFETCH(QString, text);
    QFETCH(QStringList, links);
    QStringList found;
    for (const FoundLink& link : ::findLinks(text))
        found.append(
            QStringLiteral("%1+%2 %3").arg(link.start).arg(link.length).arg(link.url.toString()));
    QCOMPARE(found, links);
}

void tst_Looks::linkOpensOnClickOnly()
{
    LogBox* box = h->main->TxtGet;
    QVERIFY(h->settle("1005 TALK ann 0010 \"go https://example.org/x now\"\r\n"));
    QTextCursor at(box->document()->lastBlock().previous().previous());
    at.movePosition(QTextCursor::StartOfBlock);
    at.movePosition(QTextCursor::NextCharacter, QTextCursor::MoveAnchor, 20);
    QPoint point = box->cursorRect(at).center() + QPoint(2, 0);
    QCOMPARE(box->anchorAt(point), QString("https://example.org/x"));

    QTest::mouseMove(box->viewport(), point);
    QVERIFY(h->openedUrls.isEmpty());
    QCOMPARE(box->viewport()->cursor().shape(), Qt::PointingHandCursor);
    // A press that ends elsewhere (a selection) opens nothing.
    QTest::mousePress(box->viewport(), Qt::LeftButton, {}, point);
    QTest::mouseRelease(box->viewport(), Qt::LeftButton, {}, point + QPoint(0, 60));
    QVERIFY(h->openedUrls.isEmpty());
    QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, point);
    QCOMPARE(h->openedUrls, QList<QUrl>{QUrl("https://example.org/x")});
}

// Steps: "T title body" offers a notification at time T; "T" alone is the waiting timer at
// time T. `shown`: "title|body" of what is shown, in order.
void tst_Looks::throttle_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("a second apart")
        << QStringList{"0 ann hi", "1000 cid yo"} << QStringList{"ann|hi", "cid|yo"};
    QTest::newRow("too soon: waits for its second")
        << QStringList{"0 ann hi", "300 cid yo", "999", "1000"} << QStringList{"ann|hi", "cid|yo"};
    QTest::newRow("a burst summed up in the next")
        << QStringList{"0 ann a",      "100 b x", "200 c y",        "300 d z", "400 e w",
                       "500 ann last", "1000",    "1500 cid later", "2000"}
        << QStringList{"ann|a", "ann|last\n(and 4 more)", "cid|later"};
    QTest::newRow("waiting keeps the next one waiting too")
        << QStringList{"0 a 1", "900 b 2", "1100 c 3", "1100"}
        << QStringList{"a|1", "c|3\n(and 1 more)"};
}

void tst_Looks::throttle()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, shown);
    NotificationThrottle throttle;
    QStringList seen;
    for (const QString& step : std::as_const(steps)) {
        const QStringList parts = step.split(QLatin1Char(' '));
        const qint64 now = parts[0].toLongLong();
        const auto note =
            parts.size() == 1 ? throttle.due(now) : throttle.offer(parts[1], parts[2], now);
        if (note)
            seen.append(note->title + QLatin1Char('|') + note->body);
    }
    QCOMPARE(seen, shown);
}

// Only on the test's own bus (tests/ui/with-dbus.sh), never on the desktop's.
void tst_Looks::notifications()
{
    if (qgetenv("VANTRIC_PRIVATE_BUS") != "1")
        QSKIP("needs a private session bus (run through with-dbus.sh)");
    QDBusConnection service = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "fake");
    QVERIFY(service.isConnected());
    FakeNotifications fake;
    QVERIFY(service.registerObject("/org/freedesktop/Notifications", &fake,
                                   QDBusConnection::ExportAllSlots));
    QVERIFY(service.registerService("org.freedesktop.Notifications"));
    qint64 now = 0;
    h->main->desktopNotifier().setClock([&] { return now; });

    // While the window is active: neither the alert nor a notification.
    QVERIFY(h->settle("1005 TALK ann 0010 \"Bob: one\"\r\n"));
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    QVERIFY(h->settle("1005 TALK ann 0010 \"not for you\"\r\n1005 TALK ann 0010 \"Bob: two\"\r\n"));
    QTRY_COMPARE(fake.seen, QStringList{"ann|Bob: two"});
    QCOMPARE(h->alerts, QList<QWidget*>{h->main});
    now += 1000;
    QVERIFY(
        h->settle("1004 WHISPER cid 0010 \"psst\"\r\n1023 EMOTE dee 0010 \"waves at bob\"\r\n"));
    QTRY_COMPARE(fake.seen, (QStringList{"ann|Bob: two", "cid|psst"})); // the emote waits
    // Switched off, and stored so: nothing is announced.
    h->main->mnuNotify->trigger();
    QVERIFY(!h->main->mnuNotify->isChecked());
    QCOMPARE(readSetting(ConfigurationKey::NotifyOnMentions, "1"), QString("0"));
    QVERIFY(h->settle("1005 TALK ann 0010 \"Bob: three\"\r\n1004 WHISPER ann 0010 \"four\"\r\n"));
    h->main->mnuNotify->trigger();
    QVERIFY(h->settle("1005 TALK ann 0010 \"bob: five\"\r\n"));
    // Once the second is up, the latest of the waiting ones, with the count of the others.
    now += 1000;
    QTRY_COMPARE(fake.seen.size(), 3);
    QCOMPARE(fake.seen.last(), QString("ann|bob: five\n(and 1 more)"));
    QDBusConnection::disconnectFromBus("fake");
}

QTEST_MAIN(tst_Looks)
#include "tst_looks.moc"
