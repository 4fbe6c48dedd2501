#!/usr/bin/python3
"""What a screen reader hears of the curveplot menu that opens next.

Waits (up to the seconds given, 10 by default) for a menu item of curveplot to
take the focus, as it does when a menu opens from the keyboard, then prints
the names of that menu's items, one a line, and exits. Qt keeps a popup menu
out of its application's children; a screen reader finds it through the
focus, as this does. Exits 1 when no menu item took the focus in time.
"""
import sys

import pyatspi
from gi.repository import GLib

items = []


def on_focus(event):
    item = event.source
    if item is None or item.getRole() != pyatspi.ROLE_MENU_ITEM or not event.detail1:
        return
    if item.getApplication() is None or item.getApplication().name != "curveplot":
        return
    menu = item.parent
    for i in range(menu.childCount if menu is not None else 0):
        child = menu.getChildAtIndex(i)
        if child is not None and child.getRole() == pyatspi.ROLE_MENU_ITEM:
            items.append(child.name)
    pyatspi.Registry.stop()


seconds = int(sys.argv[1]) if len(sys.argv) > 1 else 10
GLib.timeout_add_seconds(seconds, pyatspi.Registry.stop)
pyatspi.Registry.registerEventListener(on_focus, "object:state-changed:focused")
print("listening", file=sys.stderr, flush=True)
pyatspi.Registry.start()
print("\n".join(items))
sys.exit(0 if items else 1)
