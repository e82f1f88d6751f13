#pragma once

#include "model/tile_grid.h"
#include "records/records.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

// Helpers shared by the fuzz targets. A broken property aborts, which
// libFuzzer reports as a crash and keeps the input that caused it.
namespace tesselo::fuzz {

inline void Require(bool holds, const char* property)
{
    if (!holds) {
        std::fprintf(stderr, "property broken: %s\n", property);
        std::abort();
    }
}

// A grid the game can play: 2 to 16 rows and columns, one tile per cell,
// every home exactly once, the selection inside.
inline void RequirePlayableGrid(const TileGrid& g)
{
    Require(g.Size().IsValid(), "a size the game plays");
    Require(g.cells.size() == std::size_t(g.rowCount * g.columnCount), "one tile per cell");
    std::vector<bool> seen(g.cells.size(), false);
    for (const Tile& tile : g.cells) {
        Require(tile.homeRow >= 0 && tile.homeRow < g.rowCount && tile.homeColumn >= 0 &&
                    tile.homeColumn < g.columnCount,
                "every home inside the grid");
        const auto home = std::size_t(tile.homeRow * g.columnCount + tile.homeColumn);
        Require(!seen[home], "every home once");
        seen[home] = true;
    }
    Require(g.selectedRow >= 0 && g.selectedRow < g.rowCount && g.selectedColumn >= 0 &&
                g.selectedColumn < g.columnCount,
            "the selection inside the grid");
}

// The sizes the records window lists: the four levels and every size the
// records hold a win of.
inline std::vector<GridSize> SizesListed(Records& records)
{
    std::vector<GridSize> sizes{kNovice, kPro, kExpert, kGenius};
    for (const GridSize size : records.SizesPlayed()) {
        Require(size.IsValid(), "a size played is a size the game plays");
        if (!size.IsLevel())
            sizes.push_back(size);
    }
    return sizes;
}

// Image decoding and fonts need a GUI application; the offscreen platform
// needs no display. Qt gets its own argument list so that it never sees or
// edits libFuzzer's flags.
inline void StartQt()
{
    static int argc = 1;
    static char name[] = "tesselo-fuzz";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Reachable through the pointer for the whole run, so not a leak.
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    (void)app;
}

// An empty directory of the fuzzer's own, made the current one, as the
// game runs inside its play directory. Removed when the fuzzer exits.
// `inMemory` puts it on /dev/shm where there is one, for targets that sync
// a database to disk at every input: there a sync costs nothing.
inline QString EnterEmptyDirectory(bool inMemory = false)
{
    if (inMemory && QFileInfo(QStringLiteral("/dev/shm")).isWritable())
        qputenv("TMPDIR", "/dev/shm");
    static QTemporaryDir dir;
    Require(dir.isValid() && QDir::setCurrent(dir.path()), "a temporary directory to work in");
    return dir.path();
}

// The whole of a file, or nothing when it cannot be read.
inline QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Empties the fuzzer's directory (made on the first call, in memory) and
// writes the input there under `name`, as the player's folder would hold
// it. Returns the input.
inline QByteArray PlaceInput(const QString& name, const std::uint8_t* data, std::size_t size)
{
    static const QString dir = EnterEmptyDirectory(true);
    QDir here(dir);
    for (const QString& entry : here.entryList(QDir::Files | QDir::Hidden | QDir::System))
        here.remove(entry);
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QFile f(name);
    Require(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size(), "the input written");
    return bytes;
}

} // namespace tesselo::fuzz
