#include "app/dialogs/dialog_layout.h"

#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QWidget>

#include <algorithm>

namespace tesselo {

namespace {

int Right(const QRect& r) { return r.x() + r.width(); }
int Bottom(const QRect& r) { return r.y() + r.height(); }

bool Holds(const QRect& outer, const QRect& inner) { return outer != inner && outer.contains(inner); }

bool SharesColumns(const QRect& a, const QRect& b) { return a.x() < Right(b) && b.x() < Right(a); }
bool SharesRows(const QRect& a, const QRect& b) { return a.y() < Bottom(b) && b.y() < Bottom(a); }

// Design rectangles may touch or overlap by a unit; what starts past the
// other's middle comes after it.
bool Below(const QRect& b, const QRect& a) { return SharesColumns(a, b) && 2 * b.y() >= 2 * a.y() + a.height(); }
bool RightOf(const QRect& b, const QRect& a) { return SharesRows(a, b) && 2 * b.x() >= 2 * a.x() + a.width(); }

// The dialog's margin in dialog units. A gap of the design up to this wide
// is kept when something before it grows; a wider one is slack that takes up
// the growth down to this width before anything moves.
constexpr int kMargin = 7;

int KeptGap(int designGap, int margin) { return std::min(designGap, margin); }

// The size a control needs to show its text whole, starting from the size
// its design gives it.
QSize Needed(QWidget* widget, QSize design)
{
    if (!widget)
        return design;
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        if (label->text().isEmpty())
            return design;
        if (!label->wordWrap())
            return design.expandedTo(label->sizeHint());
        // Wider only for a word longer than the line, then as many lines as
        // the text takes at that width.
        const int width = std::max(design.width(), label->minimumSizeHint().width());
        return {width, std::max(design.height(), label->heightForWidth(width))};
    }
    if (auto* button = qobject_cast<QPushButton*>(widget)) {
        // The style's size hint adds widths of its own liking (Fusion makes
        // every button at least 80 pixels wide); what must hold is that the
        // text fits inside the button's frame.
        QStyleOptionButton option;
        option.initFrom(button);
        option.rect = QRect(QPoint(), design);
        option.text = button->text();
        if (button->isDefault())
            option.features |= QStyleOptionButton::DefaultButton;
        if (button->autoDefault())
            option.features |= QStyleOptionButton::AutoDefaultButton;
        const QRect contents = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        const QSize text = button->fontMetrics().size(Qt::TextShowMnemonic, button->text());
        return design + QSize(std::max(0, text.width() - contents.width()),
                              std::max(0, text.height() - contents.height()));
    }
    return design.expandedTo(widget->minimumSizeHint());
}

} // namespace

DialogLayout::DialogLayout(QWidget* dialog, QSize designUnits) : QLayout(dialog), designUnits(designUnits)
{
    setContentsMargins(0, 0, 0, 0);
    setSizeConstraint(QLayout::SetFixedSize);
}

DialogLayout::~DialogLayout()
{
    while (QLayoutItem* item = takeAt(0))
        delete item;
}

void DialogLayout::Add(QWidget* widget, QRect units, Anchor anchor)
{
    addChildWidget(widget);
    entries.push_back({new QWidgetItem(widget), units, anchor, {}, {}});
    invalidate();
}

DialogUnits DialogLayout::Units() const
{
    return DialogUnits(parentWidget() ? parentWidget()->font() : QFont());
}

void DialogLayout::addItem(QLayoutItem* item)
{
    // Only Add() knows where a control belongs; anything else sits at the
    // top-left corner at its own size.
    entries.push_back({item, QRect(), Anchor::Left, {}, {}});
    invalidate();
}

int DialogLayout::count() const { return int(entries.size()); }

QLayoutItem* DialogLayout::itemAt(int index) const
{
    return index >= 0 && index < count() ? entries[std::size_t(index)].item : nullptr;
}

QLayoutItem* DialogLayout::takeAt(int index)
{
    if (index < 0 || index >= count())
        return nullptr;
    QLayoutItem* item = entries[std::size_t(index)].item;
    entries.erase(entries.begin() + index);
    invalidate();
    return item;
}

QSize DialogLayout::sizeHint() const
{
    Arrange();
    return size;
}

QSize DialogLayout::minimumSize() const { return sizeHint(); }

