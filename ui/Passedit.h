#pragma once

#include <QDialog>
#include <array>

class Mainform;
class QLabel;
class QLineEdit;
class QPushButton;

// The password editor: adds or replaces one entry of the main window's list, then stores and reloads it.
class Passedit : public QDialog
{
    Q_OBJECT

public:
    explicit Passedit(Mainform& main);

    // "ADD" or "EDIT", set by the opener before the window is shown; anything but "ADD" edits.
    QString EditMode;

    // 0 name, 1 password, 2 user ID.
    std::array<QLineEdit*, 3> Text1{};
    std::array<QLabel*, 3> Label1{};
    // 0 Save, 1 Cancel, 2 Generate Random Password.
    std::array<QPushButton*, 3> Command1{};

    // Opens the window on a new entry, or on an existing list item (the control record shows its program
    // password and no user ID).
    void BeginAdd();
    void BeginEdit(const QString& item);

    void Form_Load();
    void Command1_Click(int Index);
    void Text1_Change(int Index);

    // The order the Tab key takes, first to last; the opener sets it.
    void SetTabOrder(const std::vector<QWidget*>& order);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Form_Paint();
    void Save();
    void createControls();

    Mainform& m_main;
    QString m_editing; // the list item the window was opened on
};
