// The settings file: earlier runs' files, hand-edited and damaged files, permissions, refused
// writes, and safety against crashes and a second running copy.
#include "platform/registry/RegFileFormat.h"
#include "settings/ConfigurationKey.h"
#include "settings/Registry.h"
#include "settings/SettingText.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QtTest>

#include <cerrno>
#include <clocale>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

using namespace ConfigurationKey;

namespace {

const QByteArray kSection = "[HKEY_LOCAL_MACHINE\\Software\\KxVantric\\Configuration]\n";

// Points XDG_CONFIG_HOME at a fresh temporary folder, never the real home folder.
struct TempConfigHome : QTemporaryDir {
    TempConfigHome() { qputenv("XDG_CONFIG_HOME", QFile::encodeName(path())); }
    QString storeFolder() const { return path() + QStringLiteral("/KxVantric"); }
    QString storeFile() const { return storeFolder() + QStringLiteral("/registry.reg"); }
};

// The raw bytes, past the text conversion of SettingText.h.
QByteArray readSetting(const std::string& name)
{
    return QByteArray::fromStdString(
        Registry::GetSettingString(HKEY_LOCAL_MACHINE, ConfigurationKey::Path, name, "<default>"));
}

bool saveSetting(const std::string& name, const QByteArray& value)
{
    return Registry::SaveSettingString(HKEY_LOCAL_MACHINE, ConfigurationKey::Path, name,
                                       value.toStdString());
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return QDir().mkpath(QFileInfo(path).path()) && file.open(QIODevice::WriteOnly) &&
           file.write(bytes) == bytes.size();
}

struct stat statOf(const QString& path)
{
    struct stat info {};
    ::stat(QFile::encodeName(path).constData(), &info);
    return info;
}

int modeOf(const QString& path)
{
    return int(statOf(path).st_mode & 07777);
}

// Switches the C library to a Turkish locale, in which "I" and "i" are not the same letter
// to its case-insensitive comparisons. A system without one gets one made into `folder`
// (the 8-bit Turkish one, which has the same letter cases and is made in a moment).
bool useTurkishLocale(const QTemporaryDir& folder)
{
    if (std::setlocale(LC_ALL, "tr_TR.UTF-8") != nullptr)
        return true;
    const QString made = folder.path() + QStringLiteral("/tr_TR.ISO-8859-9");
    QProcess::execute(QStringLiteral("localedef"),
                      {QStringLiteral("-i"), QStringLiteral("tr_TR"), QStringLiteral("-f"),
                       QStringLiteral("ISO-8859-9"), made});
    qputenv("LOCPATH", QFile::encodeName(folder.path()));
    return std::setlocale(LC_ALL, "tr_TR.ISO-8859-9") != nullptr;
}

bool isWholeFile(const QString& path)
{
    return RegFile::parse(readFile(path).toStdString(), ConfigurationKey::Path).complete;
}

} // namespace

class TestSettingsFile : public QObject {
    Q_OBJECT

private slots:
    void filesOfThisVersion();
    void fileText_data();
    void fileText();
    void onlyTheOwnerCanRead();
    void unchangedValueIsNotRewritten();
    void refusedWrite_data();
    void refusedWrite();
    void killedWriterLeavesWholeFile();
    void twoWritersKeepEachOthersValues();
};

