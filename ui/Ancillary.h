#pragma once

#include "frame/FixedDialog.h"

#include <array>
#include <functional>
#include <vector>

class ListDoor;
class QPushButton;

// The ancillary window: the printed list, export to removable media and import from it.
class Ancillary : public FixedDialog
{
    Q_OBJECT

public:
    explicit Ancillary(ListDoor& door);

    std::array<QPushButton*, 4> Command1{};

    // The import options window's answer: Cancel pressed, and the option chosen (-1 none, 0 overwrite,
    // 1 merge).
    bool ImportCancelled = false;
    qint16 ImportOption = -1;

    void Command1_Click(int Index);
    void DisableButtons();
    void EnableButtons();
    void ExportList();
    void ImportList();
    void PrintList();

    void Form_Load();

private:
    enum class Step
    {
        Done,
        Failed,   // logged; the import goes on
        Stop,     // reported; the import ends
        NotReady, // reported; the user may choose the medium's folder
    };
    // One step of the import under its error handling.
    Step importStep(const std::function<void()>& statement);
    void overwrite(const QByteArray& content);
    void merge(const std::vector<QString>& plainLines);

    ListDoor& m_door;
};
