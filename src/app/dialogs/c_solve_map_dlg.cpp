#include "app/dialogs/c_solve_map_dlg.h"

#include "charts/solve_map_chart.h"
#include "model/grid_position.h"
#include "services/solve_map_run.h"
#include "view/hint_overlay.h"

#include <QBoxLayout>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include <algorithm>

namespace tesselo {

// The board at the chosen move, drawn from the picture cell by cell, with
// the next move of the shortest way on it.
class CSolveMapDlg::Board : public QWidget {
public:
    Board(QImage p, QWidget* parent) : QWidget(parent), picture(std::move(p))
    {
        setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    }
    void SetPicture(QImage p)
    {
        picture = std::move(p);
        update();
    }
    const QImage& Picture() const { return picture; }
    void Show(const TileGrid& at, std::optional<Move> next)
    {
        grid = at;
        hint = next;
        update();
    }
    QSize sizeHint() const override { return QSize(fontMetrics().height() * 16, fontMetrics().height() * 12); }
    QSize minimumSizeHint() const override { return QSize(fontMetrics().height() * 8, fontMetrics().height() * 6); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        const int rows = grid.rowCount;
        const int columns = grid.columnCount;
        if (rows <= 0 || columns <= 0)
            return;
        // Whole cells in the picture's proportions, centred.
        const QSizeF shape = picture.isNull() ? QSizeF(columns, rows) : QSizeF(picture.size());
        const QSizeF fitted = shape.scaled(QSizeF(size()), Qt::KeepAspectRatio);
        const QSize cell(std::max(1, int(fitted.width()) / columns), std::max(1, int(fitted.height()) / rows));
        const QPoint origin((width() - cell.width() * columns) / 2, (height() - cell.height() * rows) / 2);
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.translate(origin);
        const QSizeF from = picture.isNull() ? QSizeF() : QSizeF(qreal(picture.width()) / columns, qreal(picture.height()) / rows);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < columns; ++c) {
                const Tile& tile = grid.At(r, c);
                const QRect to(c * cell.width(), r * cell.height(), cell.width(), cell.height());
                if (picture.isNull()) {
                    painter.fillRect(to, QColor::fromHsv((tile.homeRow * columns + tile.homeColumn) * 300 / (rows * columns), 120, 220));
                } else {
                    painter.drawImage(QRectF(to), picture,
                                      QRectF(QPointF(from.width() * tile.homeColumn, from.height() * tile.homeRow), from));
                }
            }
        painter.setPen(QPen(QColor(0, 0, 0, 160), 1));
        for (int r = 1; r < rows; ++r)
            painter.drawLine(0, r * cell.height(), columns * cell.width(), r * cell.height());
        for (int c = 1; c < columns; ++c)
            painter.drawLine(c * cell.width(), 0, c * cell.width(), rows * cell.height());
        if (hint)
            DrawHint(painter, cell, rows, columns, *hint);
    }

private:
    QImage picture;
    TileGrid grid;
    std::optional<Move> hint;
};

CSolveMapDlg::CSolveMapDlg(std::shared_ptr<const solver::Solver> solver, const TileGrid& s, std::vector<HistoryStep> st,
                           QImage picture, std::optional<int> par, QWidget* parent)
    : QDialog(parent), start(s), steps(std::move(st))
{
    setWindowTitle(tr("Solve Map"));
    chart = new SolveMapChart(int(steps.size()) + 1, par, this);
    board = new Board(std::move(picture), this);
    summary = new QLabel(this);
    summary->setWordWrap(true);
    detail = new QLabel(this);
    detail->setWordWrap(true);
    legend = new QLabel(this);
    legend->setWordWrap(true);
    ShowLegend();

    auto* right = new QVBoxLayout;
    right->addWidget(board, 1);
    right->addWidget(detail);
    auto* top = new QHBoxLayout;
    top->addWidget(chart, 3);
    top->addLayout(right, 2);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(legend);
    layout->addWidget(summary);
    layout->addWidget(buttons);

    run = std::make_unique<SolveMapRun>(std::move(solver), start, steps);
    connect(run.get(), &SolveMapRun::PointReady, this, [this](const solver::MapPoint& point) {
        chart->Add(point);
        if (!point.exact && !bounded) {
            bounded = true;
            ShowLegend();
        }
        if (chart->Points().size() == 1)
            ShowChosen();
        ShowSummary();
    });
    connect(run.get(), &SolveMapRun::Finished, this, [this](bool done) {
        complete = done;
        failed = !done;
        ShowSummary();
    });
    connect(chart, &SolveMapChart::ChosenChanged, this, &CSolveMapDlg::ShowChosen);
    if (run->IsMappable())
        run->Start();
    else
        failed = true;
    board->Show(start, std::nullopt);
    ShowSummary();
    chart->setFocus();
}

CSolveMapDlg::~CSolveMapDlg() = default;

void CSolveMapDlg::ShowLegend()
{
    // The dashes are named once a distance is only a bound: on the grids
    // the solver answers exactly, none is.
    legend->setText(bounded ? tr("<span style=\"color:#2ea043\">&#9644;</span> a move along a shortest way &nbsp; "
                                 "<span style=\"color:#d63c30\">&#9711;</span> a move away from solved &nbsp; "
                                 "- - - at most (the best plan known)")
                            : tr("<span style=\"color:#2ea043\">&#9644;</span> a move along a shortest way &nbsp; "
                                 "<span style=\"color:#d63c30\">&#9711;</span> a move away from solved"));
}

void CSolveMapDlg::ShowPicture(QImage picture)
{
    board->SetPicture(std::move(picture));
}

const QImage& CSolveMapDlg::Picture() const
{
    return board->Picture();
}

void CSolveMapDlg::ShowChosen()
{
    const int index = chart->Chosen();
    TileGrid at = start;
    for (int i = 0; i < index && i < int(steps.size()); ++i)
        steps[std::size_t(i)].RedoOn(at);
    std::optional<Move> next;
    QString text;
    if (index < int(chart->Points().size())) {
        const solver::MapPoint& point = chart->Points()[std::size_t(index)];
        if (point.next)
            next = MoveOf(*point.next);
        text = point.exact ? tr("After move %1: %n slide(s) from solved.", nullptr, point.distance).arg(index)
                           : tr("After move %1: at most %n slide(s) from solved.", nullptr, point.distance).arg(index);
        if (point.next)
            text += QLatin1Char(' ') + tr("The arrow shows the next move of the shortest way known.");
    }
    board->Show(at, next);
    detail->setText(text);
}

void CSolveMapDlg::ShowSummary()
{
    const int moves = int(steps.size());
    const auto& points = chart->Points();
    if (failed && points.empty()) {
        summary->setText(tr("This solve cannot be mapped."));
        return;
    }
    if (!complete && !failed) {
        summary->setText(tr("Working out the map: %1 of %2 moves.").arg(std::max(int(points.size()) - 1, 0)).arg(moves));
        return;
    }
    int away = 0;
    int shortest = 0;
    for (const auto& verdict : solver::JudgeMoves(points)) {
        away += verdict.away;
        shortest += verdict.shortest;
    }
    const bool exact = std::all_of(points.begin(), points.end(), [](const auto& p) { return p.exact; });
    QString text = tr("%n move(s) in all.", nullptr, moves) + QLatin1Char(' ') +
                   tr("%n took the board further from solved.", nullptr, away) + QLatin1Char(' ') +
                   tr("%n went along a shortest way.", nullptr, shortest);
    if (!exact)
        text += QLatin1Char(' ') + tr("Dashed distances are the best plans known, not proven shortest.");
    summary->setText(text);
}

} // namespace tesselo
