#!/usr/bin/python3
"""What a screen reader finds of the running curveplot over AT-SPI.

Prints one line per object, "role|name|description": the program's window and
the chart inside it. Prints nothing while the program has not (yet) joined the
accessibility bus; the first call also starts that bus's registry.
"""
import pyatspi


def find(accessible, role, depth=0):
    if accessible is None or depth > 4:
        return None
    if accessible.getRole() == role:
        return accessible
    for i in range(accessible.childCount):
        found = find(accessible.getChildAtIndex(i), role, depth + 1)
        if found is not None:
            return found
    return None


for application in pyatspi.Registry.getDesktop(0):
    if application is None or application.name != "curveplot":
        continue
    for window in application:
        if window is None:
            continue
        print(f"{window.getRoleName()}|{window.name}|{window.description}")
        chart = find(window, pyatspi.ROLE_CHART)
        if chart is not None:
            print(f"{chart.getRoleName()}|{chart.name}|{chart.description}")
