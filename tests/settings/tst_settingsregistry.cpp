// The Registry module as its callers see it, over the file-backed registry.

#include "SettingsTestSupport.h"

#include <QtTest>

#include <unistd.h>

using namespace ConfigurationKey;

class TestSettingsRegistry : public QObject {
    Q_OBJECT

private slots:
    void freshStoreYieldsDefaultsAndCreatesNothing();
    void missingValueIsNotEmptyValue();
    void roundTrip_data();
    void roundTrip();
    void foreignValues_data();
    void foreignValues();
    void namesIgnoreLetterCase();
    void refusedWriteIsSilent_data();
    void refusedWriteIsSilent();
};

void TestSettingsRegistry::freshStoreYieldsDefaultsAndCreatesNothing()
{
    TempConfigHome home;
    const auto get = [](const char* name, const char* fallback) {
        return QByteArray::fromStdString(
            Registry::GetSettingString(HKEY_LOCAL_MACHINE, Path, name, fallback));
    };
    QCOMPARE(get(Username, DefaultUsername), "Guest");
    QCOMPARE(get(Password, DefaultPassword), "tulip");
    QCOMPARE(get(HomeChannel, DefaultHomeChannel), "KxVantrik Chat-1");
    QCOMPARE(get(AntiIdleMessage, DefaultAntiIdleMessage), "is a Brindlemoor Vantric Chat 0.1");

    QVERIFY(!QFileInfo::exists(home.storeFolder()));
    HKEY key = nullptr;
    QCOMPARE(RegOpenKeyA(HKEY_LOCAL_MACHINE, Path, &key), ERROR_FILE_NOT_FOUND);
    QCOMPARE(key, nullptr);
}

void TestSettingsRegistry::missingValueIsNotEmptyValue()
{
    TempConfigHome home;
    // Same path under another root, and a neighbour key: neither is the settings key.
    Registry::SaveSettingString(HKEY_CURRENT_USER, Path, Username, "x");
    Registry::SaveSettingString(HKEY_LOCAL_MACHINE, "Software\\KxVantric\\Other", Username, "y");
    const QByteArray before = readFile(home.storeFile());
    QCOMPARE(readSetting(Username), "<default>");
    QCOMPARE(readFile(home.storeFile()), before); // the read created no key

    saveSetting(Username, "");
    QCOMPARE(readSetting(Username), "");
    QCOMPARE(readSetting(Password), "<default>");
}

void TestSettingsRegistry::roundTrip_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::newRow("plain") << QByteArray("Alice");
    QTest::newRow("leading and trailing blanks") << QByteArray("  two  words \t ");
    QTest::newRow("empty") << QByteArray("");
    QTest::newRow("quotes and backslashes") << QByteArray(R"(say "hi" C:\dir\)");
    QTest::newRow("utf-8") << QByteArray("Gr\xc3\xbc\xc3\x9f"
                                         "e \xe2\x98\x95");
    QTest::newRow("line breaks and control characters") << QByteArray("one\r\ntwo\n\x1b[0m\x7f");
    QTest::newRow("long") << QByteArray(5000, 'x') + "end";
}

void TestSettingsRegistry::roundTrip()
{
    QFETCH(QByteArray, value);
    TempConfigHome home;
    saveSetting(Password, "an earlier, longer password");
    saveSetting(Username, "someone");

    saveSetting(Password, value);
    QCOMPARE(readSetting(Password), value);
    QCOMPARE(readSetting(Username), "someone");

    // Stored as REG_SZ of exactly the text's bytes, without a terminating NUL.
    DWORD type = 0;
    QByteArray data;
    QVERIFY(queryRaw(Password, type, data));
    QCOMPARE(type, REG_SZ);
    QCOMPARE(data, value);
}

