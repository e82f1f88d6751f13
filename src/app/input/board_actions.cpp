#include "app/input/board_actions.h"

#include <QKeyEvent>
#include <QMenu>

namespace tesselo {

const BoardAction* BoardActions::ForKey(const QKeyEvent& key) const
{
    // The keypad's own modifier says where a key is, not which it is.
    const Qt::KeyboardModifiers mods = key.modifiers() & (Qt::ControlModifier | Qt::ShiftModifier |
                                                          Qt::AltModifier | Qt::MetaModifier);
    const QKeySequence pressed(QKeyCombination(mods, Qt::Key(key.key())));
    for (const BoardAction& action : actions)
        if (action.keys.contains(pressed))
            return &action;
    return nullptr;
}

std::unique_ptr<QMenu> BoardActions::Menu(QWidget* parent) const
{
    auto menu = std::make_unique<QMenu>(parent);
    for (const BoardAction& action : actions) {
        if (action.startsGroup)
            menu->addSeparator();
        QAction* entry = menu->addAction(action.text, action.run);
        if (!action.keys.isEmpty())
            entry->setShortcut(action.keys.front());
        // The keys work from the board itself; the menu only shows them.
        entry->setShortcutContext(Qt::WidgetShortcut);
        entry->setShortcutVisibleInContextMenu(true);
        entry->setEnabled(!action.applies || action.applies());
        if (action.checked) {
            entry->setCheckable(true);
            entry->setChecked(action.checked());
        }
    }
    return menu;
}

} // namespace tesselo
