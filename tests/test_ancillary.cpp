#include "support/Fixtures.h"

#include "core/Merge.h"
#include "core/Messages.h"
#include "core/PrintLayout.h"
#include "core/RunError.h"
#include "frame/SMBASIC.h"
#include "frame/SMGLOBAL.h"
#include "ui/Ancillary.h"
#include "ui/import.h"

#include <QDir>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

const QStringList kOwn = {QStringLiteral("Bank|b4nk|me"), QStringLiteral("Mail|m41l|"),
                          QStringLiteral("Password Corvalen|Secret0| ")};
// Boxes without a title of their own, which then show the application's.
const MsgBoxCall kNotReady = Box(QStringLiteral("Diskette Drive Not Ready"), 0, {});
const MsgBoxCall kImported = Box(QStringLiteral("Import Completed"), 0, {});

struct ImportCase
{
    const char* what;
    QStringList onMedium; // its PASSWORD.DAT; none when empty
    int answer;           // to the first box
    int option;           // clicked in the options window; -1 none
    int key;              // then pressed there; 0 closes the window
    bool writesFail;
    std::vector<MsgBoxCall> said; // then the error log's when a failure left nothing else said
    QStringList stored;           // the program's file after; empty when it must stay as it was
};

// The program on its own three entries, its ancillary window open and a medium in the drive.
class AncillaryTest : public CorvalenTest, public ::testing::WithParamInterface<ImportCase>
{
protected:
    void SetUp() override
    {
        CorvalenTest::SetUp();
        start(kOwn);
        window = new Ancillary(*main); // the main window owns it
        p->mediumPath = medium.path();
        takeMessages();
    }
    static void diskFull(const QString&) { throw RunError(RunError::DiskFull); }
    // These boxes, then the error log's for a full disk: worded by the log itself, which adds its record.
    std::vector<MsgBoxCall> thenLogged(std::vector<MsgBoxCall> said, const char* procedure)
    {
        LogError(RunError(RunError::DiskFull), QLatin1String(procedure));
        for (const MsgBoxCall& box : takeMessages())
            said.push_back(box);
        return said;
    }

    QTemporaryDir medium;
    Ancillary* window = nullptr;
};

TEST_F(AncillaryTest, ExportCopiesTheFileExactlyOrSaysWhyNot)
{
    p->answers = {vbCancel};
    window->ExportList();
    window->Command1_Click(1);
    EXPECT_EQ(BytesOf(medium.filePath(QStringLiteral("password.dat"))), BytesOf(passwordFile()));
    p->beforeWrite = [this](const QString&) {
        medium.remove(); // pulled during the write
        throw RunError(RunError::DeviceIO);
    };
    window->ExportList();
    window->ExportList(); // and no longer there

    // The setting names the medium first; a copy there whose name differs in letter case keeps its name.
    QTemporaryDir named;
    const QString copy = named.filePath(QStringLiteral("PASSWORD.DAT"));
    writePlainFile({QStringLiteral("Old|0ld|")}, copy);
    setSetting(QStringLiteral("Constants/DiskDrive"), named.path());
    p->beforeWrite = nullptr;
    window->ExportList();
    EXPECT_EQ(QDir(named.path()).entryList(QDir::Files), QStringList{QStringLiteral("PASSWORD.DAT")});
    EXPECT_EQ(BytesOf(copy), BytesOf(passwordFile()));
    p->beforeWrite = diskFull;
    EXPECT_TRUE(Ends([&] { window->ExportList(); }));
    const MsgBoxCall ask = Box(Messages::ExportPrompt(), 65), done = Box(QStringLiteral("Export is Complete"), 0, {});
    const std::vector<MsgBoxCall> said = takeMessages();
    EXPECT_EQ(said, thenLogged({ask, ask, done, ask, kNotReady, ask, kNotReady, ask, done, ask}, "ExportList"));
}

// Built when the tests are, once the program's texts exist.
std::vector<ImportCase> imports()
{
    const MsgBoxCall ask = Box(Messages::ImportPrompt(), 65);
    const auto dup = [](const char* name) {
        return Box(Merge::NoticeText({Merge::Notice::Duplicate, QLatin1String(name)}), vbInformation);
    };
    const MsgBoxCall notFound = Box(QStringLiteral("Required File (PASSWORD.DAT) Not Found."), vbExclamation),
                     unexpected = Box(QStringLiteral("Unexpected error has occurred"), 0, {});
    const MsgBoxCall storeFailed = Box(Messages::StoreFailed(ErrorText(RunError(RunError::DiskFull))), vbCritical);
    const MsgBoxCall notValid = Box(QStringLiteral("The file PASSWORD.DAT on the diskette is not a valid Password "
                                                   "Corvalen Passwword File.  This Operation will be aborted."),
                                    vbExclamation);
    const QStringList mine = {QStringLiteral("New|n3w|")};
    const QStringList dupes = {QStringLiteral("Bank|new|"), QStringLiteral("bank|lower|"), QStringLiteral("Twice|1|"),
                               QStringLiteral("Twice|2|")};
    const QStringList invalid = {QStringLiteral("New|n3w|"), QStringLiteral("Bank|x|"), QStringLiteral("garbage")};
    const QStringList merged = {kOwn[0], QStringLiteral("bank|lower|"), kOwn[1], kOwn[2], QStringLiteral("Twice|1|")};
    return {
        {"CancelledAtOnce", mine, vbCancel, -1, 0, false, {ask}, {}},
        {"NoFile", {}, vbOK, -1, 0, false, {ask, notFound}, {}},
        {"OptionsCancelled", mine, vbOK, 0, Qt::Key_Escape, false, {ask}, {}},
        {"ChosenThenClosed", mine, vbOK, 1, 0, false, {ask}, {}},
        {"ClosedWithoutChoice", mine, vbOK, -1, 0, false, {ask, unexpected}, {}},
        {"OverwriteThatFails", mine, vbOK, 0, Qt::Key_Return, true, {ask}, {}},
        {"MergeThatFails", mine, vbOK, 1, Qt::Key_Return, true, {ask, storeFailed}, {}},
        {"Merge", dupes, vbOK, 1, Qt::Key_Return, false, {ask, dup("Bank"), dup("Twice"), kImported}, merged},
        {"MergeOfAnInvalidFile", invalid, vbOK, 1, Qt::Key_Return, false, {ask, dup("Bank"), notValid}, {}},
    };
}

