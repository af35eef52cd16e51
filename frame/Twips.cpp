#include "frame/Twips.h"

#include "frame/WindowCentre.h"

#include <QGuiApplication>
#include <QScreen>
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
    WindowCentre::Centre(window);
}
