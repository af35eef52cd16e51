#pragma once

#include <QLineEdit>

// A text box that may show a password in clear. What the user copies or cuts from it leaves as every
// password of the program does (marked secret, cleared after the linger time), and what is selected in it
// never becomes the X11 primary selection, which any program may read and nothing would clear.
class SecretLineEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit SecretLineEdit(QWidget* parent = nullptr);

    void copySecret();
    void cutSecret();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void dropPrimarySelection();
};
