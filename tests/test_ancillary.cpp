#include "support/Fixtures.h"

#include "core/FileOps.h"
#include "core/MediumChoice.h"
#include "core/Merge.h"
#include "core/PrintLayout.h"
#include "ui/Ancillary.h"
#include "ui/import.h"

const QStringList kOwn = {u"Bank|b4nk|me"_s, u"Mail|m41l|"_s, u"Password Corvalen|Secret0| "_s};

// The program on its own three entries, its ancillary window open and a medium in the drive.
class AncillaryTest : public CorvalenTest
{
protected:
    void SetUp() override
    {
        CorvalenTest::SetUp();
        start(kOwn);
        window = new Ancillary(*main); // the main window owns it
        p->mediumPath = medium.path();
    }
    // These boxes, then the error log's for the error: worded by the log itself, which adds its record.
    Boxes thenLogged(const Boxes& said, const char* procedure, const RunError& error = RunError(RunError::DiskFull))
    {
        p->messages = said;
        LogError(error, QLatin1String(procedure));
        return takeMessages();
    }

    QTemporaryDir medium;
    Ancillary* window = nullptr;
};

TEST_F(AncillaryTest, ExportCopiesTheFileExactlyOrSaysWhyNot)
{
    const MsgBoxCall ask = Box(Messages::ExportPrompt(), 65);
    const MsgBoxCall done = Plain(u"Export is Complete"_s);
    const MsgBoxCall choose = Box(MediumChoice::ChooseFolderQuestion(), vbOKCancel + vbQuestion);
    const Boxes said =
        thenLogged({ask, ask, Plain(u"Diskette Drive Not Ready"_s), choose, done, ask, done, ask}, "ExportList");
    p->answers = {vbCancel};
    window->ExportList(); // cancelled
    // The medium pulled during the write; the folder chosen then is kept, and a copy there whose name differs in
    // letter case keeps its name.
    p->files.whenFailing = [this] {
        medium.remove();
        p->files.failAfter = -1;
    };
    p->files.failAfterBytes(0);
    QTemporaryDir named;
    writePlainFile({u"Old|0ld|"_s}, named.filePath(u"PASSWORD.DAT"_s));
    p->folderChosen = named.path();
    window->Command1_Click(1);
    EXPECT_EQ(QDir(named.path()).entryList(QDir::Files), QStringList{u"PASSWORD.DAT"_s});
    EXPECT_EQ(setting(u"Constants/DiskDrive"_s), named.path());
    // With several media mounted and no folder chosen, the user picks one.
    QTemporaryDir second;
    setSetting(u"Constants/DiskDrive"_s, QString());
    p->mediumPath = named.path();
    p->otherMedia = {second.path()};
    p->itemChosen = 1;
    window->ExportList();
    EXPECT_EQ(BytesOf(second.filePath(u"password.dat"_s)), BytesOf(passwordFile()));
    p->files.whenFailing = nullptr;
    p->files.failAfterBytes(0);
    EXPECT_TRUE(Ends([&] { window->ExportList(); }));
    EXPECT_EQ(takeMessages(), said);
}

