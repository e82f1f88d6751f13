#pragma once

#include "app/dialogs/dialog_units.h"

#include <QLayout>
#include <QRect>
#include <QSize>

#include <vector>

class QWidgetItem;

namespace tesselo {

// Places a dialog's controls where its design puts them, in dialog units of
// the dialog's font, and makes room wherever a text needs more than the
// design gave it, whatever the font: a wrapping text grows downwards, a text
// that cannot wrap grows to the right. What lies below or to the right keeps
// its distance, moving on once the design's slack is used up, a frame grows
// around what it holds, and the dialog grows with its contents. In a font
// where every text fits, every control sits exactly on its design rectangle
// and the dialog has its design size.
//
// Controls relate to each other through their design rectangles only: one
// lies below another when it starts below the other's middle and they share
// some columns; to the right of it likewise; a control whose rectangle holds
// another's is a frame around it.
class DialogLayout : public QLayout {
public:
    // Where a control goes when the dialog has grown wider than its design.
    enum class Anchor {
        Left,    // keeps its place (after any push from the left)
        Right,   // keeps its distance from the dialog's right edge
        Stretch, // keeps both its left edge and its distance from the right
        Centre,  // stays centred in the dialog
    };

    // The dialog's design size in dialog units; the layout becomes the
    // dialog's own and fixes the dialog at the size it works out.
    DialogLayout(QWidget* dialog, QSize designUnits);
    ~DialogLayout() override;

    void Add(QWidget* widget, QRect designUnits, Anchor anchor = Anchor::Left);
    // The dialog units of the dialog's current font.
    DialogUnits Units() const;

    void addItem(QLayoutItem* item) override;
    int count() const override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    void setGeometry(const QRect& rect) override;
    void invalidate() override;
    Qt::Orientations expandingDirections() const override { return {}; }

private:
    struct Entry {
        QLayoutItem* item;
        QRect units;  // the design rectangle, in dialog units
        Anchor anchor;
        QRect design; // the design rectangle in pixels of the current font
        QRect placed; // where it goes
    };

    void Arrange() const;
    // Pushes, frames and (given a dialog size) anchors until nothing moves.
    void Settle(const QSize& dialog) const;

    QSize designUnits;
    mutable std::vector<Entry> entries;
    mutable bool arranged = false;
    mutable QSize size;
};

} // namespace tesselo
