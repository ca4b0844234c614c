#!/usr/bin/python3
"""Reads the program's windows as a screen reader does, through AT-SPI.

  atspi_probe.py window CAPTION      the window's page tab lists (with their property
                                     pages' tables), tool bars and trees, as JSON
  atspi_probe.py click-focus X Y     clicks the screen point and prints the cell or tree
                                     item that takes the focus (role, name, row and
                                     column in a table), as JSON

Every wait polls with a deadline; a failure prints {"error": ...} and exits with 1.
"""

import json
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

DEADLINE_S = 10
MAX_ROWS = 80
MAX_COLS = 40
MAX_TREE_ITEMS = 200


def fail(message):
    print(json.dumps({"error": message}, ensure_ascii=False))
    sys.exit(1)


def app_of_program():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "orgrights":
            return app
    return None


def find_window(caption):
    end = time.monotonic() + DEADLINE_S
    while time.monotonic() < end:
        app = app_of_program()
        if app is not None:
            for i in range(app.childCount):
                w = app.getChildAtIndex(i)
                if w is not None and w.name == caption and w.getRole() in (pyatspi.ROLE_FRAME, pyatspi.ROLE_DIALOG):
                    return w
        time.sleep(0.2)
    fail("no window named %s" % caption)


def has(acc, state):
    return acc.getState().contains(state)


def describe_table(acc):
    table = acc.queryTable()
    rows, cols = table.nRows, table.nColumns
    headers, checked, expandable = [], [], 0
    for r in range(min(rows, MAX_ROWS)):
        for c in range(min(cols, MAX_COLS)):
            cell = table.getAccessibleAt(r, c)
            if cell is None:
                continue
            role = cell.getRole()
            if role in (pyatspi.ROLE_COLUMN_HEADER, pyatspi.ROLE_TABLE_COLUMN_HEADER):
                if cell.name:
                    headers.append(cell.name)
                continue
            states = cell.getState()
            if role == pyatspi.ROLE_CHECK_BOX and states.contains(pyatspi.STATE_CHECKED):
                checked.append([r, c])
            if states.contains(pyatspi.STATE_EXPANDABLE):
                expandable += 1
    return {"rows": rows, "cols": cols, "headers": headers, "checked": checked[:20], "expandable": expandable,
            "showing": has(acc, pyatspi.STATE_SHOWING)}


def tree_items(acc, out, depth=0):
    # Qt reports tree items as table cells; a view's heads are left out.
    for i in range(acc.childCount):
        if len(out) >= MAX_TREE_ITEMS:
            return
        child = acc.getChildAtIndex(i)
        if child is not None and child.getRole() in (pyatspi.ROLE_TREE_ITEM, pyatspi.ROLE_TABLE_CELL):
            out.append({"name": child.name, "depth": depth,
                        "expanded": has(child, pyatspi.STATE_EXPANDED)})
            tree_items(child, out, depth + 1)


def walk(acc, found):
    role = acc.getRole()
    if role == pyatspi.ROLE_PAGE_TAB_LIST:
        tabs = []
        for i in range(acc.childCount):
            child = acc.getChildAtIndex(i)
            if child is not None and child.getRole() == pyatspi.ROLE_PAGE_TAB:
                # A tab holds its page.
                tab = {"name": child.name, "selected": has(child, pyatspi.STATE_SELECTED), "tables": []}
                for j in range(child.childCount):
                    collect_tables(child.getChildAtIndex(j), tab["tables"])
                tabs.append(tab)
            elif child is not None:
                walk(child, found)
        found["pageTabLists"].append({"tabs": tabs})
        return
    if role == pyatspi.ROLE_TABLE:
        found["tables"].append(describe_table(acc))
        return
    if role == pyatspi.ROLE_TOOL_BAR:
        buttons = []
        for i in range(acc.childCount):
            child = acc.getChildAtIndex(i)
            if child is not None and child.getRole() == pyatspi.ROLE_PUSH_BUTTON:
                buttons.append(child.name)
        found["toolbars"].append({"buttons": buttons})
        return
    if role == pyatspi.ROLE_TREE:
        items = []
        tree_items(acc, items)
        found["trees"].append({"items": items})
        return
    for i in range(acc.childCount):
        child = acc.getChildAtIndex(i)
        if child is not None:
            walk(child, found)


def collect_tables(acc, out):
    if acc.getRole() == pyatspi.ROLE_TABLE:
        out.append(describe_table(acc))
        return
    for i in range(acc.childCount):
        child = acc.getChildAtIndex(i)
        if child is not None:
            collect_tables(child, out)


def window(caption):
    w = find_window(caption)
    found = {"role": w.getRoleName(), "name": w.name, "pageTabLists": [], "tables": [], "toolbars": [],
             "trees": []}
    walk(w, found)
    print(json.dumps(found, ensure_ascii=False))


def click_focus(x, y):
    if app_of_program() is None:
        fail("the program is not on the accessibility bus")
    loop = GLib.MainLoop()
    seen = {}

    def on_focus(event):
        source = event.source
        if event.detail1 != 1 or source is None:
            return
        try:
            role = source.getRole()
        except Exception:
            return
        if role not in (pyatspi.ROLE_TABLE_CELL, pyatspi.ROLE_CHECK_BOX):
            return
        row = col = -1
        try:  # a table's cell; a tree item has no table around it
            index = source.getIndexInParent()
            table = source.parent.queryTable()
            row, col = table.getRowAtIndex(index), table.getColumnAtIndex(index)
        except NotImplementedError:
            pass
        seen.update({"role": source.getRoleName(), "name": source.name, "row": row, "col": col,
                     "focused": has(source, pyatspi.STATE_FOCUSED)})
        loop.quit()

    pyatspi.Registry.registerEventListener(on_focus, "object:state-changed:focused")

    def click():
        subprocess.run(["xdotool", "mousemove", str(x), str(y), "click", "1"], check=False)
        return False

    # Qt hears of the new listener through the registry before the click comes.
    GLib.timeout_add(1000, click)
    GLib.timeout_add(DEADLINE_S * 1000, loop.quit)
    loop.run()
    pyatspi.Registry.deregisterEventListener(on_focus, "object:state-changed:focused")
    if not seen:
        fail("no cell took the focus after the click at %d,%d" % (x, y))
    print(json.dumps(seen, ensure_ascii=False))


def main():
    if len(sys.argv) == 3 and sys.argv[1] == "window":
        window(sys.argv[2])
    elif len(sys.argv) == 4 and sys.argv[1] == "click-focus":
        click_focus(int(sys.argv[2]), int(sys.argv[3]))
    else:
        fail("usage: atspi_probe.py window CAPTION | click-focus X Y")


if __name__ == "__main__":
    main()
