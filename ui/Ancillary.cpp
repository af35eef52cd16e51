#include "ui/Ancillary.h"

#include "core/FileOps.h"
#include "core/PasswordFile.h"
#include "core/RunError.h"
#include "frame/Controls.h"
#include "frame/Platform.h"
#include "frame/SHARED.h"
#include "frame/SMBASIC.h"
#include "frame/SMGLOBAL.h"
#include "frame/Twips.h"
#include "ui/Mainform.h"

#include <QFileInfo>
#include <QPushButton>

namespace {

struct ButtonSpec
{
    const char* caption;
    int left, top, width, height;
};

// By index, which is also the tab order.
constexpr ButtonSpec kButtons[] = {
    {"Print Password List", 240, 120, 1155, 675},
    {"Export Password File to Diskette", 240, 960, 1155, 675},
    {"Import Password File from Diskette", 240, 1800, 1155, 675},
    {"&Close", 1800, 480, 1155, 315},
};

// The medium's copy keeps the name the export has always given it.
const QString kDiskName = QStringLiteral("password.dat");

} // namespace

Ancillary::Ancillary(Mainform& main) : QDialog(&main), m_main(main)
{
    createControls();
    Form_Load();
}

void Ancillary::createControls()
{
    setWindowTitle(QStringLiteral("Ancillary Functions"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(Twips(3195), Twips(2715));
    for (size_t i = 0; i < Command1.size(); ++i) {
        const ButtonSpec& spec = kButtons[i];
        auto* button = new WrapButton(QString::fromLatin1(spec.caption), this);
        button->setGeometry(TwipsRect(spec.left, spec.top, spec.width, spec.height));
        button->setAutoDefault(false);
        const int index = int(i);
        connect(button, &QPushButton::clicked, this, [this, index] { Command1_Click(index); });
        Command1[i] = button;
    }
    for (size_t i = 1; i < Command1.size(); ++i)
        QWidget::setTabOrder(Command1[i - 1], Command1[i]);
}

void Ancillary::Form_Load()
{
    SetPointer(*this);
    CentreOnScreen(*this);
}

void Ancillary::paintEvent(QPaintEvent*)
{
    Form_Paint();
}

void Ancillary::Form_Paint()
{
    if (m_main.Back)
        TileBackground(*this, *m_main.Back);
}

void Ancillary::Command1_Click(int Index)
{
    switch (Index) {
    case 0:
        DisableButtons();
        PrintList();
        EnableButtons();
        break;
    case 1:
        DisableButtons();
        ExportList();
        EnableButtons();
        break;
    case 2:
        DisableButtons();
        ImportList();
        EnableButtons();
        break;
    case 3:
        done(QDialog::Accepted);
        break;
    default:
        break;
    }
}

void Ancillary::DisableButtons()
{
    for (QPushButton* button : Command1)
        button->setEnabled(false);
}

void Ancillary::EnableButtons()
{
    for (QPushButton* button : Command1)
        button->setEnabled(true);
}

QString Ancillary::mediumFolder()
{
    const QString folder = platform().removableMedium();
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        throw RunError(RunError::DiskNotReady);
    return folder;
}

bool Ancillary::mediumGone(const QString& folder)
{
    return !folder.isEmpty() && !QFileInfo(folder).isDir();
}

void Ancillary::ExportList()
{
    const QString procName = QStringLiteral("ExportList");
    const QString prompt =
        QStringLiteral("The Password File (PASSWORD.DAT) will be copied to your diskette drive.") + kCrLf + kCrLf +
        QStringLiteral("Please have an empty diskette in Drive A:  Select Cancel to Stop, OK to Continue.");
    if (platform().MsgBox(prompt, vbOKCancel + vbInformation, kAppTitle) == vbCancel)
        return;

    QString medium;
    try {
        medium = mediumFolder();
        const QString target = FileOps::ResolveName(medium, kDiskName);
        // Written to a temporary file on the medium, flushed to the device and then renamed into place:
        // a full or pulled medium never holds a truncated copy under the real name.
        platform().FileCopy(PasswordFile::Path(platform().programDir()), target);
        platform().DoEvents();
        platform().SetAttr(target, FileOps::kAttrNormal);
    } catch (const RunError& error) {
        if (error.number() == RunError::DiskNotReady || mediumGone(medium)) {
            platform().MsgBox(QStringLiteral("Diskette Drive Not Ready"), vbOKOnly);
            return;
        }
        LogError(error, procName);
        platform().End();
    }
    platform().MsgBox(QStringLiteral("Export is Complete"), vbOKOnly);
}
