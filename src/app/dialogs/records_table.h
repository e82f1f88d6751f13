#pragma once

#include <QCoreApplication>
#include <QStringList>

#include <cstdint>
#include <optional>

class QTableWidget;
class QTableWidgetItem;
class QWidget;

namespace tesselo {

// The tables of the Records window: rows chosen whole, figures on the
// right, columns fitted to their texts. A row is known by the keys kept in
// its first item, never by its (translated) text.
class RecordsTable {
    Q_DECLARE_TR_FUNCTIONS(tesselo::RecordsTable)
public:
    // Item data of a list of wins (column 0): the id of a win and whether
    // it can be replayed.
    static constexpr int kIdRole = Qt::UserRole;
    static constexpr int kReplayableRole = Qt::UserRole + 1;
    // Wins listed a page at a time.
    static constexpr int kPageSize = 100;

    static QTableWidget* Make(const QStringList& headers, QWidget* parent);
    // Fits the columns to their texts after a fill, the table never
    // narrower than its columns.
    static void KeepColumnsInView(QTableWidget* table);
    // Figures line up on the right, from column `firstFigure` on. Returns
    // the row's first item, which carries the row's keys.
    static QTableWidgetItem* SetRow(QTableWidget* table, int row, const QStringList& texts, int firstFigure);
    // Figures (right-aligned) in `row` from column `first` on.
    static void SetFigures(QTableWidget* table, int row, int first, const QStringList& texts);
    // The moves the game made for the player, as the Help column says it;
    // nothing for a win without help.
    static QString HelpText(int assisted);
    // The win of the row chosen in a list of wins, when one is chosen and
    // was kept with its moves.
    static std::optional<std::int64_t> ReplayableChoice(const QTableWidget* table);
};

} // namespace tesselo
