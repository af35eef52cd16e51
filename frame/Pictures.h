#pragma once

#include <QCursor>
#include <QIcon>
#include <QPixmap>
#include <QString>

class PictureBox;
class QPushButton;

// The program's pictures, kept in its resources under ":/pictures/": hand.xpm, back.png,
// store_userid.png, store_password.png and the application icon.

// The named picture; a null pixmap when there is none of that name.
QPixmap Picture(const QString& name);

// The pointing-hand cursor, hot spot at the fingertip. Raises RunError 326 when the resource is missing.
QCursor HandCursor();

// Gives the main window's Back box the background tile and fits the box's inner size to it.
void LoadBackPicture(PictureBox& box);

// Shows a picture on a button, with the words a screen reader and a tooltip give for it.
void SetPictureButton(QPushButton& button, const QString& picture, const QString& words);

// The application's icon for its windows.
QIcon AppIcon();
