#!/usr/bin/python3
"""The game's buttons through the accessibility tree, as a screen reader sees them.

  atspi.py where NAME     prints the middle of the showing button NAME ("X Y", screen pixels)
  atspi.py press NAME     presses the showing button NAME through its accessibility action

A button is looked for in the game's windows that are showing, the active one first. Exits with
1 and says what was there when no such button shows (yet).
"""
import sys

import pyatspi

BUTTON_ROLES = (pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON)


def game():
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is not None and app.name == "morvath":
            return app
    return None


def buttons(node, found):
    try:
        if node.getRole() in BUTTON_ROLES and node.getState().contains(pyatspi.STATE_SHOWING):
            found.append(node)
        for child in node:
            if child is not None:
                buttons(child, found)
    except Exception:  # a window closing under the walk
        pass
    return found


def find(name):
    app = game()
    if app is None:
        return None, "the game is not on the accessibility bus"
    windows = [w for w in app if w is not None]
    windows.sort(key=lambda w: not w.getState().contains(pyatspi.STATE_ACTIVE))
    seen = []
    for window in windows:
        for button in buttons(window, []):
            # "&OK" is read "OK"; a mnemonic's ampersand is not part of the name.
            if button.name.replace("&", "") == name:
                return button, ""
            seen.append(button.name)
    return None, "no button \"%s\"; buttons showing: %s" % (name, "|".join(seen))


def main():
    if len(sys.argv) != 3 or sys.argv[1] not in ("where", "press"):
        sys.exit(__doc__)
    button, why = find(sys.argv[2])
    if button is None:
        print(why, file=sys.stderr)
        return 1
    if sys.argv[1] == "where":
        x, y, w, h = button.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        print(x + w // 2, y + h // 2)
        return 0
    action = button.queryAction()
    for i in range(action.nActions):
        if action.getName(i).lower() in ("press", "click"):
            action.doAction(i)
            return 0
    print("the button \"%s\" has no press action" % sys.argv[2], file=sys.stderr)
    return 1


if __name__ == "__main__":
    sys.exit(main())
