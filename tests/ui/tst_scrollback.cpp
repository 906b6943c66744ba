// How many lines the logs keep: the number and where it is stored, the dialog that changes
// it, and what happens to the caret and a selection when old lines go.
#include "ClientHarness.h"

#include "protocol/LogBoxWriters.h"
#include "settings/ConfigurationKey.h"
#include "settings/SettingText.h"
#include "ui/Forms.h"
#include "ui/LogBox.h"
#include "ui/Scrollback.h"
#include "ui/frmMain.h"
#include "ui/frmScrollback.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>

#include <memory>
#include <optional>

Q_DECLARE_METATYPE(std::optional<int>)

namespace {
void appendLines(QPlainTextEdit* box, const QStringList& lines)
{
    for (const QString& line : lines)
        AppendLine(box, line);
}

QString joined(const QStringList& lines)
{
    return lines.isEmpty() ? QString() : lines.join(QStringLiteral("\r\n")) + "\r\n";
}

const QStringList Six{"1", "2", "3", "4", "5", "6"};
} // namespace

class tst_Scrollback : public QObject {
    Q_OBJECT

private slots:
    void init() { h = std::make_unique<ClientHarness>(false); }
    void cleanup() { h.reset(); }

    void parse_data();
    void parse();
    void storedNumberAtLoad_data();
    void storedNumberAtLoad();
    void dialog_data();
    void dialog();
    void caretAndSelectionStayOnTheirText_data();
    void caretAndSelectionStayOnTheirText();
    void writersAtTheLimit();

private:
    std::unique_ptr<ClientHarness> h;
};

void tst_Scrollback::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<int>>("lines");
    const std::optional<int> refused;
    QTest::newRow("default") << "100000" << std::optional<int>(100000);
    QTest::newRow("every line") << "0" << std::optional<int>(0);
    QTest::newRow("blanks around") << " 42 " << std::optional<int>(42);
    QTest::newRow("largest") << "10000000" << std::optional<int>(Scrollback::MaxLines);
    QTest::newRow("one too many") << "10000001" << refused;
    QTest::newRow("negative") << "-5" << refused;
    QTest::newRow("exponent") << "1e5" << refused;
    QTest::newRow("grouped") << "100,000" << refused;
    QTest::newRow("other digits") << QStringLiteral(u"\uff11\uff12") << refused;
}

void tst_Scrollback::parse()
{
    QFETCH(QString, text);
    QFETCH(std::optional<int>, lines);
    QCOMPARE(Scrollback::parse(text), lines);
}

void tst_Scrollback::storedNumberAtLoad_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QStringList>("kept");
    QTest::newRow("three") << "3" << QStringList{"4", "5", "6"};
    QTest::newRow("not a number: the default") << "lots" << Six;
}

// The main window reads the number when it is loaded; both logs keep that many lines.
void tst_Scrollback::storedNumberAtLoad()
{
    QFETCH(QString, stored);
    QFETCH(QStringList, kept);
    storeSetting(ConfigurationKey::Scrollback, stored);
    Forms<frmMain>::unloadNow();
    h->main = Forms<frmMain>::get();
    appendLines(h->main->TxtGet, Six);
    appendLines(h->main->TxtWhisper, Six);
    QCOMPARE(h->chatLog(), joined(kept));
    QCOMPARE(h->whisperLog(), joined(kept));
}

void tst_Scrollback::dialog_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("a number") << " 2 " << true;
    QTest::newRow("letters") << "abc" << false;
}

