#pragma once

#include <QDialog>

class Mainform;
class QLabel;
class QLineEdit;
class QPushButton;

// The login window: asks for the program password and records the outcome in gLoggedIn.
class frmLogin : public QDialog
{
    Q_OBJECT

public:
    explicit frmLogin(Mainform* main = nullptr);

    // Index 1 is the only label.
    QLabel* lblLabels = nullptr;
    QLineEdit* txtPassword = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

    // Whether a control record stands behind gProgramPassword. "not found" there is either the mark of a
    // file without one or, rarely, a password someone chose; the window decides from the main list
    // when it opens, and an opener that knows better (the load, before the list is filled) says so.
    bool programPasswordLoaded = false;

    void Form_Load();
    void cmdOK_Click();
    void cmdCancel_Click();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Form_Paint();

    Mainform* m_main = nullptr;
};