void TestSettingsFile::filesOfThisVersion()
{
    QString long40;
    for (int i = 0; i < 40; ++i)
        long40 += QChar('a' + i % 26);
    long40[5] = '\n';
    const QList<std::pair<const char*, QByteArray>> values = {
        {"Username", "  Alice \t"},
        {"Password", R"(say "hi" C:\dir\)"},
        {"HomeChannel", "Gr\xc3\xbc\xc3\x9f"
                        "e \xe2\x98\x95 \xff"},
        {"AntiIdleMessage", "one\r\ntwo\n\x1b[0m\x7f"},
        {"Server", ""},
        {"Nul", QByteArray("abc\0def", 7)},
        {"Long", long40.toLatin1()},
    };
    const QByteArray text =
        "REGEDIT4\n\n" + kSection + "\"Username\"=\"  Alice \t\"\n" +
        R"("Password"="say \"hi\" C:\\dir\\")" +
        "\n\"HomeChannel\"=\"Gr\xc3\xbc\xc3\x9f"
        "e \xe2\x98\x95 \xff\"\n"
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

    // ...and the same values give the same file, whatever was stored before.
    TempConfigHome fresh;
    QVERIFY(saveSetting(Username, "an earlier, longer name"));
    for (const auto& [name, value] : values)
        QVERIFY(saveSetting(name, value));
    QCOMPARE(readFile(fresh.storeFile()), text);
}
void TestSettingsFile::fileText_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("username"); // what a read yields
    QTest::addColumn<bool>("damaged");        // kept aside on the next write
    QTest::addColumn<bool>("turkish");        // read under a Turkish locale

    const QByteArray alice = "\"Username\"=\"Alice\"\n";
    const QByteArray fallback = "<default>";
    QTest::newRow("CR LF, comments, no final line break")
        << QByteArray("REGEDIT4\r\n; kept by hand\r\n\r\n"
                      "[HKEY_LOCAL_MACHINE\\Software\\KxVantric\\Configuration]\r\n"
                      "\"Username\"=\"Alice\"")
        << QByteArray("Alice") << false << false;
    QTest::newRow("other letter case")
        << QByteArray("[hkey_local_machine\\SOFTWARE\\kxvantric\\CONFIGURATION]\n"
                      "\"USERNAME\"=\"Alice\"\n")
        << QByteArray("Alice") << false << false;
    QTest::newRow("capitals under a Turkish locale")
        << QByteArray("[HKEY_LOCAL_MACHINE\\SOFTWARE\\KXVANTRIC\\CONFIGURATION]\n"
                      "\"USERNAME\"=\"Alice\"\n\"ANTIIDLEMESSAGE\"=\"x\"\n")
        << QByteArray("Alice") << false << true;
    QTest::newRow("terminating NUL") << kSection + "\"Username\"=hex(1):41,6c,69,63,65,00\n"
                                     << QByteArray("Alice") << false << false;

    QTest::newRow("REG_DWORD") << kSection + "\"Username\"=dword:0000002a\n"
                               << fallback << true << false;
    QTest::newRow("unknown escape") << kSection + R"("Username"="C:\dir")" + "\n"
                                    << fallback << true << false;
    QTest::newRow("another key") << "[HKEY_CURRENT_USER\\Software\\KxVantric\\Configuration]\n" +
                                        alice
                                 << fallback << true << false;
    QTest::newRow("cut off inside hex data") << kSection + "\"Username\"=hex(1):41,6c,\\\n"
                                             << fallback << true << false;
    QTest::newRow("damage does not hide other values")
        << kSection + "\x01garbage\xff\n" + alice << QByteArray("Alice") << true << false;
}

void TestSettingsFile::fileText()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, username);
    QFETCH(bool, damaged);
    QFETCH(bool, turkish);
    QTemporaryDir locales;
    if (turkish && !useTurkishLocale(locales))
        QSKIP("No Turkish locale, and none could be made with localedef");
    const auto restore = qScopeGuard([] {
        std::setlocale(LC_ALL, "C");
        qunsetenv("LOCPATH");
    });
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

void TestSettingsFile::onlyTheOwnerCanRead()
{
    TempConfigHome home;
    const mode_t oldMask = ::umask(0); // the modes must not depend on the user's umask
    const auto restoreMask = qScopeGuard([oldMask] { ::umask(oldMask); });
    const QString configHome = home.path() + "/not/yet/there";
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome));
    const QString file = configHome + "/KxVantric/registry.reg";
    QCOMPARE(readSetting(Password), "<default>"); // reads create nothing
    QVERIFY(!QFileInfo::exists(configHome));

    QVERIFY(saveSetting(Password, "secret"));
    QCOMPARE(modeOf(file), 0600);
    QCOMPARE(modeOf(configHome + "/KxVantric"), 0700);
    QCOMPARE(modeOf(configHome), 0700);

    // A file made readable by hand is replaced by an owner-only one on the next write.
    QVERIFY(::chmod(QFile::encodeName(file).constData(), 0644) == 0);
    QVERIFY(saveSetting(Password, "other"));
    QCOMPARE(modeOf(file), 0600);
}

