#pragma once

#include "app/window/window_layout.h"

#include <QCoreApplication>
#include <QFont>
#include <QString>

#include <memory>

class QLabel;
class QPushButton;
class QWidget;

namespace tesselo {

// The bar over the board: "New Game" (or "Reset Game"), "Options", the
// moves or time counter, "Help". Its controls are children of the window,
// placed in five equal slots, in a bold serif font as large as "New Game"
// allows, and small enough for the first button's longer caption.
class GameBar {
    Q_DECLARE_TR_FUNCTIONS(tesselo::GameBar)

public:
    explicit GameBar(QWidget* window);

    // Places the controls in slots `buttonWidth` wide under a bar
    // `barHeight` high, and fits the font to them.
    void Layout(int buttonWidth, int barHeight);
    // Shows the counter, and the captions for the style and the state of
    // play (a caption is set only when its text changes).
    // The first button: "New Game" at rest, "Reset Game" in play, "Done"
    // in a "Blind" game in play, whose end the player declares.
    enum class FirstButton { NewGame, ResetGame, Done };
    void Show(const QString& counter, bool strategyStyle, FirstButton first);
    // Says `text` to a screen reader, which reads the status when its name
    // changes (a win, a pause): the screen shows the same in its own way.
    void Announce(const QString& text);

    QPushButton* newGame = nullptr;    // 1000
    QPushButton* options = nullptr;    // 1001
    QLabel* counterLabel = nullptr;    // 1002
    QLabel* counterValue = nullptr;    // 1003
    QPushButton* help = nullptr;       // 57670
    // A status for screen readers only, drawn nowhere (no pixels of its own).
    QLabel* status = nullptr;
    std::unique_ptr<QFont> font;

private:
    void FitFont(int buttonWidth);
    // The width a first button `buttonWidth` wide leaves its caption.
    int CaptionRoom(int buttonWidth) const;

    window_layout::BarFontFit fit;
};

} // namespace tesselo