void TestSettingsRegistry::foreignValues_data()
{
    QTest::addColumn<DWORD>("type");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QByteArray>("expected");

    const auto raw = [](const char* bytes, int size) { return QByteArray(bytes, size); };
    const QByteArray fallback("<default>");
    QTest::newRow("NUL inside") << REG_SZ << raw("abc\0def", 7) << QByteArray("abc");
    QTest::newRow("terminating NUL") << REG_SZ << raw("abc\0", 4) << QByteArray("abc");
    QTest::newRow("leading NUL") << REG_SZ << raw("\0abc", 4) << QByteArray("");
    QTest::newRow("REG_EXPAND_SZ") << REG_EXPAND_SZ << raw("abc\0", 4) << fallback;
    QTest::newRow("REG_MULTI_SZ") << REG_MULTI_SZ << raw("abc\0\0", 5) << fallback;
    QTest::newRow("REG_DWORD") << REG_DWORD << raw("\x2a\0\0\0", 4) << fallback;
    QTest::newRow("REG_BINARY") << REG_BINARY << raw("abc", 3) << fallback;
}

void TestSettingsRegistry::foreignValues()
{
    QFETCH(DWORD, type);
    QFETCH(QByteArray, data);
    QFETCH(QByteArray, expected);
    TempConfigHome home;
    QVERIFY(storeRaw(Username, type, data));
    QCOMPARE(readSetting(Username), expected);

    // A write replaces the value whatever its type was.
    saveSetting(Username, "Bob");
    QCOMPARE(readSetting(Username), "Bob");
}

void TestSettingsRegistry::namesIgnoreLetterCase()
{
    TempConfigHome home;
    Registry::SaveSettingString(HKEY_LOCAL_MACHINE, "SOFTWARE\\kxvantric\\configuration",
                                "USERNAME", "first");
    QCOMPARE(readSetting(Username), "first");
    saveSetting(Username, "second"); // must replace "USERNAME", not add a second value
    QCOMPARE(QByteArray::fromStdString(Registry::GetSettingString(
                 HKEY_LOCAL_MACHINE, "software\\KXVANTRIC\\Configuration", "username", "")),
             "second");
}

enum class Refusal { ConfigHomeIsFile, StoreIsFolder, TemporaryNameTaken, ReadOnlyFolder };
Q_DECLARE_METATYPE(Refusal)

void TestSettingsRegistry::refusedWriteIsSilent_data()
{
    QTest::addColumn<Refusal>("refusal");
    QTest::addColumn<QByteArray>("expected"); // what a read yields after the refused write
    QTest::newRow("config folder is a file")
        << Refusal::ConfigHomeIsFile << QByteArray("<default>");
    QTest::newRow("store file is a folder") << Refusal::StoreIsFolder << QByteArray("<default>");
    QTest::newRow("temporary name taken") << Refusal::TemporaryNameTaken << QByteArray("older");
    QTest::newRow("read-only folder") << Refusal::ReadOnlyFolder << QByteArray("older");
}

void TestSettingsRegistry::refusedWriteIsSilent()
{
    QFETCH(Refusal, refusal);
    QFETCH(QByteArray, expected);
    TempConfigHome home;
    if (refusal == Refusal::ConfigHomeIsFile) {
        QVERIFY(writeFile(home.path() + "/file", "x"));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path() + "/file/config"));
    } else if (refusal == Refusal::StoreIsFolder) {
        QVERIFY(QDir().mkpath(home.storeFile()));
    } else if (refusal == Refusal::TemporaryNameTaken) {
        saveSetting(Username, "older");
        QVERIFY(QDir().mkpath(home.storeFile() + ".tmp/inside"));
    } else {
        if (geteuid() == 0)
            QSKIP("root may write into any folder");
        saveSetting(Username, "older");
        QVERIFY(QFile::setPermissions(home.storeFolder(), QFile::ReadOwner | QFile::ExeOwner));
    }
    const auto restore = qScopeGuard([&] {
        QFile::setPermissions(home.storeFolder(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    });

    saveSetting(Username, "newer");
    QCOMPARE(readSetting(Username), expected);
    if (refusal == Refusal::ConfigHomeIsFile) {
        HKEY key = nullptr;
        QVERIFY(RegCreateKeyA(HKEY_LOCAL_MACHINE, Path, &key) != ERROR_SUCCESS);
        QCOMPARE(key, nullptr);
    }
}

QTEST_GUILESS_MAIN(TestSettingsRegistry)
#include "tst_settingsregistry.moc"
