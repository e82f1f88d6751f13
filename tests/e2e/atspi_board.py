#!/usr/bin/python3
"""The game window as a screen reader reads it, through AT-SPI.

Finds the running game's board, checks that it is a table of the saved
game's size whose cells are named by the numbers of the tiles they hold,
then presses keys with xdotool and checks what changes:

  atspi_board.py ROWS COLUMNS MOVES SLIDES [--win KEY]

SLIDES are the slides the saved game was written with, from the whole
picture (write_saved_game's notation, "R1+1 C2-1"); MOVES is its move
count. Without --win: Right turns the selected row's names by one and
counts a move, Shift+Down moves the focused cell down (a focus event
says so). With --win KEY: KEY completes the picture, and the status
says "Solved".
"""

import re
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

events = []


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)


def pump(seconds):
    """Lets the events that came be heard for a while."""
    end = time.monotonic() + seconds
    context = GLib.MainContext.default()
    while time.monotonic() < end:
        while context.iteration(False):
            pass
        time.sleep(0.02)


def wait_for(what, test, seconds=10):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        got = test()
        if got:
            return got
        pump(0.1)
    fail("timed out waiting for " + what)


def find(root, predicate):
    try:
        return pyatspi.findDescendant(root, predicate, breadth_first=True)
    except Exception:  # an object gone while it was read
        return None


def game_window():
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is None:
            continue
        for window in app:
            if window is not None and window.name == "Tesselo" and find(window, is_table):
                return window
    return None


def is_table(a):
    return a is not None and a.getRole() == pyatspi.ROLE_TABLE


def solved_names(rows, columns):
    return [[str(r * columns + c + 1) for c in range(columns)] for r in range(rows)]


def slide(names, text):
    """One slide in the solver's notation: R2+1 moves row 2 a cell right."""
    m = re.fullmatch(r"([RC])(\d+)([+-]\d+)", text)
    if not m:
        fail("no slide " + text)
    line, amount = int(m.group(2)) - 1, int(m.group(3))
    rows, columns = len(names), len(names[0])
    if m.group(1) == "R":
        row = names[line]
        names[line] = [row[(c - amount) % columns] for c in range(columns)]
    else:
        column = [names[r][line] for r in range(rows)]
        for r in range(rows):
            names[r][line] = column[(r - amount) % rows]
    return names


def read_names(table):
    t = table.queryTable()
    return [[t.getAccessibleAt(r, c).name for c in range(t.nColumns)] for r in range(t.nRows)]


def cell_with(table, state):
    t = table.queryTable()
    for r in range(t.nRows):
        for c in range(t.nColumns):
            if t.getAccessibleAt(r, c).getState().contains(state):
                return (r, c)
    return None


def counter(window):
    return find(window, lambda a: a is not None and re.fullmatch(r"Moves: \d+", a.name or "") is not None)


def key(name):
    subprocess.run(["xdotool", "key", name], check=True)


def main():
    args = sys.argv[1:]
    win_key = None
    if "--win" in args:
        at = args.index("--win")
        win_key = args[at + 1]
        del args[at : at + 2]
    rows, columns, moves = int(args[0]), int(args[1]), int(args[2])
    expected = solved_names(rows, columns)
    for text in args[3].split():
        expected = slide(expected, text)

    pyatspi.Registry.registerEventListener(lambda e: events.append(e), "object:state-changed:focused")
    window = wait_for("the game window with its board", game_window, 20)
    table = find(window, is_table)
    t = table.queryTable()
    if (t.nRows, t.nColumns) != (rows, columns):
        fail(f"the board is a table of {t.nRows} x {t.nColumns}, not {rows} x {columns}")
    if table.childCount != rows * columns:
        fail(f"the table has {table.childCount} cells, not {rows * columns}")
    names = read_names(table)
    if names != expected:
        fail(f"the cells read {names}, not the saved game's {expected}")
    description = t.getAccessibleAt(0, 0).description
    if not description.startswith("belongs at row "):
        fail(f"a cell is described as '{description}'")
    print(f"board: a {rows} x {columns} table, cells {names}")

    count = counter(window)
    if count is None or count.name != f"Moves: {moves}":
        fail(f"the counter reads '{count.name if count else None}', not 'Moves: {moves}'")
    status = find(window, lambda a: a is not None and a.name == "Status")
    if status is None:
        fail("no status object")

    if win_key:
        key(win_key)
        wait_for("the win in the status", lambda: "Solved" in (status.name or ""))
        print(f"status after {win_key}: '{status.name}'")
        names = read_names(table)
        if names != solved_names(rows, columns):
            fail(f"the won board reads {names}")
        wait_for(f"the counter at {moves + 1}", lambda: count.name == f"Moves: {moves + 1}", 5)
        return

    selected = cell_with(table, pyatspi.STATE_SELECTED)
    if selected is None:
        fail("no selected cell")
    focused = cell_with(table, pyatspi.STATE_FOCUSED)
    if focused != selected:
        fail(f"the focused cell is {focused}, the selected one {selected}")
    row, column = selected
    key("Right")
    turned = [r[:] for r in names]
    turned[row] = [names[row][(c - 1) % columns] for c in range(columns)]
    wait_for("the selected row's names to turn", lambda: read_names(table) == turned, 5)
    wait_for("the counter to count the move", lambda: count.name == f"Moves: {moves + 1}", 5)
    print(f"after Right: row {row + 1} reads {turned[row]}; the counter '{count.name}'")

    # The frame may have gone along with its tile.
    row, column = cell_with(table, pyatspi.STATE_SELECTED)
    events.clear()
    key("shift+Down")
    below = ((row + 1) % rows, column)
    wait_for("the focus on the cell below", lambda: cell_with(table, pyatspi.STATE_FOCUSED) == below, 5)

    def heard():
        for e in events:
            if e.detail1 == 1 and e.source.getIndexInParent() == below[0] * columns + below[1]:
                return True
        return False

    wait_for("a focus event from the cell below", heard, 5)
    print(f"after Shift+Down: the focus event came from cell {below}, named {read_names(table)[below[0]][below[1]]}")


if __name__ == "__main__":
    main()
