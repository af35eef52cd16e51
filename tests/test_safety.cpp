// Nothing the user stored may be lost: what the reader takes in, which files are read, lines of any length, the
// backup copy, leftovers, links, what an import may replace and errors the log cannot take.
#include "support/Fixtures.h"
#include "support/Texts.h"

#include "core/FileOps.h"
#include "core/Lines.h"
#include "core/Merge.h"
#include "core/PasswordStore.h"
#include "core/Strings.h"
#include "ui/Ancillary.h"
#include "ui/import.h"

#include <sys/mman.h>
#include <sys/stat.h>

namespace {

using namespace Qt::StringLiterals;

TEST(Safety, WhatTheReaderTakesInIsStoredBackUnchanged)
{
    QRandomGenerator random(1796);
    for (int round = 0; round < 5000; ++round) {
        // Bytes of every kind, bars and tabs often among them, enciphered as the writer does up to a random line.
        QByteArray file(random.bounded(200), Qt::Uninitialized);
        for (char& c : file)
            c = random.bounded(3) ? "a||\t \xc3\xa9\xff\r\n\n"[random.bounded(11)] : char(random.bounded(256));
        for (qsizetype start = 0; random.bounded(4) && start <= file.size();) {
            const qsizetype end = Lines::LineEnd(file.constData(), start, file.size());
            CryptString(file.constData() + start, end - start, file.data() + start);
            start = end + 1;
        }
        const bool valid = PasswordFile::IsPasswordFile(file);
        const Texts lines = PasswordFile::PlainLines(file);
        // Converted, loaded and stored again, listed or not, every line comes back as it was.
        Texts converted = PasswordFile::ConvertLines(lines).plainLines;
        const PasswordFile::Loaded loaded = PasswordFile::Load(PasswordFile::Content(converted));
        Texts items;
        for (const EntryList::Row& row : loaded.rows)
            items.push_back(row.text);
        Texts storedBack = PasswordFile::PlainLines(PasswordFile::StoreItems(items, loaded.unlisted).content);
        std::sort(storedBack.begin(), storedBack.end());
        std::sort(converted.begin(), converted.end());
        // The reader, on one thread or two, and the merge agree on what is valid; the reader's lines written back are
        // read as they were; converted once, a file is never of the earlier layout again.
        ASSERT_EQ(std::tuple(PasswordFile::PlainLines(PasswordFile::Content(lines)), storedBack,
                             loaded.scan.earlierLayout, Merge::MergeLines({}, lines).invalid,
                             PasswordFile::Load(file, random.bounded(2) ? 1 : PasswordFile::kSplitAbove).corrupted),
                  std::tuple(lines, converted, false, !valid, !valid))
            << file.toHex().constData();
    }
}

TEST(Safety, FilesThatAreNoOrdinaryFilesOrTooLargeGetAnErrorThatSaysSo)
{
    QTemporaryDir dir;
    const QString pipe = dir.filePath(u"pipe"_s);
    const QString large = dir.filePath(u"large"_s);
    ASSERT_TRUE(mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0 && QFile(large).open(QIODevice::WriteOnly) &&
                QFile::resize(large, FileOps::kMaxFileSize + 1));
    EXPECT_EQ(errorText([&] { FileOps::ReadAll(pipe); }),
              u"Error has Occurred: Path/File access error (%1 is not an ordinary file)-75"_s.arg(pipe));
    EXPECT_EQ(errorText([&] { FileOps::ReadAll(large); }),
              u"Error has Occurred: Out of memory (%1 is larger than the 256 MB the program can read)-7"_s.arg(large));
}

TEST(Safety, TheCipherTakesLinesOfAnyLengthWithTheOutputItAlwaysHad)
{
    // A line of zeros past 2 GiB, enciphered into one megabyte that stands for every megabyte of it but the last.
    const qsizetype length = (qsizetype(1) << 31) + 64;
    const qsizetype slice = qsizetype(1) << 20;
    const int memory = memfd_create("line", 0);
    auto* const out = static_cast<char*>(
        mmap(nullptr, 2 * length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0));
    ASSERT_TRUE(ftruncate(memory, slice) == 0 && out != MAP_FAILED);
    for (qsizetype at = 0; at < length / slice * slice; at += slice)
        ASSERT_NE(mmap(out + at, slice, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_FIXED, memory, 0), MAP_FAILED);
    CryptString(out + length, length, out); // from the zeros after it, which nothing writes
    EXPECT_EQ(QByteArray(out + length - 16, 16).toHex(), "21cb62ed84f76e12de4eeebc4af1a338");
    munmap(out, 2 * length);
    ::close(memory);
}

using SafetyTest = CorvalenTest;

TEST_F(SafetyTest, TheFirstChangeOfARunAndAConversionKeepABackupAndChangeNothingWhenItCannotBeWritten)
{
    const QString backup = p->programFile(u"Password.dat.bak"_s);
    // What interrupted writes of the file, its backup and the hidden list left, and look-alikes of the user's.
    const QStringList leftovers = {u".Password.dat.corvalen-Ab12Cd"_s, u".password.dat.bak.corvalen-x1Y2z3"_s,
                                   u"..hidden.corvalen-QwErTy"_s};
    const QStringList users = {u"Password.dat.backUP"_s, u"Password.dat.afkctY"_s, u".Password.dat.corvalen-toolong"_s};
    for (const QString& name : leftovers + users)
        WriteBytes(p->programFile(name), "x");
    // A tab in a name or password cannot be listed: the user is told, and the entry stays in the file as it is.
    const QString tabbed = u"my\tbank|pass\tword|me"_s;
    start({u"Bank|b4nk|me"_s, tabbed});
    EXPECT_EQ(takeMessages(), (Boxes{Box(Messages::EntryNotListed(u"my\tbank"_s), vbExclamation)}));
    main->List1->RemoveItem(0);
    main->StorePasswords();
    main->StorePasswords();
    EXPECT_EQ(readPlainFile(), QStringList{tabbed});
    // A file the program could not read back is not written.
    passwordStore().setMaxFileSize(10);
    main->List1->AddItem(u"Shop\t\t\t\tsh0p\t"_s);
    EXPECT_FALSE(main->StorePasswords());
    passwordStore().setMaxFileSize(FileOps::kMaxFileSize);
    EXPECT_EQ(readPlainFile(), QStringList{tabbed});
    const RunError tooLarge = FileOps::DescribedError(
        RunError::OutOfMemory, u"the Password File would be larger than the 256 MB the program can read"_s);
    EXPECT_EQ(takeMessages(), (Boxes{Box(Messages::StoreFailed(ErrorText(tooLarge)), vbCritical)}));
    QStringList left = QDir(p->programDirPath).entryList(QDir::Files | QDir::Hidden);
    left.sort();
    EXPECT_EQ(
        std::tuple(BytesOf(backup), FileOps::IsHidden(backup), int(QFile::permissions(backup) & 0x0777), left),
        std::tuple(PasswordFile::Content({u"Bank|b4nk|me"_s, tabbed}), true, 0x0600,
                   QStringList{u".Password.dat.corvalen-toolong"_s, u".hidden"_s, u"Corvalen.HLP"_s, u"Password.dat"_s,
                               u"Password.dat.afkctY"_s, u"Password.dat.backUP"_s, u"Password.dat.bak"_s}));
    start({u"Old|pw"_s});
    EXPECT_EQ(BytesOf(backup), PasswordFile::Content({u"Old|pw"_s}));

    // A copy that cannot be written stops the conversion, which says so even when the log cannot be written.
    ASSERT_TRUE(QFile::remove(backup) && QDir().mkdir(backup) &&
                QFile::link(u"/dev/full"_s, p->programFile(u"errors.log"_s)));
    EXPECT_TRUE(Ends([this] { start({u"Old|pw"_s}); }));
    EXPECT_EQ(readPlainFile(), QStringList{u"Old|pw"_s});
    const MsgBoxCall upgrade = Box(Messages::UpgradeMessage(), vbInformation, u"Upgrade Detected..."_s);
    const QString failed =
        u"Error has Occurred: Path/File access error (the backup copy "_s + backup + u" cannot be written)-75"_s;
    const QString unlogged = LoadResString(139) + gDoubleBreak + LoadResString(140) + gDoubleBreak + LoadResString(141);
    EXPECT_EQ(takeMessages(), (Boxes{upgrade, upgrade, Box(failed, vbCritical, u"Error In Procedure:LoadPasswords"_s),
                                     Box(unlogged, vbCritical)}));
}

TEST_F(SafetyTest, TheMediumMayHoldAnythingALinkThereIsReplacedAndTheOwnFileStaysALink)
{
    QTemporaryDir elsewhere;
    QTemporaryDir medium;
    const QString own = elsewhere.filePath(u"own.dat"_s);
    const QString victim = elsewhere.filePath(u"victim"_s);
    const QString onMedium = medium.filePath(u"password.dat"_s);
    const QStringList four = {u"A|a|"_s, u"B|b|"_s, u"C|c|"_s, u"D|d|"_s};
    writePlainFile(four, own);
    WriteBytes(victim, "precious");
    WriteBytes(elsewhere.filePath(u".own.dat.corvalen-AbCdEf"_s), "x");
    WriteBytes(medium.filePath(u".password.dat.corvalen-xGjKMV"_s), "x");
    // An older copy under the other spelling: the export and the import must both take the same one.
    writePlainFile({u"Older|o|"_s}, medium.filePath(u"Password.dat"_s));
    ASSERT_TRUE(QFile::link(own, passwordFile()));
    ASSERT_TRUE(QFile::link(victim, onMedium));
    ASSERT_TRUE(QFile::link(victim, medium.filePath(u".hidden"_s)));
    launch();
    p->mediumPath = medium.path();
    const auto importWith = [&](int option, const QStringList& plainLines) { // 0 overwrite, 1 merge
        writePlainFile(plainLines, onMedium);
        p->onModal<import>([option](import& w) {
            w.Option1[size_t(option)]->click();
            w.cmdOK->click();
        });
        Ancillary(*main).ImportList();
    };
    // Nothing on the medium is read or written through a link, and the leftovers of interrupted writes go, the
    // ones beside the link's target too.
    Ancillary(*main).ExportList();
    EXPECT_EQ(std::tuple(BytesOf(victim), BytesOf(onMedium), QDir(medium.path()).entryList(QDir::Files | QDir::Hidden),
                         QDir(elsewhere.path()).entryList(QDir::Files | QDir::Hidden)),
              std::tuple(QByteArray("precious"), BytesOf(own),
                         QStringList{u".hidden"_s, u"password.dat"_s, u"Password.dat"_s},
                         QStringList{u"own.dat"_s, u"victim"_s}));
    // A program password on the medium joins only when the user agrees.
    p->answers = {vbOK, vbCancel}; // the import, the program password
    importWith(1, {u"Password Corvalen|Theirs1| "_s, u"Fine|f|u\tid"_s});
    // An overwrite with a file of the earlier layout keeps the user's entries as the backup copy, whatever the
    // conversion that follows writes.
    importWith(0, {u"Shop|sh0p"_s});
    EXPECT_EQ(std::tuple(QFileInfo(passwordFile()).isSymLink(), readPlainFile(own + u".bak"_s), readPlainFile(own)),
              std::tuple(true, four + QStringList{u"Fine|f|u\tid"_s}, QStringList{u"Shop|sh0p| "_s}));
    const MsgBoxCall ask = Box(Messages::ImportPrompt(), 65);
    const MsgBoxCall done = Box(u"Import Completed"_s, 0, {});
    EXPECT_EQ(takeMessages(), (Boxes{Box(Messages::ExportPrompt(), 65), Box(u"Export is Complete"_s, 0, {}), ask,
                                     Box(Merge::ControlRecordQuestion(), vbOKCancel + vbExclamation), done, ask,
                                     Box(Messages::UpgradeMessage(), vbInformation, u"Upgrade Detected..."_s), done}));

    // A link whose target has gone is never replaced: the start-up names the target, and Cancel ends the program.
    ASSERT_TRUE(QFile::remove(own));
    setSetting(u"CurrentVersion/MajorVersion"_s, u"True"_s); // a first run, whose check must pass the link by
    p->answers = {vbCancel};
    EXPECT_TRUE(Ends([this] { launch(); }));
    EXPECT_TRUE(QFileInfo(passwordFile()).isSymLink() && !QFile::exists(own));
    EXPECT_EQ(takeMessages(), (Boxes{Box(Messages::LinkTargetMissing(own), vbOKCancel + vbCritical)}));
}

} // namespace
