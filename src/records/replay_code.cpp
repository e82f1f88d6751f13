#include "records/replay_code.h"

#include "model/grid_position.h"
#include "positions/notation.h"
#include "positions/position.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QStringList>

#include <string>

namespace tesselo {

namespace {

QString Tr(const char* text)
{
    return QCoreApplication::translate("tesselo::ReplayCode", text);
}

std::optional<ReplayCode> Refuse(QString* why, const QString& reason)
{
    if (why)
        *why = reason;
    return std::nullopt;
}

// The start an ID names, as the game scrambles it.
TileGrid StartOf(const GameId& id)
{
    TileGrid grid;
    grid.Resize(id.size.rows, id.size.columns);
    grid.Shuffle(id.seed);
    return grid;
}

// "5x7:12,3,..." back into a grid: every tile of the grid exactly once.
std::optional<TileGrid> ReadArrangement(const QString& text)
{
    const qsizetype colon = text.indexOf(QLatin1Char(':'));
    const std::optional<GridSize> size = GridSize::FromName(text.left(colon).toStdString());
    if (!size)
        return std::nullopt;
    const QStringList numbers = text.mid(colon + 1).split(QLatin1Char(','));
    if (numbers.size() != size->Cells())
        return std::nullopt;
    TileGrid grid;
    grid.Resize(size->rows, size->columns);
    std::vector<int> homes;
    for (int cell = 0; cell < size->Cells(); ++cell) {
        bool ok = false;
        const int tile = numbers[cell].toInt(&ok);
        // Digits only: no sign, no spaces, no leading zero.
        if (!ok || tile < 1 || tile > size->Cells() || numbers[cell] != QString::number(tile))
            return std::nullopt;
        homes.push_back(tile - 1);
        grid.cells[std::size_t(cell)] = Tile{(tile - 1) / size->columns, (tile - 1) % size->columns};
    }
    const auto position = solver::Position::FromHomes(size->rows, size->columns, homes);
    if (!position || !position->IsSolvable())
        return std::nullopt;
    return grid;
}

// The code's words are parted by spaces: a style is named by its key
// without them ("FewestMoves").
QString StyleWord(Style style)
{
    return QString::fromLatin1(style.Key()).remove(QLatin1Char(' '));
}

std::optional<Style> StyleOfWord(const QString& word)
{
    for (int i = 0; i < Style::kCount; ++i)
        if (const std::optional<Style> style = Style::FromIndex(i); style && StyleWord(*style) == word)
            return style;
    return std::nullopt;
}

} // namespace

QString ReplayCode::Write(Style style, const TileGrid& start, const std::vector<HistoryStep>& steps,
                          std::optional<GameId> id)
{
    QStringList parts{QString::fromLatin1(kName), QString::number(kVersion), StyleWord(style)};
    if (id && id->size == start.Size() && StartOf(*id).SameCells(start)) {
        parts << id->ToString();
    } else {
        QStringList tiles;
        for (const Tile& tile : start.cells)
            tiles << QString::number(tile.homeRow * start.columnCount + tile.homeColumn + 1);
        parts << QString::fromStdString(start.Size().Name()) + QLatin1Char(':') + tiles.join(QLatin1Char(','));
    }
    for (const HistoryStep& step : steps)
        if (const std::optional<solver::Slide> slide = SlideOf(step.move, start))
            parts << QString::fromStdString(solver::ToNotation(*slide));
    return parts.join(QLatin1Char(' '));
}

bool ReplayCode::LooksLikeOne(const QString& text)
{
    return text.trimmed().startsWith(QLatin1String(kName));
}

std::optional<ReplayCode> ReplayCode::Read(const QString& text, QString* why)
{
    if (text.size() > kMaxLength)
        return Refuse(why,
                      Tr(QT_TRANSLATE_NOOP("tesselo::ReplayCode", "The replay code is far longer than any solve's.")));
    // A chat may break a long line: any run of spaces and line breaks
    // separates two parts.
    static const QRegularExpression space(QStringLiteral("\\s+"));
    const QStringList parts = text.trimmed().split(space, Qt::SkipEmptyParts);
    if (parts.size() < 4 || parts[0] != QLatin1String(kName))
        return Refuse(why,
                      Tr(QT_TRANSLATE_NOOP("tesselo::ReplayCode",
                                           "This is no replay code: one begins with "
                                           "\"tesselo-replay\", then a version, a style, "
                                           "a start and the moves.")));
    if (parts[1] != QString::number(kVersion))
        return Refuse(why,
                      Tr(QT_TRANSLATE_NOOP("tesselo::ReplayCode",
                                           "This replay code was written by another "
                                           "version of Tesselo, which this one cannot "
                                           "read.")));
    ReplayCode code;
    const std::optional<Style> style = StyleOfWord(parts[2]);
    if (!style)
        return Refuse(why,
                      Tr(QT_TRANSLATE_NOOP("tesselo::ReplayCode", "The replay code names no style the game plays.")));
    code.style = *style;
    if (parts[3].contains(QLatin1Char(':'))) {
        std::optional<TileGrid> start = ReadArrangement(parts[3]);
        if (!start)
            return Refuse(why,
                          Tr(QT_TRANSLATE_NOOP("tesselo::ReplayCode",
                                               "The replay code's start is no arrangement "
                                               "of a grid the game plays that slides "
                                               "can solve.")));
        code.start = std::move(*start);
    } else if (const std::optional<GameId> id = GameId::Parse(parts[3]); id && id->size.IsValid()) {
        code.start = StartOf(*id);
    } else {
        return Refuse(why,
                      Tr(QT_TRANSLATE_NOOP("tesselo::ReplayCode",
                                           "The replay code's start is neither a game "
                                           "ID nor an arrangement of a grid the game "
                                           "plays.")));
    }
    if (parts.size() - 4 > qsizetype(History::kMaxSteps))
        return Refuse(
            why, Tr(QT_TRANSLATE_NOOP("tesselo::ReplayCode", "The replay code has more moves than a game keeps.")));
    Selection at{0, 0};
    code.start.Select(at);
    for (qsizetype i = 4; i < parts.size(); ++i) {
        const std::optional<solver::Slide> slide = solver::ParseSlide(parts[i].toStdString());
        const Move move = slide ? MoveOf(*slide) : Move{};
        // Only a move of this grid, written as the solver writes it.
        if (!slide || SlideOf(move, code.start) != slide)
            return Refuse(why,
                          Tr(QT_TRANSLATE_NOOP("tesselo::ReplayCode",
                                               "The replay code's move %1 (\"%2\") is no move of its grid."))
                              .arg(i - 3)
                              .arg(parts[i].left(20)));
        const bool row = move.axis == MoveAxis::Row;
        const std::int32_t length = row ? code.start.columnCount : code.start.rowCount;
        const std::int32_t from = row ? at.column : at.row;
        const std::int32_t to = ((from + move.amount) % length + length) % length;
        const Selection after = row ? Selection{move.line, to} : Selection{to, move.line};
        code.steps.push_back(HistoryStep{move, at, after});
        at = after;
    }
    return code;
}

} // namespace tesselo
