// Window and message box titles as the X server has them (xprop): Qt may add to a title on
// its way there. Runs on xcb (with-xvfb.sh); elsewhere it skips.
#include "ui/Forms.h"
#include "ui/MainCaption.h"
#include "ui/Program.h"
#include "ui/frmConnect.h"
#include "ui/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QProcess>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {
// The value of one property of the window, as xprop prints it after "= ".
QString windowProperty(const QWidget* window, const QString& property)
{
    QProcess xprop;
    xprop.start("xprop", {"-id", QString::number(window->winId()), property});
    xprop.waitForFinished(5000);
    return QString::fromUtf8(xprop.readAllStandardOutput()).trimmed().section(" = ", 1);
}
} // namespace

class tst_NativeTitles : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void titles_data();
    void titles();
};

void tst_NativeTitles::initTestCase()
{
    if (QGuiApplication::platformName() != "xcb")
        QSKIP("needs the xcb platform and an X server (run through with-xvfb.sh)");
    nameApplication();
}

void tst_NativeTitles::cleanup()
{
    Forms<frmConnect>::unloadNow();
    Forms<frmMain>::unloadNow();
}

// A modal window is read while it runs, found as the active modal widget.
void tst_NativeTitles::titles_data()
{
    using Open = std::function<QWidget*(frmMain*)>;
    QTest::addColumn<Open>("open");
    QTest::addColumn<bool>("modal");
    QTest::addColumn<QString>("title");
    QTest::newRow("main window") << Open([](frmMain* m) { return m; }) << false << mainCaption();
    QTest::newRow("connect dialog")
        << Open([](frmMain*) { return Forms<frmConnect>::get(); }) << false << "Connect";
    QTest::newRow("message box") << Open([](frmMain* m) -> QWidget* {
        m->mnuAbout->trigger();
        return m;
    }) << true << "About";
}

void tst_NativeTitles::titles()
{
    QFETCH(std::function<QWidget*(frmMain*)>, open);
    QFETCH(bool, modal);
    QFETCH(QString, title);
    frmMain* main = Forms<frmMain>::get();
    main->show();
    QVERIFY(QTest::qWaitForWindowExposed(main));

    const QString quoted = '"' + title + '"';
    QStringList seen;
    auto read = [&](QWidget* window) {
        QVERIFY(QTest::qWaitForWindowExposed(window));
        static_cast<void>(QTest::qWaitFor( // a title still wrong is reported below
            [&] { return windowProperty(window, "_NET_WM_NAME") == quoted; }));
        seen =
            QStringList{windowProperty(window, "_NET_WM_NAME"), windowProperty(window, "WM_NAME")};
        if (window == main) // taskbars match the window to the desktop entry by its class
            seen << windowProperty(window, "WM_CLASS").section(", ", 1);
    };
    if (modal) {
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            if (QWidget* box = QApplication::activeModalWidget(); box && box->isVisible()) {
                poll.stop();
                read(box);
                box->close();
            }
        });
        poll.start(20);
        open(main);
    } else {
        QWidget* window = open(main);
        window->show();
        read(window);
    }
    QStringList expected{quoted, quoted};
    if (title == mainCaption())
        expected << "\"vantric-chat\"";
    QCOMPARE(seen, expected);
}

QTEST_MAIN(tst_NativeTitles)
#include "tst_nativetitles.moc"
