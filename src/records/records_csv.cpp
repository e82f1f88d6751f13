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

QString Defused(const QString& text)
{
    // A spreadsheet takes a cell that begins so for a formula, and a
    // picture's name is whatever the player (or whoever gave them the
    // file) called it. The apostrophe makes it text, as spreadsheets
    // themselves write it.
    static const QString kFormulaStarts = QStringLiteral("=+-@\t\r");
    if (!text.isEmpty() && kFormulaStarts.contains(text.front()))
        return QLatin1Char('\'') + text;
    return text;
}

QString SizeOf(const QString& level)
{
    if (const std::optional<GridSize> size = GridSize::FromKey(level.toStdString()))
        return QStringLiteral("%1x%2").arg(size->rows).arg(size->columns);
    return level;
}

namespace {

QByteArray Line(const QStringList& fields)
{
    QByteArrayList row;
    for (const QString& f : fields)
        row << Field(f);
    return row.join(',');
}

QString NumberOrEmpty(std::optional<std::int64_t> v)
{
    return v ? QString::number(*v) : QString();
}

} // namespace

QByteArray Row(const GameResult& r)
{
    return Line({
        r.finished.toUTC().toString(Qt::ISODateWithMs),
        Defused(SizeOf(r.LevelKey())),
        Defused(r.StyleKey()),
        QString::number(r.moves),
        QString::number(r.milliseconds),
        r.par ? QString::number(*r.par) : QString(),
        QString::number(r.assisted),
        r.daily ? r.daily->toString(Qt::ISODate) : QString(),
        Defused(FileNameShown(r.picture)),
        r.dnf ? QStringLiteral("1") : QStringLiteral("0"),
        r.race ? QStringLiteral("1") : QStringLiteral("0"),
    });
}

QByteArray Row(const records_rows::StoredWin& w)
{
    return Line({
        records_rows::FinishedText(w.finished),
        Defused(SizeOf(w.level)),
        Defused(w.style),
        NumberOrEmpty(w.moves),
        NumberOrEmpty(w.milliseconds),
        NumberOrEmpty(w.par),
        NumberOrEmpty(w.assisted),
        w.daily ? w.daily->toString(Qt::ISODate) : QString(),
        Defused(FileNameShown(w.picture)),
        w.style == QLatin1String(Style::Blind.Key()) && w.score == GameResult::kDnfScore ? QStringLiteral("1")
                                                                                          : QStringLiteral("0"),
        w.race ? QStringLiteral("1") : QStringLiteral("0"),
    });
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
                ok = ok && out.write(Row(w) + "\r\n") >= 0;
                return ok;
            },
            rc);
    for (const GameResult& r : unwritten)
        if (r.IsValid())
            put(r);
    return ok;
}

} // namespace tesselo::records_csv
