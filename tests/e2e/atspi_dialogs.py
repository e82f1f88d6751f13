#!/usr/bin/python3
"""The Options and Records windows as a screen reader finds them, through AT-SPI.

  atspi_dialogs.py STRATEGY_WINS SPEED_WINS

The running game plays a "Pro" grid in "Strategy"; its records hold
STRATEGY_WINS wins of that kind and SPEED_WINS of "Pro" in "Speed".

Opens the Options (its button clicked where AT-SPI says it is) and the
Records (Ctrl+R), and walks each window's tree, the Records once on each
of its tabs and once more with the "Speed" row chosen: every control a
player can reach (a button, a box to tick, a field, a list, a slider, a
tab, anything that takes the focus) must have a name, or a screen reader
says only its kind. Each chart must have a name and a description that
gives the number of wins it draws. Fails with the list of the unnamed.
"""

import re
import subprocess
import sys
import time

import pyatspi

from atspi_board import fail, find, game_window, pump, wait_for

CONTROLS = {
    pyatspi.ROLE_PUSH_BUTTON,
    pyatspi.ROLE_TOGGLE_BUTTON,
    pyatspi.ROLE_CHECK_BOX,
    pyatspi.ROLE_RADIO_BUTTON,
    pyatspi.ROLE_COMBO_BOX,
    pyatspi.ROLE_SLIDER,
    pyatspi.ROLE_SPIN_BUTTON,
    pyatspi.ROLE_LIST,
    pyatspi.ROLE_LIST_BOX,
    pyatspi.ROLE_TABLE,
    pyatspi.ROLE_TREE,
    pyatspi.ROLE_TREE_TABLE,
    pyatspi.ROLE_PAGE_TAB,
    pyatspi.ROLE_PAGE_TAB_LIST,
    pyatspi.ROLE_ENTRY,
    pyatspi.ROLE_PASSWORD_TEXT,
    pyatspi.ROLE_MENU_ITEM,
}
# Their items are data, named by what they hold (an empty cell is empty);
# the control itself is checked.
CONTAINERS = {
    pyatspi.ROLE_TABLE,
    pyatspi.ROLE_TREE_TABLE,
    pyatspi.ROLE_LIST,
    pyatspi.ROLE_LIST_BOX,
    pyatspi.ROLE_COMBO_BOX,
    pyatspi.ROLE_TREE,
}


def is_control(a):
    role = a.getRole()
    states = a.getState()
    if role in CONTROLS:
        return True
    if role == pyatspi.ROLE_TEXT and states.contains(pyatspi.STATE_EDITABLE):
        return True
    return states.contains(pyatspi.STATE_FOCUSABLE)


def where(a):
    """The path of roles and names down to `a`, for the failure's list."""
    steps = []
    while a is not None and a.getRole() not in (pyatspi.ROLE_APPLICATION,):
        steps.append(f"{a.getRoleName()} '{a.name}'")
        a = a.parent
    return " < ".join(steps)


def walk(root):
    """Every object under `root`, without the items of tables and lists."""
    stack = [root]
    while stack:
        a = stack.pop()
        if a is None:
            continue
        yield a
        if a is not root and a.getRole() in CONTAINERS:
            continue
        stack.extend(a[i] for i in range(a.childCount))


def says_nothing(text):
    """A name of no word at all: empty, or only marks ("..." is read as dots)."""
    return re.search(r"\w", text or "") is None


def labelled(a):
    """The names of the labels that say what `a` is (a buddy label's text)."""
    names = []
    for relation in a.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            names += [relation.getTarget(i).name for i in range(relation.getNTargets())]
    return [n for n in names if not says_nothing(n)]


def unnamed_controls(window):
    found = []
    for a in walk(window):
        if a is window or not is_control(a):
            continue
        if says_nothing(a.name):
            found.append(where(a))
        # A combo box's name is the choice it shows, which says nothing of
        # what is chosen; a label must say that.
        elif a.getRole() == pyatspi.ROLE_COMBO_BOX and not labelled(a):
            found.append(where(a) + " (no label)")
    return found


def app_window(title):
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is None:
            continue
        for window in app:
            if window is not None and window.name == title:
                return window
    return None


def click(a):
    box = a.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    x, y = box.x + box.width // 2, box.y + box.height // 2
    subprocess.run(["xdotool", "mousemove", "--sync", str(x), str(y), "click", "1"], check=True)


def key(name):
    subprocess.run(["xdotool", "key", name], check=True)


def showing(a):
    return a is not None and a.getState().contains(pyatspi.STATE_SHOWING)


def named(role, name):
    return lambda a: a is not None and a.getRole() == role and a.name == name


def check_options(main, problems):
    button = wait_for("the Options button", lambda: find(main, named(pyatspi.ROLE_PUSH_BUTTON, "Options")), 10)
    click(button)
    window = wait_for("the Options window", lambda: app_window("Set Options"), 10)
    wait_for("its OK button", lambda: showing(find(window, named(pyatspi.ROLE_PUSH_BUTTON, "OK"))), 10)
    controls = [a for a in walk(window) if a is not window and is_control(a)]
    # A walk that found nothing would pass anything.
    if len(controls) < 12:
        fail(f"only {len(controls)} controls in the Options window: {[where(a) for a in controls]}")
    problems += [f"Options: {p}" for p in unnamed_controls(window)]
    print(f"Options: {len(controls)} controls walked")
    key("Escape")
    wait_for("the Options window to close", lambda: app_window("Set Options") is None, 10)