void DialogLayout::invalidate()
{
    arranged = false;
    QLayout::invalidate();
}

void DialogLayout::setGeometry(const QRect& rect)
{
    QLayout::setGeometry(rect);
    Arrange();
    // Straight onto the widget: a layout item would trim a button or a
    // radio button to the height its style prefers, off its design.
    for (const Entry& e : entries) {
        if (QWidget* w = e.item->widget())
            w->setGeometry(e.placed.translated(rect.topLeft()));
        else
            e.item->setGeometry(e.placed.translated(rect.topLeft()));
    }
}

void DialogLayout::Arrange() const
{
    if (arranged)
        return;
    const DialogUnits du = Units();
    const QSize design(du.X(designUnits.width()), du.Y(designUnits.height()));
    for (Entry& e : entries) {
        e.design = du.Rect(e.units);
        e.placed = QRect(e.design.topLeft(), Needed(e.item->widget(), e.design.size()));
    }
    // First where everything goes pushed only by its neighbours: that
    // decides how large the dialog must be; then with the anchors in it.
    Settle(QSize());
    size = design;
    for (const Entry& e : entries) {
        const int right = Right(e.placed) + KeptGap(design.width() - Right(e.design), du.X(kMargin));
        const int bottom = Bottom(e.placed) + KeptGap(design.height() - Bottom(e.design), du.Y(kMargin));
        size = size.expandedTo(QSize(right, bottom));
    }
    Settle(size);
    for (const Entry& e : entries)
        size = size.expandedTo(QSize(Right(e.placed), Bottom(e.placed)));
    arranged = true;
}

void DialogLayout::Settle(const QSize& dialog) const
{
    const DialogUnits du = Units();
    const int designWidth = du.X(designUnits.width());
    const auto gapX = [&](int gap) { return KeptGap(gap, du.X(kMargin)); };
    const auto gapY = [&](int gap) { return KeptGap(gap, du.Y(kMargin)); };
    // Every pass carries a push at least one control further, so a pass per
    // control settles any chain.
    for (std::size_t pass = 0; pass <= entries.size() + 1; ++pass) {
        bool moved = false;
        for (Entry& e : entries) {
            QPoint at = e.design.topLeft();
            for (const Entry& a : entries) {
                if (&a == &e || a.units.isEmpty() || Holds(e.units, a.units))
                    continue;
                if (Holds(a.units, e.units)) {
                    // Inside a frame: moves with it.
                    at.rx() = std::max(at.x(), e.design.x() + a.placed.x() - a.design.x());
                    at.ry() = std::max(at.y(), e.design.y() + a.placed.y() - a.design.y());
                    continue;
                }
                if (RightOf(e.units, a.units))
                    at.rx() = std::max(at.x(), Right(a.placed) + gapX(e.design.x() - Right(a.design)));
                if (Below(e.units, a.units))
                    at.ry() = std::max(at.y(), Bottom(a.placed) + gapY(e.design.y() - Bottom(a.design)));
            }
            // A frame grows around what it holds.
            QSize need = e.placed.size();
            for (const Entry& a : entries) {
                if (&a == &e || a.units.isEmpty() || !Holds(e.units, a.units))
                    continue;
                need.rwidth() =
                    std::max(need.width(), Right(a.placed) + gapX(Right(e.design) - Right(a.design)) - at.x());
                need.rheight() =
                    std::max(need.height(), Bottom(a.placed) + gapY(Bottom(e.design) - Bottom(a.design)) - at.y());
            }
            if (dialog.isValid()) {
                const int wider = dialog.width() - designWidth;
                const int grown = need.width() - e.design.width();
                switch (e.anchor) {
                case Anchor::Left: break;
                case Anchor::Right: at.rx() = std::max(at.x(), e.design.x() + wider - grown); break;
                case Anchor::Stretch:
                    need.rwidth() = std::max(need.width(), e.design.width() + wider - (at.x() - e.design.x()));
                    break;
                case Anchor::Centre: at.rx() = std::max(at.x(), e.design.x() + (wider - grown) / 2); break;
                }
            }
            const QRect placed(at, need);
            if (placed != e.placed) {
                e.placed = placed;
                moved = true;
            }
        }
        if (!moved)
            return;
    }
}

} // namespace tesselo
