#pragma once

#include <QDialog>

class QAbstractButton;

// A window the program opens over another one: a fixed size with only the close button, the tiled background of
// the main window's picture, the hand pointer on its controls and a place in the middle of the screen; Esc
// presses its Cancel button when it has one and closes it otherwise.
class FixedDialog : public QDialog
{
    Q_OBJECT

public:
    FixedDialog(QWidget* parent, const QWidget* tileSource, const QString& caption, int widthTwips, int heightTwips);

protected:
    // The part of every window's load that is the same: the pointer, then the centre of the screen. Called once
    // the window's controls exist.
    void Dress();
    void setCancelButton(QAbstractButton* button) { m_cancel = button; }
    virtual void Form_Paint();

    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    const QWidget* m_tileSource;
    QAbstractButton* m_cancel = nullptr;
};
