#include "view/board_cache.h"

#include "model/tile_grid.h"
#include "pictures/board_bitmap.h"
#include "view/number_plates.h"
#include "view/painter_target.h"

#include <QPainter>

namespace tesselo {

bool BoardCache::Update(const BoardBitmap& board, const TileGrid& grid, const NumberPlates* plates,
                        std::int32_t cellWidth, std::int32_t cellHeight)
{
    copied = 0;
    const Key key{board.picture.cacheKey(), plates ? plates->Picture().cacheKey() : 0, grid.rowCount,
                  grid.columnCount,           cellWidth,                                cellHeight};
    if (board.picture.isNull() || cellWidth <= 0 || cellHeight <= 0) {
        seen = kept = Key();
        picture = QImage();
        return false;
    }
    if (key != kept) {
        const bool again = key == seen;
        seen = key;
        kept = Key();
        homes.clear();
        if (!again) {
            picture = QImage();
            return false;
        }
        picture = QImage(board.picture.size(), QImage::Format_RGB32);
        if (picture.isNull())
            return false;
        picture.setDevicePixelRatio(board.picture.devicePixelRatio());
        homes.assign(grid.cells.size(), -1);
        kept = key;
    }

    std::vector<PaintTarget::Piece> cells;
    std::vector<PaintTarget::Piece> numbers;
    for (std::int32_t i = 0; i < grid.rowCount; ++i) {
        for (std::int32_t j = 0; j < grid.columnCount; ++j) {
            const Tile& t = grid.At(i, j);
            const std::int32_t home = t.homeRow * grid.columnCount + t.homeColumn;
            std::int32_t& held = homes[std::size_t(i) * std::size_t(grid.columnCount) + std::size_t(j)];
            if (held == home)
                continue;
            held = home;
            const QPoint to(j * cellWidth, i * cellHeight);
            cells.push_back({QRect(t.homeColumn * cellWidth, t.homeRow * cellHeight, cellWidth, cellHeight), to});
            if (plates)
                numbers.push_back({plates->Plate(t.homeRow, t.homeColumn), to + NumberPlates::kInset});
        }
    }
    if (cells.empty())
        return true;
    QPainter painter(&picture);
    PainterTarget target(painter);
    if (!target.CopyAll(board.picture, cells) || (plates && !target.CopyAll(plates->Picture(), numbers))) {
        kept = Key();
        picture = QImage();
        return false;
    }
    copied = int(cells.size());
    return true;
}

} // namespace tesselo
