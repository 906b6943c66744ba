// How many lines the logs keep, its dialog, the caret and selection as old lines go, and
// reading back while new lines arrive.
#include "ClientHarness.h"

#include "settings/ConfigurationKey.h"
#include "settings/SettingText.h"
#include "ui/Forms.h"
#include "ui/LogBox.h"
#include "ui/LogBoxWriters.h"
#include "ui/Scrollback.h"
#include "ui/frmMain.h"
#include "ui/frmScrollback.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
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
    void readingBack_data();
    void readingBack();

private:
    std::unique_ptr<ClientHarness> h;
};

void tst_Scrollback::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<int>>("lines");
    const std::optional<int> refused;
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

// The dialog opens on the stored number; OK with a number stores it and trims both logs;
// anything else is refused and the dialog stays; Cancel changes nothing.
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
    QTest::newRow("selection to the end") << 19 << 24 << 11 << 16;
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

    // New lines go at the end; the caret and the selection stay where they are, also when
    // the selection reaches the end.
    Scrollback::apply(log, 0);
    EchoLine(log, QStringLiteral("#"));
    AppendLine(log, QStringLiteral("six"));
    QCOMPARE(h->chatLog(), joined({"three", "four", "five", "#", "six"}));
    QCOMPARE(log->textCursor().anchor(), anchorAfter);
    QCOMPARE(log->textCursor().position(), positionAfter);
    if (anchor >= 8 && position >= 8)
        QCOMPARE(log->textCursor().selectedText(), selected);
}

// With a full log a notice goes to the end, the oldest line goes, the caret stays on its line.
void tst_Scrollback::writersAtTheLimit()
{
    LogBox* log = h->main->TxtGet;
    Scrollback::apply(log, 3);
    appendLines(log, {"one", "two", "three"});
    QTextCursor cursor = log->textCursor();
    cursor.setPosition(8); // the start of "three"
    log->setTextCursor(cursor);

    EchoLine(log, QStringLiteral("bob has joined the channel"));
    QCOMPARE(h->chatLog(), joined({"two", "three", "bob has joined the channel"}));
    QCOMPARE(log->textCursor().block().text(), QStringLiteral("three"));
    appendNotice(log, QStringLiteral("four"));
    QCOMPARE(h->chatLog(), joined({"three", "bob has joined the channel", "four"}));
    QCOMPARE(log->textCursor().block().text(), QStringLiteral("three"));
}

// Scrolled up, the view stays on its text while lines arrive and the oldest go, and the
// marker counts the new lines; each way back shows the end, which is then followed again.
void tst_Scrollback::readingBack_data()
{
    QTest::addColumn<QString>("back");
    for (const char* back : {"marker", "end", "ctrl+end in the log", "ctrl+end in the message box",
                             "scrolled to the bottom", "line sent"})
        QTest::newRow(back) << QString(back);
}

void tst_Scrollback::readingBack()
{
    QFETCH(QString, back);
    frmMain* m = h->main;
    LogBox* log = m->TxtGet;
    m->show();
    QVERIFY(QTest::qWaitForWindowExposed(m));
    if (back == "line sent")
        QVERIFY(h->logIn("Bob") > 0);
    Scrollback::apply(log, 50);
    QStringList lines;
    for (int i = 0; i < 60; ++i)
        lines << QString("line %1").arg(i);
    const auto topLine = [log] { return log->cursorForPosition(QPoint(4, 4)).block().text(); };
    QScrollBar* bar = log->verticalScrollBar();

    appendLines(log, lines.mid(0, 40));
    QVERIFY(bar->maximum() > 0);
    QCOMPARE(bar->value(), bar->maximum());
    bar->setValue(15);
    const QString reading = topLine();
    appendLines(log, lines.mid(40)); // the first ten go
    QCOMPARE(log->document()->firstBlock().text(), QString("line 10"));
    QCOMPARE(topLine(), reading);
    QCOMPARE(log->linesBelow(), 20);
    QVERIFY(log->newLinesMarker()->isVisible());
    QCOMPARE(log->newLinesMarker()->text(), QStringLiteral("\u2193 20 new lines"));

    if (back == "marker")
        QTest::mouseClick(log->newLinesMarker(), Qt::LeftButton);
    else if (back == "end")
        QTest::keyClick(log, Qt::Key_End);
    else if (back == "ctrl+end in the log")
        QTest::keyClick(log, Qt::Key_End, Qt::ControlModifier);
    else if (back == "ctrl+end in the message box") {
        m->activateWindow();
        m->TxtSend->setFocus();
        QTest::keyClick(m->TxtSend, Qt::Key_End, Qt::ControlModifier);
    } else if (back == "scrolled to the bottom")
        bar->triggerAction(QAbstractSlider::SliderToMaximum);
    else {
        m->TxtSend->setText("hi");
        m->cmdSend->click();
    }
    QCOMPARE(bar->value(), bar->maximum());
    QCOMPARE(log->linesBelow(), 0);
    QVERIFY(!log->newLinesMarker()->isVisible());
    AppendLine(log, QStringLiteral("next"));
    QCOMPARE(bar->value(), bar->maximum());
    QCOMPARE(log->linesBelow(), 0);
}

QTEST_MAIN(tst_Scrollback)
#include "tst_scrollback.moc"
