#pragma once

#include "frame/FixedDialog.h"

#include <array>

class Ancillary;
class PictureBox;
class QLabel;
class QPushButton;
class QRadioButton;

// The import options window: overwrite the password file or merge into it. It answers through the
// ancillary window's ImportCancelled and ImportOption.
class import : public FixedDialog
{
    Q_OBJECT

public:
    import(Ancillary& owner, const QWidget* tileSource);

    PictureBox* Picture1 = nullptr;
    QLabel* Label1 = nullptr;
    std::array<QRadioButton*, 2> Option1{};
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

    void Form_Load();
    void Option1_Click(int Index);
    void cmdOK_Click();
    void cmdCancel_Click();

    // Closing the window by its title bar does nothing that OK did not confirm.
    void reject() override;

protected:
    // The arrow keys choose an option, the first one too, as in every group of options.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();

    Ancillary& m_owner;
};
