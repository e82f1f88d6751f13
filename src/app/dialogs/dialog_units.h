#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QRect>

namespace tesselo {

// Dialog layouts are designed in dialog units, which scale with the dialog's
// font: a horizontal unit is a quarter of the font's average character
// width, a vertical unit an eighth of its height.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font)
    {
        const QFontMetrics metrics(font);
        // The average over the Latin letters, as dialog templates assume,
        // rather than the font's own notion of an average glyph.
        static const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
        baseX = (metrics.horizontalAdvance(letters) / 26 + 1) / 2;
        baseY = metrics.height();
    }

    int X(int units) const { return units * baseX / 4; }
    int Y(int units) const { return units * baseY / 8; }
    QRect Rect(int x, int y, int w, int h) const { return QRect(X(x), Y(y), X(w), Y(h)); }
    QRect Rect(const QRect& units) const { return Rect(units.x(), units.y(), units.width(), units.height()); }

    int baseX = 0;
    int baseY = 0;
};

} // namespace tesselo
