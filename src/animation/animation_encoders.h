#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

namespace tesselo {

class ReplayFrames;

// Told after each frame encoded, `done` of `total`; answers false to stop.
using FrameProgress = std::function<bool(int done, int total)>;

// How an encoding ended.
enum class EncodeOutcome { Done, Stopped, Failed };

// The frames as an animated GIF (giflib), looping: one palette for the
// whole animation, made by median cut from the first and the last frame.
// Every frame of a replay is the same picture's pixels moved about, with
// the same lines, plates and frame, so those two hold every colour the
// others show; one palette keeps the colours from flickering from frame to
// frame and spares each frame a table of its own. After the first, each
// frame holds only the rectangle that changed (a sliding line, a frame).
// `dither`: ordered dithering against the palette (PaletteMap::
// MapAreaDithered), which turns a photo's banding into an even grain; the
// grid's black and the frame's yellow stay exact either way.
EncodeOutcome EncodeGif(ReplayFrames& frames, QByteArray* out, const FrameProgress& progress, QString* error,
                        bool dither = true);

// The frames as an animated WebP (libwebp's WebPAnimEncoder), looping,
// lossy at a quality that keeps the lines sharp; the encoder itself finds
// what changed from frame to frame.
EncodeOutcome EncodeWebp(ReplayFrames& frames, QByteArray* out, const FrameProgress& progress, QString* error);

} // namespace tesselo
