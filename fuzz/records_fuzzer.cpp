// The records database is read from the player's folder, where anything
// may lie under its name: a real records file with bytes changed or cut
// off, as a failing disk or another program leaves it. Whatever the bytes,
// the reader never crashes or hangs; a file it cannot use is set aside
// whole and a new one begun; a file of a later version is left as it is;
// and a file it reads answers every query and keeps a new win.

#include "fuzz_support.h"

#include "records/records.h"

#include <QBuffer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTimeZone>

#include <algorithm>

using namespace tesselo;
using tesselo::fuzz::ReadAll;
using tesselo::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString file = QString::fromLatin1(Records::kFileName);
    const QByteArray bytes = tesselo::fuzz::PlaceInput(file, data, size);

    {
        // The export only reads: whatever it makes of the file, the file
        // stays as it was.
        Records reader(Records::Access::ReadOnly);
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        reader.Export(out);
        Require(ReadAll(file) == bytes && reader.FilesSetAside().isEmpty(), "reading changes nothing");
    }

    Records records;
    Records::Failure failure;
    const bool opened = records.Open(&failure);
    if (!opened) {
        // Only a later version's file is refused, and it stays as it was.
        Require(failure.reason.contains(QStringLiteral("newer")), "only a later version's file is left unread");
        Require(records.FilesSetAside().isEmpty() && ReadAll(file) == bytes, "a later version's file is left alone");
        return 0;
    }
    if (!records.FilesSetAside().isEmpty())
        Require(ReadAll(records.FilesSetAside().front()) == bytes, "a file set aside is kept whole");

    for (const GridSize l : tesselo::fuzz::SizesListed(records))
        for (const Style s : {Style::Strategy, Style::Speed}) {
            const Records::Summary sum = records.Summarize(l, s);
            Require(sum.won >= 0, "a count of wins");
            if (sum.best)
                Require(sum.best->IsValid() && sum.best->assisted == 0, "only a sound win without help is a best");
            for (const Records::Order order : {Records::Order::BestFirst, Records::Order::NewestFirst})
                for (const Records::KeptWin& w : records.Page(l, s, order, 0, 20)) {
                    Require(w.result.IsValid() && w.result.size == l && w.result.style == s,
                            "a page lists sound wins of its kind");
                    if (const std::optional<GameResult> r = records.Win(w.id); r && r->IsReplayable())
                        tesselo::fuzz::RequirePlayableGrid(r->start);
                }
            // The charts take the wins as the list does, oldest first, their
            // lines standing on wins without help.
            if (const auto progress = records.ProgressOf(l, s, QDate(2026, 1, 1), QTimeZone::utc(), Qt::Monday)) {
                const auto& wins = progress->wins;
                Require(std::is_sorted(wins.begin(), wins.end(),
                                       [](const ProgressWin& a, const ProgressWin& b) { return a.finished < b.finished; }),
                        "the charts' wins come oldest first");
                for (const auto* line : {&progress->averageOf5, &progress->averageOf12, &progress->bestSoFar})
                    for (const SeriesPoint& p : *line)
                        Require(p.win < wins.size() && !wins[p.win].helped, "a line stands on wins without help");
            }
        }

    // The CSV export is UTF-8 with its header, whatever the rows hold.
    QBuffer csv;
    csv.open(QIODevice::WriteOnly);
    if (records.Export(csv, nullptr, Records::Format::Csv))
        Require(csv.data().startsWith(records_csv::kHeader) &&
                    QString::fromUtf8(csv.data()).toUtf8() == csv.data(),
                "the CSV export is UTF-8 with its header");

    QBuffer out;
    out.open(QIODevice::WriteOnly);
    const bool exported = records.Export(out);
    if (exported) {
        QJsonParseError parsed{};
        const QJsonDocument doc = QJsonDocument::fromJson(out.data(), &parsed);
        Require(parsed.error == QJsonParseError::NoError && doc.object().value("results").isArray(),
                "the export is a records file");
    }

    // A file read takes a win; one found damaged on the way is set aside
    // and the win goes to a new one.
    const std::int64_t before = records.CountAll();
    const QStringList asideBefore = records.FilesSetAside();
    GameResult win;
    win.size = kGenius;
    win.style = Style::Speed;
    win.moves = 3;
    win.milliseconds = 4567;
    win.finished = QDateTime::currentDateTimeUtc();
    Require(records.Add(win), "a win is written");
    Records again;
    const std::int64_t after = again.CountAll();
    Require(after == before + 1 || (records.FilesSetAside() != asideBefore && after == 1),
            "the win is kept beside every result read");
    // Whether it shows as a best is another matter: quick_check does not
    // compare an index with its table, so a damaged index can hide it.
    again.Summarize(win.size, win.style);
    return 0;
}
