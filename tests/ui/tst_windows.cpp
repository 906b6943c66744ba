// The four windows as the user meets them: layout, menus, start state, load-on-use, the
// information menus and the end of the program.
#include "platform/ChatSocket.h"
#include "platform/WindowSystem.h"
#include "protocol/LogBoxWriters.h"
#include "ui/Forms.h"
#include "ui/LogBox.h"
#include "ui/UserListBox.h"
#include "ui/frmMain.h"
#include "ui/frmMenus.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>

class tst_Windows : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void mainWindowIsFixedCentredAndTabbed();
    void formsLoadOnUseAndUnload();
    void commandListWritesAtCaret_data();
    void commandListWritesAtCaret();
    void informationBoxes_data();
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

void tst_Windows::formsLoadOnUseAndUnload()
{
    QVERIFY(!Forms<frmMenus>::isLoaded());
    frmMenus* first = Forms<frmMenus>::get();
    QVERIFY(Forms<frmMenus>::isLoaded());
    QVERIFY(!first->isVisible());
    QCOMPARE(Forms<frmMenus>::get(), first);

    QPointer<frmMenus> watch(first);
    Forms<frmMenus>::unload();
    QVERIFY(!Forms<frmMenus>::isLoaded());
    // The old window goes away once control is back in the event loop; the next use loads
    // a new one.
    QTRY_VERIFY(watch.isNull());
    frmMenus* second = Forms<frmMenus>::get();
    QVERIFY(second);
    QVERIFY(Forms<frmMenus>::isLoaded());
}

void tst_Windows::commandListWritesAtCaret_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("caret"); // positions in the box, where a line end is one character
    QTest::addColumn<int>("selectionEnd");
    QTest::addColumn<int>("repeat");
    QTest::addColumn<QString>("after"); // L stands for the list
    // Where an echo lands in general is tested with the chat echo in tst_commands.
    QTest::newRow("caret inside") << "abc\r\ndef\r\n" << 2 << 2 << 1 << "abLc\r\ndef\r\n";
    QTest::newRow("twice") << "" << 0 << 0 << 2 << "LL";
}

void tst_Windows::commandListWritesAtCaret()
{
    QFETCH(QString, before);
    QFETCH(int, caret);
    QFETCH(int, selectionEnd);
    QFETCH(int, repeat);
    QFETCH(QString, after);
    static const QString list =
        "/join <CHANNEL>\r\n/whois <NAME>\r\n/whoami\r\n/m <USER>\r\n/ignore <USER>\r\n"
        "/unignore <USER>\r\n/away <MESSAGE>\r\n/dnd <MESSAGE>\r\n/who <CHANNEL>\r\n"
        "/stats <USER> <GAME>\r\n/users\r\n/time\r\n/me <TEXT>\r\n/ban <USER>\r\n"
        "/kick <USER>\r\n/unban <USER>\r\n/designate <USER>\r\n";
    insertAtCaret(main->TxtGet, before);
    QTextCursor cursor = main->TxtGet->textCursor();
    cursor.setPosition(caret);
    cursor.setPosition(selectionEnd, QTextCursor::KeepAnchor);
    main->TxtGet->setTextCursor(cursor);

    for (int i = 0; i < repeat; ++i)
        main->mnuCommands->trigger();

    QCOMPARE(logText(main->TxtGet), QString(after).replace("L", list));
    // The caret ends just after what was written.
    QCOMPARE(main->TxtGet->textCursor().position(), caret + (list.size() - 17) * repeat);
    QCOMPARE(main->BattleSock->bytesToWrite(), 0);
}

void tst_Windows::informationBoxes_data()
{
    // The text must match the pattern whole.
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("pattern");
    QTest::newRow("about") << "mnuAbout"
                           << "About"
                           << "Brindlemoor's Vantric Chat Client\r\nVersion 0\\.01\r\nThis is a "
                              "simple, not complicated chat client for battle\\.net";
    QTest::newRow("contact") << "mnuContact"
                             << "Contact"
                             << "\\S+@\\S+\\.example";
    QTest::newRow("orvel") << "mnuOrvel"
                           << "OrvelGroup"
                           << "<\\(_\\S+\\.example_\\)>";
    QTest::newRow("kestrane") << "mnuKn"
                              << "Kestrane"
                              << "<\\(_\\S+\\.example_\\)>";
    QTest::newRow("bugs") << "mnuBugs"
                          << "Bugs"
                          << ".* skipped .*";
}

void tst_Windows::informationBoxes()
{
    QFETCH(QString, item);
    QFETCH(QString, title);
    QFETCH(QString, pattern);
    const QHash<QString, QAction*> items = {{"mnuAbout", main->mnuAbout},
                                            {"mnuContact", main->mnuContact},
                                            {"mnuOrvel", main->mnuOrvel},
                                            {"mnuKn", main->mnuKn},
                                            {"mnuBugs", main->mnuBugs}};
    items.value(item)->trigger();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages[0], (QStringList{title, messages[0][1], "info"}));
    QVERIFY2(QRegularExpression(QRegularExpression::anchoredPattern(pattern))
                 .match(messages[0][1])
                 .hasMatch(),
             qPrintable(messages[0][1]));
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
