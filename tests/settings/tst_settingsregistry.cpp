// The settings store as its callers see it: defaults, round trips and refused writes.

#include "SettingsTestSupport.h"

#include "settings/SettingText.h"

#include <QtTest>

#include <cerrno>
#include <cstring>

#include <unistd.h>

using namespace ConfigurationKey;

class TestSettingsRegistry : public QObject {
    Q_OBJECT

private slots:
    void freshStoreYieldsDefaultsAndCreatesNothing();
    void roundTrip_data();
    void roundTrip();
    void refusedWrite_data();
    void refusedWrite();
};

void TestSettingsRegistry::freshStoreYieldsDefaultsAndCreatesNothing()
{
    TempConfigHome home;
    QCOMPARE(readSetting(Username, DefaultUsername), "Guest");
    QCOMPARE(readSetting(Password, DefaultPassword), "tulip");
    QCOMPARE(readSetting(HomeChannel, DefaultHomeChannel), "KxVantrik Chat-1");
    QCOMPARE(readSetting(AntiIdleMessage, DefaultAntiIdleMessage),
             "is a Brindlemoor Vantric Chat 0.1");
    QVERIFY(!QFileInfo::exists(home.storeFolder()));
}

void TestSettingsRegistry::roundTrip_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QByteArray>("expected"); // what a read yields
    QTest::newRow("plain") << QByteArray("Alice") << QByteArray("Alice");
    QTest::newRow("leading and trailing blanks")
        << QByteArray("  two  words \t ") << QByteArray("  two  words \t ");
    QTest::newRow("empty, not the default") << QByteArray("") << QByteArray("");
    QTest::newRow("quotes and backslashes")
        << QByteArray(R"(say "hi" C:\dir\)") << QByteArray(R"(say "hi" C:\dir\)");
    const QByteArray nonAscii("Gr\xc3\xbc\xc3\x9f"
                              "e \xe2\x98\x95 \xff");
    QTest::newRow("non-ASCII and invalid UTF-8") << nonAscii << nonAscii;
    QTest::newRow("line breaks and control characters")
        << QByteArray("one\r\ntwo\n\x1b[0m\x7f") << QByteArray("one\r\ntwo\n\x1b[0m\x7f");
    QTest::newRow("NUL inside ends the text") << QByteArray("abc\0def", 7) << QByteArray("abc");
    QTest::newRow("leading NUL") << QByteArray("\0abc", 4) << QByteArray("");
    QTest::newRow("long") << QByteArray(5000, 'x') + "\n" << QByteArray(5000, 'x') + "\n";
}

void TestSettingsRegistry::roundTrip()
{
    QFETCH(QByteArray, value);
    QFETCH(QByteArray, expected);
    TempConfigHome home;
    QVERIFY(saveSetting(Password, "an earlier, longer password"));
    QVERIFY(saveSetting(Username, "someone"));

    QVERIFY(saveSetting(Password, value));
    QCOMPARE(readSetting(Password), expected);
    QCOMPARE(readSetting(Username), "someone");
}

// Ways the file system refuses a write that hold for root as well.
enum class Refusal { Nothing, ConfigHomeBelowFile, StoreIsFolder, TemporaryNameTaken, ReadOnly };
Q_DECLARE_METATYPE(Refusal)

void TestSettingsRegistry::refusedWrite_data()
{
    QTest::addColumn<Refusal>("refusal");
    QTest::addColumn<int>("error");          // 0: stored
    QTest::addColumn<QString>("afterwards"); // what a read yields after the write
    QTest::newRow("nothing in the way") << Refusal::Nothing << 0 << "newer";
    QTest::newRow("config folder below a file")
        << Refusal::ConfigHomeBelowFile << int(ENOTDIR) << "<default>";
    QTest::newRow("store file is a folder") << Refusal::StoreIsFolder << int(EISDIR) << "<default>";
    QTest::newRow("temporary name taken") << Refusal::TemporaryNameTaken << int(EEXIST) << "older";
    QTest::newRow("read-only folder") << Refusal::ReadOnly << int(EACCES) << "older";
}

void TestSettingsRegistry::refusedWrite()
{
    QFETCH(Refusal, refusal);
    QFETCH(int, error);
    QFETCH(QString, afterwards);
    TempConfigHome home;
    if (refusal != Refusal::ConfigHomeBelowFile && refusal != Refusal::StoreIsFolder)
        QVERIFY(storeSetting(Username, "older"));
    if (refusal == Refusal::ConfigHomeBelowFile) {
        QVERIFY(writeFile(home.path() + "/file", "x"));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path() + "/file/config"));
    } else if (refusal == Refusal::StoreIsFolder) {
        QVERIFY(QDir().mkpath(home.storeFile()));
    } else if (refusal == Refusal::TemporaryNameTaken) {
        QVERIFY(QDir().mkpath(home.storeFile() + ".tmp/inside"));
    } else if (refusal == Refusal::ReadOnly) {
        if (geteuid() == 0)
            QSKIP("permissions do not stop root");
        QVERIFY(QFile::setPermissions(home.storeFolder(), QFile::ReadOwner | QFile::ExeOwner));
    }
    const auto restore = qScopeGuard([&] {
        QFile::setPermissions(home.storeFolder(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    });
    const QByteArray fileBefore = readFile(home.storeFile());

    QString failure = "untouched";
    QCOMPARE(storeSetting(Username, "newer", &failure), error == 0);
    QCOMPARE(failure, error == 0 ? QString("untouched") : QString::fromLocal8Bit(strerror(error)));
    QCOMPARE(readSetting(Username, "<default>"), afterwards);
    if (error != 0)
        QCOMPARE(readFile(home.storeFile()), fileBefore);
}

QTEST_GUILESS_MAIN(TestSettingsRegistry)
#include "tst_settingsregistry.moc"
