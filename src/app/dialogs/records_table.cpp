#include "app/dialogs/records_table.h"

#include <QHeaderView>
#include <QScreen>
#include <QStyle>
#include <QTableWidget>

#include <algorithm>

namespace tesselo {

QTableWidget* RecordsTable::Make(const QStringList& headers, QWidget* parent)
{
    auto* table = new QTableWidget(0, int(headers.size()), parent);
    table->setHorizontalHeaderLabels(headers);
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setWordWrap(false);
    // Rows are chosen whole: Tab leaves the table as it leaves any other
    // control, and Ctrl+Tab turns the window's page.
    table->setTabKeyNavigation(false);
    // The table asks for the room its texts need, whatever the font. Its
    // columns are fitted to their texts after each fill (KeepColumnsInView):
    // a header that fits them itself measures every row again at every item
    // set, and a page of wins filled in a window on show would take half a
    // second.
    table->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

void RecordsTable::KeepColumnsInView(QTableWidget* table)
{
    // In a wide font the window grows rather than hide a column behind a
    // scroll bar, as far as the screen has room: beyond, the table scrolls.
    // Room is kept for the vertical bar, which a page of wins needs.
    QHeaderView* header = table->horizontalHeader();
    table->resizeColumnsToContents();
    const int wanted =
        header->length() + 2 * table->frameWidth() + table->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const QScreen* screen = table->screen();
    const int room = screen ? screen->availableGeometry().width() * 4 / 5 : wanted;
    table->setMinimumWidth(std::min(wanted, room));
    // Sized by hand, the last column fills the rest again only when told
    // (a window on show gets no resize that would tell it); one that
    // scrolls keeps its own width.
    header->setStretchLastSection(false);
    if (wanted <= room)
        header->setStretchLastSection(true);
    else
        table->resizeColumnToContents(table->columnCount() - 1);
}

QTableWidgetItem* RecordsTable::SetRow(QTableWidget* table, int row, const QStringList& texts, int firstFigure)
{
    for (int c = 0; c < texts.size(); ++c) {
        auto* item = new QTableWidgetItem(texts[c]);
        if (c >= firstFigure)
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        table->setItem(row, c, item);
    }
    return table->item(row, 0);
}

void RecordsTable::SetFigures(QTableWidget* table, int row, int first, const QStringList& texts)
{
    for (int c = 0; c < texts.size(); ++c) {
        auto* item = new QTableWidgetItem(texts[c]);
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        table->setItem(row, first + c, item);
    }
}

QString RecordsTable::HelpText(int assisted)
{
    return assisted > 0 ? tr("%n move(s)", "moves the game made for the player", assisted) : QString();
}

std::optional<std::int64_t> RecordsTable::ReplayableChoice(const QTableWidget* table)
{
    // Only a win kept with its moves can be played again.
    const int r = table->currentRow();
    if (table->selectedItems().isEmpty() || r < 0 || !table->item(r, 0) ||
        !table->item(r, 0)->data(kReplayableRole).toBool())
        return std::nullopt;
    return table->item(r, 0)->data(kIdRole).toLongLong();
}

} // namespace tesselo