// Options > Scrollback... opens on the stored number. OK with a number stores it and both
// logs drop their oldest lines beyond it; anything else is refused with a message and the
// dialog stays open; Cancel changes nothing.
void tst_Scrollback::dialog()
{
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    const QStringList four{"a", "b", "c", "d"};
    appendLines(h->main->TxtGet, four);
    appendLines(h->main->TxtWhisper, four);
    h->main->show();
    QVERIFY(QTest::qWaitForWindowExposed(h->main));

    h->main->mnuScrollback->trigger();
    auto* dialog = h->main->findChild<frmScrollback*>();
    QVERIFY(dialog);
    QTRY_VERIFY(dialog->isVisible());
    QCOMPARE(dialog->txtLines->text(), QStringLiteral("100000"));
    dialog->txtLines->setText(typed);
    dialog->cmdOkay->click();

    if (accepted) {
        QTRY_VERIFY(!h->main->findChild<frmScrollback*>());
        QCOMPARE(readSetting(ConfigurationKey::Scrollback, ""), QStringLiteral("2"));
        QCOMPARE(h->chatLog(), joined({"c", "d"}));
        QCOMPARE(h->whisperLog(), joined({"c", "d"}));
        return;
    }
    QVERIFY(dialog->isVisible());
    QVERIFY(dialog->lblProblem->isVisible());
    dialog->cmdCancel->click();
    QTRY_VERIFY(!h->main->findChild<frmScrollback*>());
    QCOMPARE(readSetting(ConfigurationKey::Scrollback, ""), QString());
    QCOMPARE(h->chatLog(), joined(four));
}

void tst_Scrollback::caretAndSelectionStayOnTheirText_data()
{
    // The log holds "one\ntwo\nthree\nfour\nfive\n" and then keeps three lines: "one\ntwo\n",
    // the first 8 characters, go.
    QTest::addColumn<int>("anchor");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("anchorAfter");
    QTest::addColumn<int>("positionAfter");
    QTest::newRow("caret below the removed part") << 16 << 16 << 8 << 8;
    QTest::newRow("caret at the end") << 24 << 24 << 16 << 16;
    QTest::newRow("selection below") << 9 << 17 << 1 << 9;
    QTest::newRow("selection made upwards, below") << 17 << 9 << 9 << 1;
    QTest::newRow("caret inside the removed part: to the start") << 5 << 5 << 0 << 0;
    QTest::newRow("selection inside the removed part: gone") << 1 << 6 << 0 << 0;
    QTest::newRow("selection from inside to below: its rest") << 2 << 11 << 0 << 3;
}

void tst_Scrollback::caretAndSelectionStayOnTheirText()
{
    QFETCH(int, anchor);
    QFETCH(int, position);
    QFETCH(int, anchorAfter);
    QFETCH(int, positionAfter);
    LogBox* log = h->main->TxtGet;
    appendLines(log, {"one", "two", "three", "four", "five"});
    QTextCursor cursor = log->textCursor();
    cursor.setPosition(anchor);
    cursor.setPosition(position, QTextCursor::KeepAnchor);
    log->setTextCursor(cursor);
    const QString selected = log->textCursor().selectedText();

    Scrollback::apply(log, 3);
    QCOMPARE(h->chatLog(), joined({"three", "four", "five"}));
    QCOMPARE(log->textCursor().anchor(), anchorAfter);
    QCOMPARE(log->textCursor().position(), positionAfter);
    if (anchor >= 8 && position >= 8)
        QCOMPARE(log->textCursor().selectedText(), selected);

    // The program's notices still go where the caret now is, replacing what is selected.
    Scrollback::apply(log, 0);
    EchoLine(log, QStringLiteral("#"));
    const QString before = QStringLiteral("three\nfour\nfive\n");
    const int from = qMin(anchorAfter, positionAfter);
    const int to = qMax(anchorAfter, positionAfter);
    QString expected = before.left(from) + "#\n" + before.mid(to);
    QCOMPARE(h->chatLog(), expected.replace(QStringLiteral("\n"), QStringLiteral("\r\n")));
}

// With a full log, a notice at the user's caret removes the oldest line and still lands at
// the caret; received lines then go to the end, as always.
void tst_Scrollback::writersAtTheLimit()
{
    LogBox* log = h->main->TxtGet;
    Scrollback::apply(log, 3);
    appendLines(log, {"one", "two", "three"});
    QTextCursor cursor = log->textCursor();
    cursor.setPosition(8); // the start of "three"
    log->setTextCursor(cursor);

    EchoLine(log, QStringLiteral("bob has joined the channel"));
    QCOMPARE(h->chatLog(), joined({"two", "bob has joined the channel", "three"}));
    QCOMPARE(log->textCursor().block().text(), QStringLiteral("three"));

    AppendLine(log, QStringLiteral("four"));
    QCOMPARE(h->chatLog(), joined({"bob has joined the channel", "three", "four"}));
    QVERIFY(log->textCursor().atEnd());
}

QTEST_MAIN(tst_Scrollback)
#include "tst_scrollback.moc"
