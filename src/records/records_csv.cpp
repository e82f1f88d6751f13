#include "records/records_csv.h"

#include "files/file_name_codec.h"
#include "records/records_rows.h"

#include <QIODevice>
#include <QByteArrayList>

#include <sqlite3.h>

namespace tesselo::records_csv {

QByteArray Field(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    if (!utf8.contains(',') && !utf8.contains('"') && !utf8.contains('\n') && !utf8.contains('\r'))
        return utf8;
    QByteArray quoted = utf8;
    quoted.replace('"', "\"\"");
    return '"' + quoted + '"';
}

QString SizeOf(const QString& level)
{
    if (const std::optional<GridSize> size = GridSize::FromKey(level.toStdString()))
        return QStringLiteral("%1x%2").arg(size->rows).arg(size->columns);
    return level;
}

QByteArray Row(const GameResult& r)
{
    return Row(r, r.LevelKey(), r.StyleKey());
}

QByteArray Row(const GameResult& r, const QString& level, const QString& style)
{
    const QStringList fields = {
        r.finished.toUTC().toString(Qt::ISODateWithMs),
        SizeOf(level),
        style,
        QString::number(r.moves),
        QString::number(r.milliseconds),
        r.par ? QString::number(*r.par) : QString(),
        QString::number(r.assisted),
        r.daily ? r.daily->toString(Qt::ISODate) : QString(),
        FileNameShown(r.picture),
    };
    QByteArrayList row;
    for (const QString& f : fields)
        row << Field(f);
    return row.join(',');
}

bool Export(sqlite3* db, const std::vector<GameResult>& unwritten, QIODevice& out, int* rc)
{
    bool ok = out.write(kHeader) >= 0 && out.write("\r\n") >= 0;
    const auto put = [&](const GameResult& r) {
        ok = ok && out.write(Row(r) + "\r\n") >= 0;
        return ok;
    };
    *rc = SQLITE_DONE;
    // Whatever a row holds is written, sound or not, as the JSON export
    // gives it back.
    if (db)
        records_rows::ForEachWin(
            db,
            [&](const records_rows::StoredWin& w) {
                // The size and style as kept, known to this version or not.
                ok = ok && out.write(Row(records_rows::AsResult(w), w.level, w.style) + "\r\n") >= 0;
                return ok;
            },
            rc);
    for (const GameResult& r : unwritten)
        if (r.IsValid())
            put(r);
    return ok;
}

} // namespace tesselo::records_csv
