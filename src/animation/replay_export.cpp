#include "animation/replay_export.h"

#include "files/safe_file.h"
#include "pictures/board_bitmap.h"

#include <QFileInfo>

namespace tesselo {

std::optional<ReplayExport::Format> ReplayExport::FormatOf(const QString& file, QString* why)
{
    const QString suffix = QFileInfo(file).suffix().toLower();
    if (suffix == QLatin1String("gif"))
        return Format::Gif;
    if (suffix == QLatin1String("webp"))
        return Format::Webp;
    if (why)
        *why = tr("An animation is saved as GIF or WebP: the file's name must end in .gif or .webp.");
    return std::nullopt;
}

ReplayExport::Outcome ReplayExport::Encode(const Job& job, Format format, QByteArray* out,
                                           const FrameProgress& progress, QString* error)
{
    out->clear();
    const QSize size = ReplayFrames::BoardSize(job.start.rowCount, job.start.columnCount, job.proportions, job.side);
    if (size.isEmpty()) {
        *error = tr("This solve has no board to show.");
        return Outcome::Failed;
    }
    // The win's own picture, decoded no finer than the animation needs; a
    // fresh board holds the built-in picture, which stays when the file
    // is gone or no longer loads.
    BoardBitmap picture;
    if (!job.picturePath.isEmpty())
        picture.LoadScaled(job.picturePath, size.width(), size.height());
    ReplayFrames frames(job.start, job.steps, std::move(picture), size, job.numbers);
    if (!frames.IsReady()) {
        *error = tr("The board could not be painted at %1 x %2 pixels.").arg(size.width()).arg(size.height());
        return Outcome::Failed;
    }
    QString why;
    const EncodeOutcome done = format == Format::Gif ? EncodeGif(frames, out, progress, &why, job.dither)
                                                     : EncodeWebp(frames, out, progress, &why);
    switch (done) {
    case EncodeOutcome::Done: return Outcome::Written;
    case EncodeOutcome::Stopped: return Outcome::Cancelled;
    case EncodeOutcome::Failed: break;
    }
    *error = tr("The animation could not be made (%1).").arg(why);
    return Outcome::Failed;
}

ReplayExport::Outcome ReplayExport::Write(const Job& job, const QString& file, const FrameProgress& progress,
                                          QString* error)
{
    const std::optional<Format> format = FormatOf(file, error);
    if (!format)
        return Outcome::Failed;
    QByteArray bytes;
    const Outcome encoded = Encode(job, *format, &bytes, progress, error);
    if (encoded != Outcome::Written)
        return encoded;
    QString why;
    if (!WriteFileAtomically(file, bytes, &why)) {
        *error = tr("The animation could not be saved as \"%1\": %2").arg(file, why);
        return Outcome::Failed;
    }
    return Outcome::Written;
}

} // namespace tesselo