TEST_P(AncillaryTest, SaysWhatHappenedAndChangesTheFileOnlyByACompletedImport)
{
    const ImportCase& c = GetParam();
    if (!c.onMedium.isEmpty())
        writePlainFile(c.onMedium, medium.filePath(QStringLiteral("PASSWORD.DAT")));
    p->answers = {c.answer};
    p->onModal<import>([&c](import& options) {
        options.show();
        EXPECT_FALSE(options.cmdOK->isEnabled());
        if (c.option >= 0)
            options.Option1[size_t(c.option)]->click();
        c.key ? QTest::keyClick(&options, Qt::Key(c.key)) : void(options.close());
    });
    window->ImportOption = 1; // left by an earlier import: the options window starts afresh
    p->beforeWrite = c.writesFail ? diskFull : nullptr;
    window->ImportList();
    EXPECT_EQ(p->modalShown.size(), size_t(c.answer == vbOK && !c.onMedium.isEmpty()));
    EXPECT_EQ(readPlainFile(), c.stored.isEmpty() ? kOwn : c.stored);
    EXPECT_EQ(names().size(), readPlainFile().size()) << "the list shows the file as it is";
    const std::vector<MsgBoxCall> said = takeMessages();
    EXPECT_EQ(said, c.writesFail && c.said.size() == 1 ? thenLogged(c.said, "ImportList") : c.said);
}

INSTANTIATE_TEST_SUITE_P(Flows, AncillaryTest, ::testing::ValuesIn(imports()),
                         [](const auto& info) { return std::string(info.param.what); });

TEST_F(AncillaryTest, OverwriteCopiesTheFileExactlyAndLoadsItAsAtStartUp)
{
    const QString copy = medium.filePath(QStringLiteral("PASSWORD.DAT"));
    writePlainFile({QStringLiteral("Shop|sh0p|x"), QStringLiteral("Password Corvalen|Other2| ")}, copy);
    p->onModal<import>([](import& options) { options.Option1[0]->click(), options.cmdOK->click(); });
    window->Command1_Click(2);
    EXPECT_EQ(BytesOf(passwordFile()), BytesOf(copy));
    EXPECT_EQ(p->modalShown, (std::vector<QString>{QStringLiteral("import"), QStringLiteral("frmLogin")}));
    EXPECT_EQ(takeMessages(), (std::vector<MsgBoxCall>{Box(Messages::ImportPrompt(), 65), kImported}));
}

TEST_F(AncillaryTest, PrintsTheListOnTheDefaultPrinterOrSaysWhyNot)
{
    QTemporaryDir out;
    const QString pdf = out.filePath(QStringLiteral("list.pdf"));
    QString path = pdf;
    p->printer = [&path] {
        auto printer = std::make_unique<QPrinter>();
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(path);
        return printer;
    };
    p->answers = {vbCancel};
    window->PrintList();
    window->Command1_Click(0);
    path = out.filePath(QStringLiteral("missing/list.pdf"));
    window->PrintList();
    p->printer = nullptr;
    window->PrintList();
    const QString ask = QStringLiteral("Your password list will be sent to the current default printer.  Select "
                                       "Cancel to Stop, OK to Continue.");
    const QString failed = QStringLiteral("The password list could not be printed.  The unfinished printout has "
                                          "been discarded.");
    const QString none = QStringLiteral("No printer is installed.  Please install a printer and make it the default "
                                        "printer, then try again.");
    EXPECT_EQ(takeMessages(),
              (std::vector<MsgBoxCall>{Box(ask, 65), Box(ask, 65), Box(QStringLiteral("Printing Completed"), 0, {}),
                                       Box(ask, 65), Box(failed, 48), Box(ask, 65), Box(none, 48)}));

    QProcess reader;
    reader.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(reader.waitForFinished(30000));
    const QString date = PrintLayout::GeneralDate(p->clock, QLocale::system()).simplified();
    EXPECT_EQ(QString::fromUtf8(reader.readAllStandardOutput()).simplified(),
              QStringLiteral("Date Run: %1 Password Corvalen - Password List Password Name Password User ID "
                             "Password Bank me b4nk Mail m41l Password Corvalen Secret")
                  .arg(date));
}

} // namespace