def press(a):
    """Does what a click on `a` does, by its own action."""
    action = a.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    for wanted in ("press", "click", "activate"):
        for i, n in enumerate(names):
            if n.lower() == wanted:
                action.doAction(i)
                return
    fail(f"{where(a)} has no action to press, only {names}")


def select_tab(tabs, index):
    """Chooses a tab as a click does, and waits for its page to show."""
    pages = find(tabs.parent, lambda a: a is not None and a.getRole() == pyatspi.ROLE_LAYERED_PANE)
    if pages is None or pages.childCount != tabs.childCount - scroll_buttons(tabs):
        fail("the Records' tabs have no pages of their own")
    press(tabs[index])
    wait_for(f"the page of tab {index + 1}", lambda: showing(pages[index]), 5)
    pump(0.3)


def scroll_buttons(tabs):
    return sum(1 for i in range(tabs.childCount) if tabs[i].getRole() != pyatspi.ROLE_PAGE_TAB)


def settle(test, seconds):
    """What `test` gives once it gives something, or None after `seconds`."""
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        got = test()
        if got:
            return got
        pump(0.1)
    return None


def charts_of(window):
    return [a for a in walk(window) if a.getRole() == pyatspi.ROLE_CHART and showing(a)]


def check_charts(window, wins, problems, kind):
    """The charts of the Progress tab: each says in words how many wins it draws."""
    number = re.compile(rf"\b{wins}\b")

    def ready():
        charts = charts_of(window)
        if len(charts) == 3 and all(number.search(a.description or "") for a in charts):
            return charts
        return None

    charts = settle(ready, 10) or charts_of(window)
    if len(charts) != 3:
        problems.append(f"Records, Progress ({kind}): {len(charts)} charts, not 3: {[where(a) for a in charts]}")
    for a in charts:
        if not (a.name or "").strip():
            problems.append(f"Records, Progress ({kind}): a chart without a name, described '{a.description}'")
        if not number.search(a.description or ""):
            problems.append(f"Records, Progress ({kind}): {where(a)} is described as '{a.description}', "
                            f"which does not give its {wins} wins")
        print(f"Progress ({kind}): chart '{a.name}': '{a.description}'")


def check_records(strategy_wins, speed_wins, problems):
    key("ctrl+r")
    window = wait_for("the Records window", lambda: app_window("Tesselo Records"), 10)
    # The records open off the window's thread; the tables show once ready.
    wait_for("the records to be ready",
             lambda: showing(find(window, named(pyatspi.ROLE_TABLE, "Summary of the chosen grid"))), 20)
    tabs = find(window, lambda a: a is not None and a.getRole() == pyatspi.ROLE_PAGE_TAB_LIST)
    if tabs is None or tabs.childCount - scroll_buttons(tabs) < 3:
        fail("no tabs in the Records window")
    seen = set()
    counted = 0
    for index in range(tabs.childCount - scroll_buttons(tabs)):
        select_tab(tabs, index)
        name = tabs[index].name or f"tab {index + 1}"
        if name == "Progress":
            check_charts(window, strategy_wins, problems, "Strategy")
        for p in unnamed_controls(window):
            if p not in seen:
                seen.add(p)
                problems.append(f"Records, {name}: {p}")
        counted += sum(1 for a in walk(window) if a is not window and is_control(a) and showing(a))
    # "Speed" in the summary: the Progress tab adds its second series' box.
    summary = find(window, named(pyatspi.ROLE_TABLE, "Summary of the chosen grid"))
    table = summary.queryTable()
    speed = [r for r in range(table.nRows) if table.getAccessibleAt(r, 1).name == "Speed"]
    if not speed:
        fail("no Speed row in the summary")
    progress = [i for i in range(tabs.childCount) if tabs[i].name == "Progress"]
    if not progress:
        fail("no Progress tab")
    select_tab(tabs, progress[0])
    click(table.getAccessibleAt(speed[0], 1))
    wait_for("the moves-per-second box of Speed",
             lambda: showing(find(window, lambda a: a is not None and a.getRole() == pyatspi.ROLE_CHECK_BOX)), 10)
    check_charts(window, speed_wins, problems, "Speed")
    for p in unnamed_controls(window):
        if p not in seen:
            problems.append(f"Records, Progress (Speed): {p}")
    if counted < 15:
        fail(f"only {counted} controls shown on the Records window's tabs")
    print(f"Records: {tabs.childCount - scroll_buttons(tabs)} tabs, {counted} controls walked")
    key("Escape")
    wait_for("the Records window to close", lambda: app_window("Tesselo Records") is None, 10)


def main():
    strategy_wins, speed_wins = int(sys.argv[1]), int(sys.argv[2])
    main_window = wait_for("the game window with its board", game_window, 20)
    problems = []
    check_options(main_window, problems)
    check_records(strategy_wins, speed_wins, problems)
    if problems:
        fail("controls a screen reader cannot name:\n  " + "\n  ".join(problems))


if __name__ == "__main__":
    main()
