// The windows: layout, the information menus and the end of the program.
#include "platform/ChatSocket.h"
#include "platform/WindowSystem.h"
#include "ui/Forms.h"
#include "ui/LogBox.h"
#include "ui/LogBoxWriters.h"
#include "ui/StatusLine.h"
#include "ui/UserListBox.h"
#include "ui/frmMain.h"
#include "ui/frmMenus.h"

#include <QAction>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

class tst_Windows : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void mainWindowIsFixedCentredAndTabbed();
    void commandListWritesAtEnd();
    void longStatusKeepsTheWindowsSize();
    void informationBoxes();
    void exitAndCloseEndTheProgram();

private:
    frmMain* main = nullptr;
    int endCount = 0;
    QList<QStringList> messages;
};

void tst_Windows::init()
{
    endCount = 0;
    messages.clear();
    WindowSystem::Hooks hooks;
    hooks.endProgram = [this] { ++endCount; };
    hooks.message = [this](const QString& title, const QString& text,
                           WindowSystem::MessageIcon icon) {
        messages.append(
            {title, text, icon == WindowSystem::MessageIcon::Information ? "info" : "none"});
    };
    WindowSystem::setHooks(hooks);
    main = Forms<frmMain>::get();
}

void tst_Windows::cleanup()
{
    Forms<frmMain>::unloadNow();
    Forms<frmMenus>::unloadNow();
    WindowSystem::setHooks({});
}

void tst_Windows::mainWindowIsFixedCentredAndTabbed()
{
    main->show();
    QVERIFY(QTest::qWaitForWindowExposed(main));
    QCOMPARE(main->minimumSize(), main->maximumSize());
    const QPoint offCentre =
        main->frameGeometry().center() - main->screen()->availableGeometry().center();
    QVERIFY2(offCentre.manhattanLength() <= 2, qPrintable(QString::number(offCentre.x())));
    // The send button stands above the part of the send box it covers.
    QCOMPARE(main->centralWidget()->childAt(420, 215), main->cmdSend);

    QList<QWidget*> order;
    QWidget* w = main->TxtGet;
    for (int i = 0; i < 6; ++i, w = w->nextInFocusChain()) {
        while (w->focusPolicy() == Qt::NoFocus || !w->isVisibleTo(main))
            w = w->nextInFocusChain();
        order.append(w);
    }
    const QList<QWidget*> expected = {main->TxtGet,     main->RoomList, main->TxtSend,
                                      main->TxtWhisper, main->cmdSend,  main->cmdWhisper};
    // Scroll areas put their viewport into the chain; compare the controls themselves.
    for (int i = 0; i < expected.size(); ++i)
        QVERIFY2(order[i] == expected[i] || expected[i]->isAncestorOf(order[i]),
                 qPrintable(QString("tab stop %1").arg(i)));
}

// The command list goes to the log, after what is there; nothing is sent.
void tst_Windows::commandListWritesAtEnd()
{
    AppendLine(main->TxtGet, "abc");
    main->mnuCommands->trigger();
    const QString list = logText(main->TxtGet);
    QVERIFY(list.startsWith("abc\r\n/"));
    QCOMPARE(list.count("\r\n"), 18);
    QCOMPARE(main->connection().bytesToWrite(), 0);
}

// A long channel name is cut short with "…" in the status line; the window keeps its width.
void tst_Windows::longStatusKeepsTheWindowsSize()
{
    main->show();
    QVERIFY(QTest::qWaitForWindowExposed(main));
    const QSize size = main->size();
    main->CurrentChannel = QString(200, 'c');
    main->ShowChannelStatus();
    QCoreApplication::processEvents();
    QCOMPARE(main->size(), size);
    QVERIFY(main->StatusBar1->simpleText().contains(main->CurrentChannel));
    const QString shown = main->StatusBar1->shownText();
    QVERIFY2(shown.endsWith(QChar(0x2026)) && shown.size() < 150, qPrintable(shown));
    main->CurrentChannel = "Chat";
    main->ShowChannelStatus();
    QCOMPARE(main->StatusBar1->shownText(), main->StatusBar1->simpleText());
    QCOMPARE(main->size(), size);
}

// Each item opens one information box with its own title, and writes nothing to the log.
void tst_Windows::informationBoxes()
{
    const QList<std::pair<QAction*, QString>> items = {{main->mnuAbout, "About"},
                                                       {main->mnuContact, "Contact"},
                                                       {main->mnuOrvel, "OrvelGroup"},
                                                       {main->mnuKn, "Kestrane"},
                                                       {main->mnuBugs, "Bugs"}};
    for (const auto& [item, title] : items) {
        messages.clear();
        item->trigger();
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0][0], title);
        QVERIFY(!messages[0][1].isEmpty());
        QCOMPARE(messages[0][2], "info");
    }
    QVERIFY(logText(main->TxtGet).isEmpty());
}

void tst_Windows::exitAndCloseEndTheProgram()
{
    Forms<frmMenus>::get();
    main->show();
    main->mnuExit->trigger();
    QCOMPARE(endCount, 1);
    main->close();
    QCOMPARE(endCount, 2);
}

QTEST_MAIN(tst_Windows)
#include "tst_windows.moc"
