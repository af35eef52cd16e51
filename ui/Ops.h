#pragma once

#include "frame/FixedDialog.h"

#include <array>

class ListDoor;
class PictureBox;
class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;
class QRadioButton;

// The options window: protection mode, ending after a copied password, the designer look.
class Ops : public FixedDialog
{
    Q_OBJECT

public:
    explicit Ops(ListDoor& door);

    // Controls; everything but the two buttons lies on the panel Picture1.
    PictureBox* Picture1 = nullptr;
    QLabel* Label1 = nullptr;
    // The index of an option button is the protection mode it stands for.
    std::array<QRadioButton*, 3> Option1{};
    QCheckBox* Check1 = nullptr;
    QCheckBox* Check2 = nullptr;
    QFrame* Line1 = nullptr;
    // 0 "&Close" or "&Cancel", 1 "&Apply".
    std::array<QPushButton*, 2> Command1{};

    void Form_Load();
    void TestApply();
    void Option1_Click(int Index);
    void Check1_Click();
    void Check2_Click();
    void Command1_Click(int Index);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SelectCurrentMode();
    void ApplyMode();
    void RewriteControlRecord(int at);
    void CreateControlRecord();
    void createControls();

    ListDoor& m_door;
    qint16 PendingMode = 0;
    qint16 PreviousMode = 0;
    bool PendingTerminate = false;
    bool PendingDesigner = false;
};
