#include "core/TileGrid.h"

TileGrid::TileGrid(QSize window, QSize tile)
{
    // A tile with no area draws nothing, wherever it would go.
    if (tile.width() < 1 || tile.height() < 1)
        return;
    m_columns = Positions(window.width(), tile.width());
    m_rows = Positions(window.height(), tile.height() - 1);
}

std::vector<int> TileGrid::Positions(int extent, int step)
{
    std::vector<int> positions;
    if (extent < 0)
        return positions;
    // A 1-pixel tile would make the row step 0 and never reach the edge.
    const qint64 stride = step < 1 ? 1 : step;
    positions.reserve(size_t(extent / stride + 1));
    for (qint64 at = 0; at <= extent; at += stride)
        positions.push_back(int(at));
    return positions;
}
