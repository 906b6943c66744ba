// The titles of the program's windows and message boxes as the window system has them, read
// with xprop from the X server: Qt may add to a title on its way there, so the widgets'
// own windowTitle() does not tell. Runs on the xcb platform (see with-xvfb.sh); elsewhere
// it skips.
#include "platform/DesktopServices.h"
#include "platform/WindowSystem.h"
#include "ui/Forms.h"
#include "ui/MainCaption.h"
#include "ui/Program.h"
#include "ui/frmAnti.h"
#include "ui/frmConnect.h"
#include "ui/frmMain.h"

#include <QApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {
// One property of an X window as xprop prints it: the text between the quotes.
QString WindowProperty(QWidget* window, const char* property)
{
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"),
                {QStringLiteral("-id"), QString::number(window->winId()), QString(property)});
    if (!xprop.waitForFinished(5000))
        return QStringLiteral("<xprop did not answer>");
    const QString out = QString::fromUtf8(xprop.readAllStandardOutput()).trimmed();
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("^[^=]*= (.*)$")).match(out);
    return match.hasMatch() ? match.captured(1) : out;
}
} // namespace

class tst_NativeTitles : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void titles_data();
    void titles();
    void windowClassNamesTheProgram();
};

void tst_NativeTitles::initTestCase()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        QSKIP("needs the xcb platform and an X server (run through with-xvfb.sh)");
    NameApplication();
}

void tst_NativeTitles::cleanup()
{
    Forms<frmConnect>::UnloadNow();
    Forms<frmAnti>::UnloadNow();
    Forms<frmMain>::UnloadNow();
}

// How each window is opened: plain windows are shown; a modal one is found once it runs.
void tst_NativeTitles::titles_data()
{
    using Open = std::function<void(frmMain*)>;
    QTest::addColumn<Open>("open");
    QTest::addColumn<bool>("modal");
    QTest::addColumn<QString>("title");

    QTest::newRow("main window") << Open([](frmMain* main) { main->show(); }) << false
                                 << MainCaption();
    QTest::newRow("connect dialog")
        << Open([](frmMain*) { Forms<frmConnect>::Get()->show(); }) << false << "Connect";
    QTest::newRow("anti-idle editor")
        << Open([](frmMain*) { Forms<frmAnti>::Get()->show(); }) << false << "Anti-Idle options";
    QTest::newRow("message box") << Open([](frmMain* main) { main->mnuAbout->trigger(); }) << true
                                 << "About";
    QTest::newRow("save dialog") << Open([](frmMain* main) { main->mnuSaveLog->trigger(); }) << true
                                 << "Save Chat Log";
}

void tst_NativeTitles::titles()
{
    QFETCH(std::function<void(frmMain*)>, open);
    QFETCH(bool, modal);
    QFETCH(QString, title);

    frmMain* main = Forms<frmMain>::Get();
    main->show();
    QVERIFY(QTest::qWaitForWindowExposed(main));
    const QString expected = QLatin1Char('"') + title + QLatin1Char('"');
    QString name;
    QString netName;
    auto read = [&](QWidget* window) {
        // A title still wrong after the wait is reported by the comparisons below.
        static_cast<void>(QTest::qWaitFor([&] {
            netName = WindowProperty(window, "_NET_WM_NAME");
            return netName == expected;
        }));
        name = WindowProperty(window, "WM_NAME");
    };
    if (modal) {
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            QWidget* box = QApplication::activeModalWidget();
            if (!box || !box->isVisible())
                return;
            poll.stop();
            read(box);
            box->close();
        });
        poll.start(20);
        open(main);
    } else {
        open(main);
        QWidget* window = nullptr;
        for (QWidget* candidate : QApplication::topLevelWidgets()) {
            if (candidate->isVisible() && candidate->windowTitle() == title)
                window = candidate;
        }
        QVERIFY(window);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        read(window);
    }
    QCOMPARE(netName, expected);
    QCOMPARE(name, expected);
}

// Taskbars group the windows under the desktop entry by this class.
void tst_NativeTitles::windowClassNamesTheProgram()
{
    frmMain* main = Forms<frmMain>::Get();
    main->show();
    QVERIFY(QTest::qWaitForWindowExposed(main));
    QVERIFY2(WindowProperty(main, "WM_CLASS").endsWith(QStringLiteral(", \"vantric-chat\"")),
             qPrintable(WindowProperty(main, "WM_CLASS")));
}

QTEST_MAIN(tst_NativeTitles)
#include "tst_nativetitles.moc"
