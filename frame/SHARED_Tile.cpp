#include "frame/SHARED.h"

// Placeholder body; the window-dressing work fills this in.
void TileBackground(QWidget& /*target*/, const QWidget& /*source*/) {}
