#pragma once

#include "animation/animation_encoders.h"
#include "animation/replay_frames.h"
#include "model/history.h"
#include "model/tile_grid.h"

#include <QCoreApplication>
#include <QSize>
#include <QString>

#include <optional>
#include <vector>

namespace tesselo {

// A kept solve written out as a moving picture of its board (ReplayFrames),
// an animated GIF or WebP as the file's name ends. Everything here is slow
// and touches no window: it runs beside the window, or in the command that
// runs instead of the game.
class ReplayExport {
    Q_DECLARE_TR_FUNCTIONS(tesselo::ReplayExport)
public:
    enum class Format { Gif, Webp };

    struct Job {
        TileGrid start;
        std::vector<HistoryStep> steps;
        // The win's own picture; empty, or a file that no longer loads:
        // the game's built-in picture.
        QString picturePath;
        // The game's board, whose proportions the animation keeps.
        QSize proportions{640, 480};
        int side = ReplayFrames::kDefaultSide;
        bool numbers = false;
        // GIF: ordered dithering against the palette (EncodeGif).
        bool dither = true;
    };

    enum class Outcome { Written, Cancelled, Failed };

    // The format a file name asks for (".gif" or ".webp", in any case);
    // nothing for any other, with the reason for the player.
    static std::optional<Format> FormatOf(const QString& file, QString* why = nullptr);
    // The file's bytes, in memory.
    static Outcome Encode(const Job& job, Format format, QByteArray* out, const FrameProgress& progress,
                          QString* error);
    // Into `file`, written whole or not at all (files/safe_file.h): a full
    // disk, a folder that cannot be written, a cancel leave no part of a
    // file behind, and whatever was there before stays as it was.
    static Outcome Write(const Job& job, const QString& file, const FrameProgress& progress, QString* error);
};

} // namespace tesselo