void TestSettingsFile::unchangedValueIsNotRewritten()
{
    TempConfigHome home;
    const auto inode = [&home] { return statOf(home.storeFile()).st_ino; };
    QVERIFY(saveSetting(Username, "Alice"));
    const ino_t written = inode();
    QVERIFY(saveSetting(Username, "Alice"));
    QCOMPARE(inode(), written);
    QVERIFY(saveSetting(Username, "Bob")); // every rewrite is a new file renamed into place
    QVERIFY(inode() != written);
}

// What may stand in a write's way; the refusals hold for root as well.
enum class Refusal {
    Nothing,
    LeftOverTemporary,
    ConfigHomeBelowFile,
    StoreIsFolder,
    StoreIsFifo,
    TemporaryNameTaken,
    ReadOnly
};
Q_DECLARE_METATYPE(Refusal)

void TestSettingsFile::refusedWrite_data()
{
    QTest::addColumn<Refusal>("refusal");
    QTest::addColumn<int>("error");          // 0: stored
    QTest::addColumn<QString>("afterwards"); // what a read yields after the write
    QTest::newRow("nothing in the way") << Refusal::Nothing << 0 << "newer";
    QTest::newRow("half-written temporary left by a crash")
        << Refusal::LeftOverTemporary << 0 << "newer";
    QTest::newRow("config folder below a file")
        << Refusal::ConfigHomeBelowFile << int(ENOTDIR) << "<default>";
    QTest::newRow("store file is a folder") << Refusal::StoreIsFolder << int(EISDIR) << "<default>";
    // Neither read nor written, and no read waits for a writer that never comes.
    QTest::newRow("store file is a FIFO") << Refusal::StoreIsFifo << int(EINVAL) << "<default>";
    QTest::newRow("temporary name taken") << Refusal::TemporaryNameTaken << int(EEXIST) << "older";
    QTest::newRow("read-only folder") << Refusal::ReadOnly << int(EACCES) << "older";
}

void TestSettingsFile::refusedWrite()
{
    QFETCH(Refusal, refusal);
    QFETCH(int, error);
    QFETCH(QString, afterwards);
    TempConfigHome home;
    const QString file = home.storeFile();
    if (afterwards == "older")
        QVERIFY(storeSetting(Username, "older"));
    if (refusal == Refusal::ConfigHomeBelowFile) {
        QVERIFY(writeFile(home.path() + "/file", "x"));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path() + "/file/config"));
    } else if (refusal == Refusal::StoreIsFolder) {
        QVERIFY(QDir().mkpath(file));
    } else if (refusal == Refusal::StoreIsFifo) {
        QVERIFY(QDir().mkpath(home.storeFolder()));
        QCOMPARE(::mkfifo(QFile::encodeName(file).constData(), 0600), 0);
    } else if (refusal == Refusal::LeftOverTemporary) {
        QVERIFY(writeFile(file + ".tmp", "REGEDIT4\n\n" + kSection + "\"Username\"=\"Mal"));
    } else if (refusal == Refusal::TemporaryNameTaken) {
        QVERIFY(QDir().mkpath(file + ".tmp/inside"));
    } else if (refusal == Refusal::ReadOnly) {
        if (geteuid() == 0)
            QSKIP("permissions do not stop root");
        QVERIFY(QFile::setPermissions(home.storeFolder(), QFile::ReadOwner | QFile::ExeOwner));
    }
    const auto restore = qScopeGuard([&] {
        QFile::setPermissions(home.storeFolder(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    });
    // What stands at the file's name: its bytes, or the kind of thing it is.
    const auto standing = [&] {
        const mode_t type = statOf(file).st_mode & S_IFMT;
        return type == S_IFREG ? readFile(file) : QByteArray::number(type);
    };
    const QByteArray before = standing();

    QString failure = "untouched";
    QCOMPARE(storeSetting(Username, "newer", &failure), error == 0);
    QCOMPARE(failure, error == 0 ? QString("untouched") : QString::fromLocal8Bit(strerror(error)));
    QCOMPARE(readSetting(Username, "<default>"), afterwards);
    if (error != 0)
        QCOMPARE(standing(), before);
    else
        QVERIFY(!QFileInfo::exists(file + ".tmp"));
}

void TestSettingsFile::killedWriterLeavesWholeFile()
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

void TestSettingsFile::twoWritersKeepEachOthersValues()
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

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
