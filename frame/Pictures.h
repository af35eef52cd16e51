#pragma once

#include <QCursor>
#include <QIcon>
#include <QPixmap>
#include <QString>

class PictureBox;

// The program's pictures, kept in its resources under ":/pictures/": hand.xpm, back.png,
// store_userid.png, store_password.png and the application icon.

// The named picture; a null pixmap when there is none of that name.
QPixmap Picture(const QString& name);

// The pointing-hand cursor, hot spot at the fingertip. Loaded afresh on every call; raises RunError
// 326 when the resource is missing.
QCursor HandCursor();

// Gives the main window's Back box the background tile and fits the box's inner size to it.
void LoadBackPicture(PictureBox& box);

// The application's icon for its windows.
QIcon AppIcon();

// Test seam: the picture HandCursor loads (empty: the program's own hand).
void SetHandCursorPicture(const QString& name);
