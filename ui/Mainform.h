#pragma once

#include <QWidget>
#include <array>

class ListBox;
class PictureBox;
class QLabel;
class QPushButton;
class QTimer;

// The main window and start-up object: the entry list and its eight commands.
class Mainform : public QWidget
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
    void LoadPasswords(const QString& how);
    // Rewrites the file from List1; false when the file could not be written (the old one is kept).
    bool StorePasswords();
    void ConvertPasswords();

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

    bool m_storing = false;
    bool m_unloaded = false;
};
