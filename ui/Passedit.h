#pragma once

#include "frame/FixedDialog.h"

#include <array>
#include <vector>

class ListDoor;
class QLabel;
class QLineEdit;
class QPushButton;

// The password editor: adds or replaces one entry of the main window's list, then stores and reloads it.
class Passedit : public FixedDialog
{
    Q_OBJECT

public:
    explicit Passedit(ListDoor& door);

    // "ADD" or "EDIT", set by the opener before the window is shown; anything but "ADD" edits.
    QString EditMode;

    // 0 name, 1 password, 2 user ID.
    std::array<QLineEdit*, 3> Text1{};
    std::array<QLabel*, 3> Label1{};
    // 0 Save, 1 Cancel, 2 Generate Random Password.
    std::array<QPushButton*, 3> Command1{};

    // Opens the window on a new entry, on an existing list item (the control record shows its program password
    // and no user ID), or on the program password that is to be created.
    void BeginAdd();
    void BeginEdit(const QString& item);
    void BeginProgramPassword();

    void Form_Load();
    void Command1_Click(int Index);
    void Text1_Change(int Index);

    // The order the Tab key takes, first to last; the first one has the focus.
    void SetTabOrder(const std::vector<QWidget*>& order);

    // The item the last Save put into the list; empty when nothing was saved.
    const QString& SavedItem() const { return m_saved; }

private:
    void Save();
    void createControls();

    ListDoor& m_door;
    QString m_editing; // the list item the window was opened on
    QString m_saved;
};
