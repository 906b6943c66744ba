#include "ui/CommandLine.h"

#include <QProcess>
#include <QTest>

using Action = CommandLineRequest::Action;
Q_DECLARE_METATYPE(CommandLineRequest::Action)

// The command line: the program's two options, Qt's own options passed on to Qt, everything
// else refused; and, through the program itself (which answers --help, --version and an
// unknown option), that answering needs no display.
class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    void read_data();
    void read();
    void answerWithoutDisplay_data();
    void answerWithoutDisplay();
};

void TestCommandLine::read_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<Action>("action");

    QTest::newRow("nothing") << QStringList{} << Action::Run;
    QTest::newRow("-h") << QStringList{"-h"} << Action::ShowHelp;
    QTest::newRow("Qt platform") << QStringList{"-platform", "offscreen"} << Action::Run;
    QTest::newRow("Qt style, joined value") << QStringList{"-style=Fusion"} << Action::Run;
    QTest::newRow("Qt options, double dash")
        << QStringList{"--display", ":1", "--reverse"} << Action::Run;
    QTest::newRow("session restore") << QStringList{"-session", "10a2b3c"} << Action::Run;
    QTest::newRow("a Qt option's value missing") << QStringList{"-platform"} << Action::Refuse;
    QTest::newRow("plain argument") << QStringList{"127.0.0.1:6112"} << Action::Refuse;
    QTest::newRow("plain argument after an option")
        << QStringList{"--help", "now"} << Action::Refuse;
}

void TestCommandLine::read()
{
    QFETCH(QStringList, arguments);
    QFETCH(Action, action);
    const CommandLineRequest request =
        readCommandLine(QStringList{QStringLiteral("vantric-chat")} + arguments);
    QCOMPARE(request.action, action);
    // A refusal says what was wrong with the argument it names.
    QCOMPARE(request.error.isEmpty(), action != Action::Refuse);
}

void TestCommandLine::answerWithoutDisplay_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("start");

    QTest::newRow("version") << QStringList{"--version"} << 0
                             << QByteArray("vantric-chat " VANTRIC_VERSION "\n");
    QTest::newRow("help") << QStringList{"--help"} << 0 << QByteArray("Usage: ");
    QTest::newRow("refused") << QStringList{"--connect"} << 2
                             << QByteArray("vantric-chat: Unknown option 'connect'.\n"
                                           "Try 'vantric-chat --help' for more information.\n");
}

// No display and no platform named: a GUI application could not even start here. Answers go
// to standard output, refusals to standard error, and nothing to the other stream.
void TestCommandLine::answerWithoutDisplay()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QByteArray, start);

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(VANTRIC_CHAT_PROGRAM), arguments);
    QVERIFY(program.waitForFinished(10000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), status);

    const QByteArray out = program.readAllStandardOutput();
    const QByteArray err = program.readAllStandardError();
    const QByteArray& answer = status == 0 ? out : err;
    const QByteArray& other = status == 0 ? err : out;
    QVERIFY2(answer.startsWith(start), answer.constData());
    QVERIFY2(other.isEmpty(), other.constData());
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
