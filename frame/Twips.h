#pragma once

#include <QRect>

class QWidget;

// Window geometry is given in twips (1440 to the inch); these convert at the screen's resolution.
int Twips(int twips);
QRect TwipsRect(int left, int top, int width, int height);
int PixelsToTwips(int pixels);

// Centres a window on the screen, frame included: left = (screen width - window width) \ 2, likewise top.
void CentreOnScreen(QWidget& window);
