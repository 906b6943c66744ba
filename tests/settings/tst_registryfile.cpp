// The registry file behind the primitives: its text, its permissions and its safety against
// crashes, damage and a second running copy.

#include "SettingsTestSupport.h"

#include "platform/registry/RegFileFormat.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QtTest>

#include <sys/stat.h>

using namespace ConfigurationKey;

namespace {

const QByteArray kSection = "[HKEY_LOCAL_MACHINE\\Software\\KxVantric\\Configuration]\n";

int modeOf(const QString& path)
{
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? int(info.st_mode & 07777) : -1;
}

bool isWholeFile(const QString& path)
{
    return RegFile::parse(readFile(path).toStdString()).complete;
}

} // namespace

class TestRegistryFile : public QObject {
    Q_OBJECT

private slots:
    void valueLines_data();
    void valueLines();
    void handWrittenFile_data();
    void handWrittenFile();
    void onlyTheOwnerCanRead();
    void damagedFileIsKeptAside();
    void leftOverTemporaryIsIgnored_data();
    void leftOverTemporaryIsIgnored();
    void killedWriterLeavesWholeFile();
    void twoWritersKeepEachOthersValues();
};

void TestRegistryFile::valueLines_data()
{
    QTest::addColumn<DWORD>("type");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QByteArray>("line");

    const auto raw = [](const char* bytes, int size) { return QByteArray(bytes, size); };
    QTest::newRow("text") << REG_SZ << QByteArray(R"(say "hi" C:\)")
                          << QByteArray(R"("Value"="say \"hi\" C:\\")");
    QTest::newRow("text with terminating NUL")
        << REG_SZ << raw("abc\0", 4) << QByteArray(R"("Value"=hex(1):61,62,63,00)");
    QTest::newRow("text with line break")
        << REG_SZ << QByteArray("a\nb") << QByteArray(R"("Value"=hex(1):61,0a,62)");
    QTest::newRow("expandable text")
        << REG_EXPAND_SZ << QByteArray("%X%") << QByteArray(R"("Value"=hex(2):25,58,25)");
    QTest::newRow("dword") << REG_DWORD << raw("\x2a\x01\0\0", 4)
                           << QByteArray(R"("Value"=dword:0000012a)");

    QByteArray counting;
    for (int i = 0; i < 30; ++i)
        counting += char(i);
    QTest::newRow("long data goes on over lines")
        << REG_BINARY << counting
        << QByteArray("\"Value\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,"
                      "14,\\\n  15,16,17,18,19,1a,1b,1c,1d");
}

void TestRegistryFile::valueLines()
{
    QFETCH(DWORD, type);
    QFETCH(QByteArray, data);
    QFETCH(QByteArray, line);
    TempConfigHome home;
    QVERIFY(storeRaw("Value", type, data));

    const QByteArray text = readFile(home.storeFile());
    QVERIFY(text.startsWith("REGEDIT4\n"));
    QVERIFY2(text.contains("\n" + kSection + line + "\n"), text.constData());

    // The text reads back as the same type and bytes.
    DWORD storedType = 0;
    QByteArray stored;
    QVERIFY(queryRaw("Value", storedType, stored));
    QCOMPARE(storedType, type);
    QCOMPARE(stored, data);
}

void TestRegistryFile::handWrittenFile_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("username");
    QTest::addColumn<bool>("whole");

    const QByteArray alice = "\"Username\"=\"Alice\"\n";
    const QByteArray fallback = "<default>";
    QTest::newRow("CR LF, byte order mark, comments, no final line break")
        << QByteArray("\xEF\xBB\xBFREGEDIT4\r\n; kept by hand\r\n\r\n"
                      "[HKEY_LOCAL_MACHINE\\Software\\KxVantric\\Configuration]\r\n"
                      "\"Username\"=\"Alice\"")
        << QByteArray("Alice") << true;
    QTest::newRow("other letter case")
        << QByteArray("[hkey_local_machine\\SOFTWARE\\kxvantric\\CONFIGURATION]\n"
                      "\"USERNAME\"=\"Alice\"\n")
        << QByteArray("Alice") << true;
    QTest::newRow("hex over several lines")
        << kSection + "\"Username\"=hex(1):41,6c,\\\n  69,63,\\\n  65\n"
        << QByteArray("Alice") << true;

    QTest::newRow("unknown escape") << kSection + R"("Username"="C:\dir")" + "\n"
                                    << fallback << false;
    QTest::newRow("value outside any key") << alice + kSection << fallback << false;
    QTest::newRow("cut off inside hex data") << kSection + "\"Username\"=hex(1):41,6c,\\\n"
                                             << fallback << false;
    QTest::newRow("damage does not hide other values")
        << kSection + "garbage\n" + alice << QByteArray("Alice") << false;
}

void TestRegistryFile::handWrittenFile()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, username);
    QFETCH(bool, whole);
    TempConfigHome home;
    QVERIFY(writeFile(home.storeFile(), text));
    QCOMPARE(readSetting(Username), username);
    QCOMPARE(isWholeFile(home.storeFile()), whole);
}

void TestRegistryFile::onlyTheOwnerCanRead()
{
    TempConfigHome home;
    const mode_t oldMask = ::umask(0); // the modes must not depend on the user's umask
    const auto restoreMask = qScopeGuard([oldMask] { ::umask(oldMask); });
    const QString configHome = home.path() + "/not/yet/there";
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome));
    const QString file = configHome + "/KxVantric/registry.reg";

    saveSetting(Password, "secret");
    QCOMPARE(modeOf(file), 0600);
    QCOMPARE(modeOf(configHome + "/KxVantric"), 0700);
    QCOMPARE(modeOf(configHome), 0700);

    // A file made readable by hand is replaced by an owner-only one on the next write.
    QVERIFY(::chmod(QFile::encodeName(file).constData(), 0644) == 0);
    saveSetting(Password, "other");
    QCOMPARE(modeOf(file), 0600);
}

void TestRegistryFile::damagedFileIsKeptAside()
{
    TempConfigHome home;
    const QByteArray damaged = "REGEDIT4\n\n" + kSection +
                               "\"Username\"=\"Alice\"\n\x01garbage\x02\n\"Password\"=\"secret\"\n";
    QVERIFY(writeFile(home.storeFile(), damaged));
    QCOMPARE(readSetting(Password), "secret");

    saveSetting(AntiIdleMessage, "idle");
    QCOMPARE(readFile(home.storeFile() + ".damaged"), damaged);
    QCOMPARE(modeOf(home.storeFile() + ".damaged"), 0600);
    QVERIFY(isWholeFile(home.storeFile()));
    QCOMPARE(readSetting(Username), "Alice");
    QCOMPARE(readSetting(Password), "secret");
    QCOMPARE(readSetting(AntiIdleMessage), "idle");

    // A whole file is replaced without a copy.
    QVERIFY(QFile::remove(home.storeFile() + ".damaged"));
    saveSetting(Username, "Bob");
    QVERIFY(!QFileInfo::exists(home.storeFile() + ".damaged"));
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
    saveSetting(Username, "Alice");
    QVERIFY(writeFile(home.storeFile() + ".tmp", leftOver));

    QCOMPARE(readSetting(Username), "Alice");
    saveSetting(Password, "secret");
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
