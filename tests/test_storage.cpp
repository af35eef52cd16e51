// The password file on disk: its format, loading, storing, conversion, and the sorted list behind it.
#include "support/MainWindowTest.h"

#include "core/CryptString.h"
#include "core/EntryList.h"
#include "core/FileOps.h"
#include "core/ListItem.h"
#include "core/ListLoad.h"
#include "core/PasswordFile.h"
#include "frame/ListBox.h"
#include "frame/SMGLOBAL.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <random>

namespace {

class StorageTest : public MainWindowTest
{
protected:
    QByteArray bytes(const QString& name = QStringLiteral("Password.dat")) const
    {
        QFile file(p->programFile(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void writeBytes(const QByteArray& content, const QString& name = QStringLiteral("Password.dat"))
    {
        QFile file(p->programFile(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    QStringList items() const
    {
        const std::vector<QString> all = main->List1->entries().items();
        return QStringList(all.begin(), all.end());
    }
};

TEST_F(StorageTest, EntriesSurviveStoreAndLoadInEveryScriptAndWithBarsInUserIds)
{
    const QStringList lines = {QStringLiteral("Café Zürich|naïve|böb"), QStringLiteral("Пароль|секрет|"),
                               QStringLiteral("Work|w0rk|dept|7"), QStringLiteral("Password Corvalen|Key2| ")};
    p->onModal<QDialog>([](QDialog&) {}); // mode 2 asks at start
    start(lines);
    EXPECT_EQ(gProgramPassword, QStringLiteral("Key"));
    EXPECT_EQ(gProtectionMode, 2);
    ASSERT_TRUE(main->StorePasswords());
    QByteArray expected;
    for (const QString& line : {lines[0], lines[3], lines[2], lines[1]})
        expected += CryptLine(line.toUtf8()) + "\r\n";
    EXPECT_EQ(bytes(), expected) << "one enciphered UTF-8 line per entry, in list order, CR LF after each";
    main->LoadPasswords(QStringLiteral("Normal"));
    EXPECT_EQ(items()[3], ListItem::Make(QStringLiteral("Пароль"), QStringLiteral("секрет"), QString()));
    EXPECT_EQ(items()[2], ListItem::Make(QStringLiteral("Work"), QStringLiteral("w0rk"), QStringLiteral("dept|7")));
    const QFileDevice::Permissions mode = QFile::permissions(passwordFile());
    EXPECT_TRUE(mode.testFlags(QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    EXPECT_EQ(int(mode & 0x0077), 0) << "owner only";
}

TEST_F(StorageTest, OldEightBitLinesAndAFileNamedInCapitalsAreRead)
{
    writeBytes(CryptLine("Caf\xe9|pw|me") + "\r\n" + CryptLine("Zoo|z|"), QStringLiteral("PASSWORD.DAT"));
    start({});
    QFile::remove(passwordFile());
    main->LoadPasswords(QStringLiteral("Normal"));
    EXPECT_EQ(names(), (QStringList{QStringLiteral("Café"), QStringLiteral("Zoo")}));
    ASSERT_TRUE(main->StorePasswords());
    EXPECT_EQ(QDir(p->programDirPath).entryList({QStringLiteral("*.dat"), QStringLiteral("*.DAT")}, QDir::Files),
              QStringList{QStringLiteral("PASSWORD.DAT")})
        << "the store rewrites the file under its own name";
}

TEST_F(StorageTest, AFailedStoreSaysSoAndKeepsTheOldFile)
{
    start({QStringLiteral("Bank|b4nk|me")});
    const QByteArray before = bytes();
    const QStringList filesBefore = QDir(p->programDirPath).entryList(QDir::Files | QDir::Hidden);
    main->List1->AddItem(ListItem::Make(QStringLiteral("Shop"), QStringLiteral("s"), QString()));
    FileOps::SetWriteFailureAfter(3);
    EXPECT_FALSE(main->StorePasswords());
    EXPECT_EQ(bytes(), before);
    EXPECT_EQ(p->messages.back().flags, vbCritical);
    EXPECT_EQ(QDir(p->programDirPath).entryList(QDir::Files | QDir::Hidden), filesBefore)
        << "no temporary file left behind";
}

TEST_F(StorageTest, AnItemThatCannotBeSplitIsReportedAndTheRestStored)
{
    start({QStringLiteral("Bank|b4nk|me"), QStringLiteral("Mail|m|")});
    main->List1->AddItem(QStringLiteral("Broken"));
    main->List1->AddItem(QStringLiteral("Half\t\t\t\tno tab after"));
    p->messages.clear();
    ASSERT_TRUE(main->StorePasswords());
    // The name is the one last taken from an item: "Bank" for the item without any tab.
    EXPECT_EQ(prompts(), (QStringList{QStringLiteral("An error occurred while trying to store the entry for: Bank.  "
                                                     "This entry will not be stored in the Password Database."),
                                      QStringLiteral("An error occurred while trying to store the entry for: Half.  "
                                                     "This entry will not be stored in the Password Database.")}));
    EXPECT_EQ(readPlainFile(), (QStringList{QStringLiteral("Bank|b4nk|me"), QStringLiteral("Mail|m|")}));
}

TEST_F(StorageTest, AMissingFileIsOfferedAndCancelEnds)
{
    QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Brenhold"),
              QStringLiteral("Password Corvalen"))
        .setValue(QStringLiteral("CurrentVersion/MajorVersion"), 1);
    main = std::make_unique<Mainform>();
    p->answers = {vbCancel};
    EXPECT_TRUE(Ends([&] { main->LoadPasswords(QStringLiteral("Load")); }));
    EXPECT_FALSE(QFile::exists(passwordFile()));

    main->LoadPasswords(QStringLiteral("Load"));
    EXPECT_EQ(p->messages.back().prompt,
              QStringLiteral("No Stored Password File Can Be Found.  Select Cancel to Terminate the program.  "
                             "Select Yes to create a new, empty Password file."));
    EXPECT_EQ(p->messages.back().flags, 17);
    EXPECT_TRUE(QFile::exists(passwordFile()));
    EXPECT_TRUE(FileOps::IsHidden(passwordFile()));
    EXPECT_TRUE(gLoggedIn);
    EXPECT_EQ(gProgramPassword, QStringLiteral("not found"));
}

TEST_F(StorageTest, ALineWithoutAnyBarOrBinaryNoiseEndsTheProgramAndLeavesTheFile)
{
    // A line with no "|" makes the file count as the earlier layout, and its conversion refuses the line.
    EXPECT_TRUE(Ends([&] {
        start({QStringLiteral("Alpha|a|"), QStringLiteral("garbage"), QStringLiteral("Zeta|z|")});
    }));
    EXPECT_EQ(p->messages.back().prompt,
              QStringLiteral("Conversion Routine: Password File is corrupted.  Please use your Backup Copy."));
    EXPECT_EQ(readPlainFile().size(), 3);

    std::mt19937 random(7);
    QByteArray noise(4096, '\0');
    for (char& c : noise)
        c = char(random());
    writeBytes(CryptLine("Alpha|a|") + "\r\n" + noise);
    const QByteArray before = bytes();
    p->messages.clear();
    EXPECT_TRUE(Ends([&] { main->LoadPasswords(QStringLiteral("Normal")); }));
    EXPECT_EQ(p->messages.size(), 2u) << "the upgrade message, then the refusal";
    EXPECT_EQ(bytes(), before);
}

TEST_F(StorageTest, ConversionAddsABlankUserIdAndKeepsIntactLines)
{
    p->onModal<QDialog>([](QDialog&) {});
    start({QStringLiteral("Shop|s|h0p"), QStringLiteral("Bank|b4nk"), QStringLiteral("Password Corvalen|old1")});
    ASSERT_GE(p->messages.size(), 1u);
    EXPECT_EQ(p->messages[0].title, QStringLiteral("Upgrade Detected..."));
    EXPECT_EQ(p->messages[0].flags, 64);
    EXPECT_EQ(p->messages[0].prompt.split(QStringLiteral("\r\n\r\n")).size(), 5);
    EXPECT_TRUE(p->messages[0].prompt.endsWith(QStringLiteral("Brenhold Systems Programming Staff")));
    EXPECT_EQ(readPlainFile(), (QStringList{QStringLiteral("Bank|b4nk| "), QStringLiteral("Password Corvalen|old1| "),
                                            QStringLiteral("Shop|s|h0p")}));
    EXPECT_EQ(gProgramPassword, QStringLiteral("old"));
    EXPECT_EQ(gProtectionMode, 1);
}

TEST_F(StorageTest, ListOrderIgnoresCaseAndBreaksTiesByExactText)
{
    const QStringList words = {QStringLiteral("bank"), QStringLiteral("Bank"), QStringLiteral("apple"),
                               QStringLiteral("Zoo"),  QStringLiteral("BANK"), QStringLiteral("émile")};
    QStringList shuffled = words;
    std::mt19937 random(3);
    for (int round = 0; round < 5; ++round) {
        std::shuffle(shuffled.begin(), shuffled.end(), random);
        EntryList list;
        for (const QString& w : shuffled)
            list.add(w + QStringLiteral("\t\t\t\tp\t"));
        QStringList order;
        for (const QString& item : list.items())
            order << ListItem::NameOf(item);
        EXPECT_EQ(order, (QStringList{QStringLiteral("apple"), QStringLiteral("BANK"), QStringLiteral("Bank"),
                                      QStringLiteral("bank"), QStringLiteral("Zoo"), QStringLiteral("émile")}));
        EXPECT_EQ(list.findPrefix(QStringLiteral("ba")), 1);
        EXPECT_EQ(list.findPrefix(QStringLiteral("q")), -1);
    }
}

TEST_F(StorageTest, FortyThousandEntriesStoreAndLoad)
{
    start({});
    std::vector<QString> many;
    for (int i = 0; i < 40000; ++i)
        many.push_back(ListItem::Make(QStringLiteral("Entry %1").arg(i), QString::number(i), QString()));
    main->List1->SetItems(many);
    ASSERT_TRUE(main->StorePasswords());
    main->LoadPasswords(QStringLiteral("Normal"));
    EXPECT_EQ(main->List1->ListCount(), 40000);
    EXPECT_EQ(main->List1->List(39999),
              ListItem::Make(QStringLiteral("Entry 9999"), QStringLiteral("9999"), QString()));
}

TEST(ListLoadTest, TwoThreadedReadGivesWhatLineByLineReadingGives)
{
    // Large enough to be read in two halves; the interesting lines sit in one half or the other.
    std::vector<QString> lines;
    for (int i = 0; i < 30000; ++i)
        lines.push_back(QStringLiteral("entry %1 Zz|pw%1|user %1").arg(29999 - i));
    const std::vector<std::vector<QString>> tails = {
        {QStringLiteral("Password Corvalen|late2| "), QStringLiteral("Ünïcode|päss|")},
        {QStringLiteral("one bar|only"), QStringLiteral("Password Corvalen|after1| ")},
        {QStringLiteral("no bar at all"), QStringLiteral("After|a|")},
    };
    for (int at : {5000, 20000})
        for (const std::vector<QString>& tail : tails) {
            SCOPED_TRACE(tail[0].toStdString() + " at " + std::to_string(at));
            std::vector<QString> all = lines;
            all.insert(all.begin() + at, tail.begin(), tail.end());
            QByteArray content;
            for (const QString& line : all)
                PasswordFile::AppendStored(content, line);
            ASSERT_GT(content.size(), 256 * 1024);

            const ListLoad::Result fast = ListLoad::FromContent(content);
            const PasswordFile::Scan scan = PasswordFile::ScanLines(all);
            EXPECT_EQ(fast.scan.earlierLayout, scan.earlierLayout);
            EXPECT_EQ(fast.scan.controlFound, scan.controlFound);
            EXPECT_EQ(fast.scan.programPassword, scan.programPassword);
            EXPECT_EQ(fast.scan.mode, scan.mode);
            PasswordFile::Items items = PasswordFile::ItemsFromLines(all);
            EntryList expected;
            expected.assign(std::move(items.items));
            EXPECT_EQ(fast.corrupted, items.corrupted);
            ASSERT_EQ(fast.rows.size(), size_t(expected.count()));
            for (size_t i = 0; i < fast.rows.size(); ++i)
                ASSERT_EQ(fast.rows[i].text, expected.item(int(i))) << i;
        }
}

} // namespace
