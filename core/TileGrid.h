#pragma once

#include <QSize>
#include <vector>

// Where the copies of a background tile go on a window. Columns step by the tile's width, so tiles in a
// row touch; rows step by its height minus one, so each row of tiles covers the last pixel row of the
// row above. Positions run from 0 up to and including the window's extent; tiles past the edge are
// clipped when drawn.
class TileGrid
{
public:
    TileGrid(QSize window, QSize tile);

    const std::vector<int>& columns() const { return m_columns; }
    const std::vector<int>& rows() const { return m_rows; }
    bool isEmpty() const { return m_columns.empty() || m_rows.empty(); }

    // 0, step, 2 x step ... while not past extent. A step below 1 is taken as 1, so a tile of height 1
    // still advances; a negative extent gives no positions.
    static std::vector<int> Positions(int extent, int step);

private:
    std::vector<int> m_columns;
    std::vector<int> m_rows;
};
