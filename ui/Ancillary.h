#pragma once

#include <QDialog>
#include <QSet>
#include <array>
#include <functional>
#include <vector>

class Mainform;
class QPushButton;

// The ancillary window: the printed list, export to removable media and import from it.
class Ancillary : public QDialog
{
    Q_OBJECT

public:
    explicit Ancillary(Mainform& main);

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
    // True when no entry of the main list is named what (exactly, case included); otherwise the user is told.
    bool CheckForDups(const QString& what);

    void Form_Load();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The folder that stands for drive A:. Raises the disk-not-ready error when there is none.
    static QString mediumFolder();
    // Whether a medium that was there has gone since: a failure on it is then the not-ready case.
    static bool mediumGone(const QString& folder);

    enum class Step
    {
        Done,
        Failed, // logged; the import goes on
        Stop,   // reported; the import ends
    };
    // One step of the import under its error handling.
    Step importStep(const std::function<void()>& statement);
    void overwrite(const QString& diskFile);
    // False when the medium's file proved to be no password file.
    bool merge(const std::vector<QString>& plainLines, bool& stored);

    void createControls();
    void Form_Paint();

    Mainform& m_main;
    // The list's names while a merge runs, so each line's check does not walk the whole list.
    QSet<QString>* m_names = nullptr;
};
