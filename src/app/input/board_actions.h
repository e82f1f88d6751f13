#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QKeyEvent;
class QMenu;
class QWidget;

namespace tesselo {

// The commands of the board: each with its text in the board's context
// menu, its keys, when it applies, and what it does. The menu and the
// keyboard read the same list, so a key always does what its menu entry
// says.
struct BoardAction {
    QString text;
    QList<QKeySequence> keys; // the first is the one the menu shows
    std::function<bool()> applies;
    std::function<void()> run;
    bool startsGroup = false; // a separator above it in the menu
    // For a setting turned on and off: whether it is on, a check mark in
    // the menu.
    std::function<bool()> checked = nullptr;
};

class BoardActions {
public:
    void Add(BoardAction action) { actions.push_back(std::move(action)); }
    // The action a key press names, or null. The keys act whether or not
    // the action applies now: the game itself refuses what does not.
    const BoardAction* ForKey(const QKeyEvent& key) const;
    // The context menu, its entries greyed where they do not apply now.
    std::unique_ptr<QMenu> Menu(QWidget* parent) const;
    const std::vector<BoardAction>& All() const { return actions; }

private:
    std::vector<BoardAction> actions;
};

} // namespace tesselo
