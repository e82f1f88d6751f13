#pragma once

#include <QCoreApplication>
#include <QRgb>
#include <QString>

class QFont;
class QPainter;
class QRect;

namespace tesselo {

// What covers the board of a paused game: a plain panel that says so and
// how to go on, and not one pixel of the picture or the grid, so that a
// pause never serves to study the scramble.
class PausedPanel {
    Q_DECLARE_TR_FUNCTIONS(tesselo::PausedPanel)
public:
    // Every colour the panel paints, its text smoothed between the two,
    // has a blue part below 0x80.
    static constexpr QRgb kBackground = 0xff2b3038u;
    static constexpr QRgb kText = 0xfff0e27au;

    // Fills `area` whole, its words in `font`'s family sized to the area.
    static void Paint(QPainter& painter, const QRect& area, const QFont& font);
    // Its words: the title, and the line under it.
    static QString Title() { return tr("Paused"); }
    static QString Hint() { return tr("Press P or click the board to go on."); }
};

} // namespace tesselo
