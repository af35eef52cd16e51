#include "frame/Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QtMath>

namespace {
double dotsPerInch()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchX() : 96.0;
}
} // namespace

int Twips(int twips)
{
    return qRound(twips * dotsPerInch() / 1440.0);
}

int PixelsToTwips(int pixels)
{
    return qRound(pixels * 1440.0 / dotsPerInch());
}

QRect TwipsRect(int left, int top, int width, int height)
{
    return QRect(Twips(left), Twips(top), Twips(width), Twips(height));
}

void CentreOnScreen(QWidget& window)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect s = screen->geometry();
    const QSize w = window.frameGeometry().size();
    window.move(s.left() + (s.width() - w.width()) / 2, s.top() + (s.height() - w.height()) / 2);
}
