#pragma once

#include "frame/ListBox.h"
#include "frame/PictureBox.h"
#include "ui/ListDoor.h"

#include <QWidget>
#include <array>

class QLabel;
class QPushButton;
class QTimer;

// The main window and start-up object: the entry list and its eight commands. The windows it opens reach it
// through its ListDoor.
class Mainform : public QWidget, public ListDoor
{
    Q_OBJECT

public:
    explicit Mainform(QWidget* parent = nullptr);

    // Controls, as the other windows reach them.
    std::array<QPushButton*, 8> Command1{};
    ListBox* List1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    PictureBox* Back = nullptr;
    QTimer* Timer1 = nullptr;

    // Start-up and shutdown.
    void Form_Load();
    void SplashRoutines();
    void Form_Unload();

    // The password file.
    void LoadPasswords(const QString& how) override;
    // Rewrites the file from List1; false when the file could not be written (the old one is kept).
    bool StorePasswords() override;
    void ConvertPasswords();

    // The door the other windows use.
    EntryList& entries() override { return List1->entries(); }
    const QWidget* tileSource() const override { return Back; }
    QWidget* owner() override { return this; }

    // Commands.
    void Command1_Click(int Index);
    void List1_DblClick();
    void gDisableForm();
    void gEnableForm();
    void Timer1_Timer();

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Paint();
    // The login step of the guarded commands: true when the command may run.
    bool LoginStep();
    void RunGuarded(int Index);
    void DeleteSelected();
    void EditSelected();
    void CopyToClipboard(bool password);
    // The missing-file prompt: OK creates an empty, hidden file; Cancel ends the program.
    void OfferNewFile();

    bool m_storing = false;
    bool m_unloaded = false;
};
