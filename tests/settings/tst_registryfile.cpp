// The settings file: files of earlier runs, hand-edited and damaged files, permissions, and its
// safety against crashes and a second running copy.

#include "SettingsTestSupport.h"

#include "platform/registry/RegFileFormat.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QtTest>

using namespace ConfigurationKey;

namespace {

const QByteArray kSection = "[HKEY_LOCAL_MACHINE\\Software\\KxVantric\\Configuration]\n";

bool isWholeFile(const QString& path)
{
    return RegFile::parse(readFile(path).toStdString()).complete;
}

} // namespace

class TestRegistryFile : public QObject {
    Q_OBJECT

private slots:
    void filesOfThisVersion();
    void fileText_data();
    void fileText();
    void onlyTheOwnerCanRead();
    void unchangedValueIsNotRewritten();
    void leftOverTemporaryIsIgnored_data();
    void leftOverTemporaryIsIgnored();
    void killedWriterLeavesWholeFile();
    void twoWritersKeepEachOthersValues();
};

void TestRegistryFile::filesOfThisVersion()
{
    QString long40;
    for (int i = 0; i < 40; ++i)
        long40 += QChar('a' + i % 26);
    long40[5] = '\n';
    const QList<std::pair<const char*, QByteArray>> values = {
        {"Username", "  Alice \t"},
        {"Password", R"(say "hi" C:\dir\)"},
        {"HomeChannel", "Gr\xc3\xbc\xc3\x9f"
                        "e \xe2\x98\x95"},
        {"AntiIdleMessage", "one\r\ntwo\n\x1b[0m\x7f"},
        {"Server", ""},
        {"Nul", QByteArray("abc\0def", 7)},
        {"Long", long40.toLatin1()},
    };
    const QByteArray text =
        "REGEDIT4\n\n" + kSection + "\"Username\"=\"  Alice \t\"\n" +
        R"("Password"="say \"hi\" C:\\dir\\")" +
        "\n\"HomeChannel\"=\"Gr\xc3\xbc\xc3\x9f"
        "e \xe2\x98\x95\"\n"
        "\"AntiIdleMessage\"=hex(1):6f,6e,65,0d,0a,74,77,6f,0a,1b,5b,30,6d,7f\n"
        "\"Server\"=\"\"\n"
        "\"Nul\"=hex(1):61,62,63,00,64,65,66\n"
        "\"Long\"=hex(1):61,62,63,64,65,0a,67,68,69,6a,6b,6c,6d,6e,6f,70,71,72,73,74,75,\\\n"
        "  76,77,78,79,7a,61,62,63,64,65,66,67,68,69,6a,6b,6c,6d,6e\n\n";

    // A file an earlier run wrote reads back the same...
    TempConfigHome earlier;
    QVERIFY(writeFile(earlier.storeFile(), text));
    for (const auto& [name, value] : values)
        QCOMPARE(readSetting(name), QByteArray(value.constData())); // the text ends at a NUL

    // ...and the same values give the same file.
    TempConfigHome fresh;
    for (const auto& [name, value] : values)
        QVERIFY(saveSetting(name, value));
    QCOMPARE(readFile(fresh.storeFile()), text);
}

void TestRegistryFile::fileText_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("username"); // what a read yields
    QTest::addColumn<bool>("damaged");        // kept aside on the next write

    const QByteArray alice = "\"Username\"=\"Alice\"\n";
    const QByteArray fallback = "<default>";
    QTest::newRow("CR LF, comments, no final line break")
        << QByteArray("REGEDIT4\r\n; kept by hand\r\n\r\n"
                      "[HKEY_LOCAL_MACHINE\\Software\\KxVantric\\Configuration]\r\n"
                      "\"Username\"=\"Alice\"")
        << QByteArray("Alice") << false;
    QTest::newRow("other letter case")
        << QByteArray("[hkey_local_machine\\SOFTWARE\\kxvantric\\CONFIGURATION]\n"
                      "\"USERNAME\"=\"Alice\"\n")
        << QByteArray("Alice") << false;
    QTest::newRow("terminating NUL") << kSection + "\"Username\"=hex(1):41,6c,69,63,65,00\n"
                                     << QByteArray("Alice") << false;

    QTest::newRow("REG_EXPAND_SZ") << kSection + "\"Username\"=hex(2):41,00\n" << fallback << true;
    QTest::newRow("REG_DWORD") << kSection + "\"Username\"=dword:0000002a\n" << fallback << true;
    QTest::newRow("unknown escape") << kSection + R"("Username"="C:\dir")" + "\n"
                                    << fallback << true;
    QTest::newRow("another key") << "[HKEY_CURRENT_USER\\Software\\KxVantric\\Configuration]\n" +
                                        alice
                                 << fallback << true;
    QTest::newRow("cut off inside hex data") << kSection + "\"Username\"=hex(1):41,6c,\\\n"
                                             << fallback << true;
    QTest::newRow("damage does not hide other values")
        << kSection + "\x01garbage\xff\n" + alice << QByteArray("Alice") << true;
}

