#include "frame/SHARED.h"

#include "core/TileGrid.h"
#include "frame/SMGLOBAL.h"

#include <QLabel>
#include <QPainter>
#include <QWidget>

void TileBackground(QWidget& target, const QWidget& source)
{
    if (!gDesignerMode)
        return; // the window keeps the plain background colour Qt has already painted
    const auto* box = qobject_cast<const QLabel*>(&source);
    if (!box)
        return;
    const QPixmap picture = box->pixmap();
    if (picture.isNull())
        return;
    // Every tile is the picture scaled to the box's inner size, and that size gives the steps too.
    const QSize tile = source.contentsRect().size();
    const TileGrid grid(target.rect().size(), tile);
    if (grid.isEmpty())
        return;
    const QPixmap scaled =
        picture.size() == tile ? picture : picture.scaled(tile, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QPainter painter(&target);
    for (int y : grid.rows())
        for (int x : grid.columns())
            painter.drawPixmap(x, y, scaled);
}
