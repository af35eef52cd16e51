#pragma once

#include <QDialog>
#include <array>

class Ancillary;
class Mainform;
class PictureBox;
class QLabel;
class QPushButton;
class QRadioButton;

// The import options window: overwrite the password file or merge into it. It answers through the
// ancillary window's ImportCancelled and ImportOption.
class import : public QDialog
{
    Q_OBJECT

public:
    import(Ancillary& owner, Mainform& main);

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
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void createControls();
    void Form_Paint();

    Ancillary& m_owner;
    Mainform& m_main;
};