// Every way an import can end, each from a file of its own on the medium; only a completed one changes the file.
TEST_F(AncillaryTest, ImportSaysWhatHappenedAndChangesTheFileOnlyWhenItCompletes)
{
    const QString onMedium = medium.filePath(u"PASSWORD.DAT"_s);
    const MsgBoxCall ask = Box(Messages::ImportPrompt(), 65);
    const MsgBoxCall done = Plain(u"Import Completed"_s);
    const MsgBoxCall bank = Box(Merge::NoticeText({Merge::Notice::Duplicate, u"Bank"_s}), vbInformation);
    const RunError backupFull = FileOps::DescribedError(RunError::DiskFull, u"the backup copy "_s + passwordFile() +
                                                                                u".bak cannot be written"_s);
    const QStringList mine = {u"Bank|new|"_s, u"Shop|sh0p|"_s};
    const QStringList other = {u"Shop|sh0p|x"_s, u"Password Corvalen|Other2| "_s};
    // The medium's file (none when empty), the answer to the first box, the option chosen (-1 none) and the key
    // pressed then (0 closes the window), whether writes fail; what was said and the file after (empty: as it was).
    // A window closed without a choice must not take the option the row before left chosen.
    const std::tuple<const char*, QStringList, int, int, int, bool, Boxes, QStringList> cases[] = {
        {"NoFile", {}, vbOK, -1, 0, false, {ask, Box(u"Required File (PASSWORD.DAT) Not Found."_s, 48)}, {}},
        {"Cancelled", mine, vbCancel, -1, 0, false, {ask}, {}},
        {"OverwriteThatFails", other, vbOK, 0, Qt::Key_Return, true, thenLogged({ask}, "ImportList", backupFull), {}},
        {"ClosedWithoutChoice", mine, vbOK, -1, 0, false, {ask, Plain(u"Unexpected error has occurred"_s)}, {}},
        {"Merge", mine, vbOK, 1, Qt::Key_Return, false, {ask, bank, done}, kOwn + QStringList{u"Shop|sh0p|"_s}},
        {"Overwrite", other, vbOK, 0, Qt::Key_Return, false, {ask, done}, other},
    };
    for (const auto& [what, lines, answer, option, key, writesFail, said, stored] : cases) {
        SCOPED_TRACE(what);
        QFile::remove(onMedium);
        if (!lines.isEmpty())
            writePlainFile(lines, onMedium);
        p->answers = {answer};
        p->modalActions.clear();
        p->modalShown.clear();
        p->onModal<import>([option = option, key = key](import& options) {
            options.show();
            EXPECT_FALSE(options.cmdOK->isEnabled());
            // Chosen with the arrow keys, from the other option.
            if (option >= 0)
                QTest::keyClick(options.Option1[size_t(1 - option)], option == 0 ? Qt::Key_Left : Qt::Key_Right);
            if (key)
                QTest::keyClick(&options, Qt::Key(key));
            else
                options.close();
        });
        p->files.failAfterBytes(writesFail ? 0 : -1);
        window->Command1_Click(2);
        EXPECT_EQ(readPlainFile(), stored.isEmpty() ? kOwn : stored);
        EXPECT_EQ(names().size(), readPlainFile().size()) << "the list shows the file as it is";
        EXPECT_EQ(takeMessages(), said);
    }
    // The overwrite loads the file as at start-up, which asks for its password.
    EXPECT_EQ(p->modalShown, (std::vector<QString>{u"import"_s, u"frmLogin"_s}));
}

TEST_F(AncillaryTest, PrintsTheListOnTheDefaultPrinterOrSaysWhyNot)
{
    QString path = medium.filePath(u"list.pdf"_s);
    p->printer = [&path] {
        auto printer = std::make_unique<QPrinter>();
        printer->setOutputFileName(path); // a PDF, by its name
        return printer;
    };
    p->answers = {vbCancel};
    window->PrintList(); // cancelled
    window->Command1_Click(0);
    ASSERT_EQ(QProcess::execute(u"pdftotext"_s, {u"-layout"_s, path}), 0);
    path = medium.filePath(u"missing/list.pdf"_s);
    window->PrintList();
    p->printer = nullptr;
    window->PrintList();
    const QString ask = u"Your password list will be sent to the current default printer.  Select Cancel to Stop, "
                        u"OK to Continue."_s;
    const QString failed = u"The password list could not be printed.  The unfinished printout has been discarded."_s;
    const QString none = u"No printer is installed.  Please install a printer and make it the default printer, then "
                         u"try again."_s;
    EXPECT_EQ(takeMessages(), (Boxes{Box(ask, 65), Box(ask, 65), Plain(u"Printing Completed"_s), Box(ask, 65),
                                     Box(failed, 48), Box(ask, 65), Box(none, 48)}));

    const QString date = PrintLayout::GeneralDate(p->clock, QLocale::system()).simplified();
    EXPECT_EQ(QString::fromUtf8(BytesOf(medium.filePath(u"list.txt"_s))).simplified(),
              u"Date Run: %1 Password Corvalen - Password List Password Name Password User ID Password Bank me b4nk "
              u"Mail m41l Password Corvalen Secret"_s.arg(date));
}