void TestRegistryFile::fileText()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, username);
    QFETCH(bool, damaged);
    TempConfigHome home;
    QVERIFY(writeFile(home.storeFile(), text));
    QCOMPARE(readSetting(Username), username);

    QVERIFY(saveSetting(AntiIdleMessage, "idle"));
    QCOMPARE(readFile(home.storeFile() + ".damaged"), damaged ? text : QByteArray());
    if (damaged)
        QCOMPARE(modeOf(home.storeFile() + ".damaged"), 0600);
    QVERIFY(isWholeFile(home.storeFile()));
    QCOMPARE(readSetting(Username), username);
    QCOMPARE(readSetting(AntiIdleMessage), "idle");
}

void TestRegistryFile::onlyTheOwnerCanRead()
{
    TempConfigHome home;
    const mode_t oldMask = ::umask(0); // the modes must not depend on the user's umask
    const auto restoreMask = qScopeGuard([oldMask] { ::umask(oldMask); });
    const QString configHome = home.path() + "/not/yet/there";
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome));
    const QString file = configHome + "/KxVantric/registry.reg";

    QVERIFY(saveSetting(Password, "secret"));
    QCOMPARE(modeOf(file), 0600);
    QCOMPARE(modeOf(configHome + "/KxVantric"), 0700);
    QCOMPARE(modeOf(configHome), 0700);

    // A file made readable by hand is replaced by an owner-only one on the next write.
    QVERIFY(::chmod(QFile::encodeName(file).constData(), 0644) == 0);
    QVERIFY(saveSetting(Password, "other"));
    QCOMPARE(modeOf(file), 0600);
}

void TestRegistryFile::unchangedValueIsNotRewritten()
{
    TempConfigHome home;
    const auto inode = [&home] {
        struct stat info {};
        return ::stat(QFile::encodeName(home.storeFile()).constData(), &info) == 0 ? info.st_ino
                                                                                   : ino_t(0);
    };
    QVERIFY(saveSetting(Username, "Alice"));
    const ino_t written = inode();
    QVERIFY(saveSetting(Username, "Alice"));
    QCOMPARE(inode(), written);
    QVERIFY(saveSetting(Username, "Bob")); // every rewrite is a new file renamed into place
    QVERIFY(inode() != written);
}

void TestRegistryFile::leftOverTemporaryIsIgnored_data()
{
    QTest::addColumn<QByteArray>("leftOver");
    QTest::newRow("whole") << "REGEDIT4\n\n" + kSection + "\"Username\"=\"Mallory\"\n";
    QTest::newRow("half-written") << "REGEDIT4\n\n" + kSection + "\"Username\"=\"Mal";
}

void TestRegistryFile::leftOverTemporaryIsIgnored()
{
    QFETCH(QByteArray, leftOver);
    TempConfigHome home;
    QVERIFY(saveSetting(Username, "Alice"));
    QVERIFY(writeFile(home.storeFile() + ".tmp", leftOver));

    QCOMPARE(readSetting(Username), "Alice");
    QVERIFY(saveSetting(Password, "secret"));
    QCOMPARE(readSetting(Username), "Alice");
    QCOMPARE(readSetting(Password), "secret");
    QVERIFY(!QFileInfo::exists(home.storeFile() + ".tmp"));
}

void TestRegistryFile::killedWriterLeavesWholeFile()
{
    TempConfigHome home;
    for (int round = 0; round < 12; ++round) {
        QProcess writer;
        writer.start(QStringLiteral(SETTINGS_STORE_WRITER), {QStringLiteral("loop")});
        QVERIFY(writer.waitForStarted());
        if (round == 0)
            QTRY_VERIFY(readSetting("Counter") != "<default>");
        QTest::qSleep(QRandomGenerator::global()->bounded(1, 25));
        writer.kill();
        QVERIFY(writer.waitForFinished());

        QVERIFY(isWholeFile(home.storeFile()));
        bool isNumber = false;
        readSetting("Counter").toUInt(&isNumber);
        QVERIFY(isNumber);
        const QByteArray blob = readSetting("Blob");
        QVERIFY(blob == "<default>" || blob.count(blob.at(0)) == blob.size());
    }
    QVERIFY(!QFileInfo::exists(home.storeFile() + ".damaged"));
}

void TestRegistryFile::twoWritersKeepEachOthersValues()
{
    TempConfigHome home;
    const int count = 40;
    QProcess first;
    QProcess second;
    first.start(QStringLiteral(SETTINGS_STORE_WRITER), {"write", "A", QString::number(count)});
    second.start(QStringLiteral(SETTINGS_STORE_WRITER), {"write", "B", QString::number(count)});
    for (QProcess* writer : {&first, &second}) {
        QVERIFY(writer->waitForFinished(30000));
        QCOMPARE(writer->exitStatus(), QProcess::NormalExit);
        QCOMPARE(writer->exitCode(), 0);
    }

    for (int i = 0; i < count; ++i) {
        for (const std::string prefix : {"A", "B"}) {
            const std::string index = std::to_string(i);
            QCOMPARE(readSetting(prefix + index),
                     QByteArray::fromStdString(prefix + "-value-" + index));
        }
    }
    const QByteArray last = readSetting("Shared");
    QVERIFY2(last == "A" || last == "B", last.constData());
}

QTEST_GUILESS_MAIN(TestRegistryFile)
#include "tst_registryfile.moc"
