# SPDX-License-Identifier: BSD-3-Clause
"""A screen reader's view: an AT-SPI client outside the process finds and drives the demo."""
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(__file__))
import screen  # noqa: E402
from xsession import SANDBOX_FAMILIES, Results, SessionBus, XSession  # noqa: E402

TITLE = "Kv Extended ListBox Control"


def walk(node, depth=0, limit=40):
    if node is None or depth > limit:
        return
    yield node
    for i in range(node.childCount):
        try:
            child = node.getChildAtIndex(i)
        except Exception:
            continue
        yield from walk(child, depth + 1, limit)


def find(root, role=None, name=None, showing=None):
    for node in walk(root):
        try:
            if role is not None and node.getRole() != role:
                continue
            if name is not None and node.name != name:
                continue
            if showing is not None and node.getState().contains(pyatspi.STATE_SHOWING) != showing:
                continue
            return node
        except Exception:
            continue
    return None


wait = XSession.wait_for


def app_frame():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is None:
            continue
        for j in range(app.childCount):
            window = app.getChildAtIndex(j)
            if window is not None and window.name == TITLE:
                return app, window
    return None


def list_items(lst):
    return [lst.getChildAtIndex(i).name for i in range(lst.childCount)
            if lst.getChildAtIndex(i).getRole() == pyatspi.ROLE_LIST_ITEM]


def select_tab(frame, name):
    tabs = find(frame, pyatspi.ROLE_PAGE_TAB_LIST)
    for i in range(tabs.childCount):
        tab = tabs.getChildAtIndex(i)
        if tab.getRole() == pyatspi.ROLE_PAGE_TAB and tab.name == name:
            press(tab)
            return


def select_item(lst, text):
    items = [lst.getChildAtIndex(i) for i in range(lst.childCount)]
    item = items[[c.name for c in items].index(text)]
    try:
        lst.querySelection().selectChild(items.index(item))
    except NotImplementedError:  # Qt 6.4 offers a list item's own action instead
        action = item.queryAction()
        names = [action.getName(i) for i in range(action.nActions)]
        print("item actions:", names)
        action.doAction(0)


def press(node):
    action = node.queryAction()
    for i in range(action.nActions):
        if action.getName(i) in ("Press", "press", "click"):
            action.doAction(i)
            return
    action.doAction(0)


def ink(x, node):
    """Dark pixels of a control as drawn on the screen."""
    left, top, width, height = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return screen.Grab(x, (left, top, width, height)).count((0, 0, width, height), screen.dark)


def checked(box):
    return box.getState().contains(pyatspi.STATE_CHECKED)


def soon(predicate, timeout=5.0):
    """The predicate's first true value within the timeout, else its last value."""
    try:
        return wait(predicate, "a change", timeout)
    except TimeoutError:
        return predicate()


def enabled(node):
    state = node.getState()
    return state.contains(pyatspi.STATE_ENABLED) and state.contains(pyatspi.STATE_SENSITIVE)


def main(exe):
    r = Results()
    # Start the accessibility bus first: Qt joins it only once it is there, and a client's
    # first look at the desktop is what it keeps.
    subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
                    "org.a11y.Bus.GetAddress"], check=True, capture_output=True, timeout=20)
    with XSession(private_fonts=True) as x:
        env = {"QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1", "QT_ACCESSIBILITY": "1"}
        x.start(exe, extra_env=env)
        x.find_window(TITLE)
        time.sleep(1.0)
        app, frame = wait(app_frame, "the demo on the accessibility bus", 30)
        r.check("window found by its caption", frame.name == TITLE, frame.name)

        tabs = find(frame, pyatspi.ROLE_PAGE_TAB_LIST)
        names = [tabs.getChildAtIndex(i).name for i in range(tabs.childCount)
                 if tabs.getChildAtIndex(i).getRole() == pyatspi.ROLE_PAGE_TAB] if tabs else []
        r.check("three tab names", names == ["Font", "Color", "Picture"], names)

        fonts = find(frame, pyatspi.ROLE_LIST, "Fonts")
        names = list_items(fonts) if fonts else []
        r.check("font list reads the private font set's families", names == list(SANDBOX_FAMILIES), names)

        # A font chosen through its row's action is the sample's; Liberation Sans, whose bold the
        # font engine makes from the regular file (the private set has no bold files).
        select_item(fonts, "Liberation Sans")
        r.check("a font chosen by its action names its kind",
                soon(lambda: find(frame, pyatspi.ROLE_LABEL, "Font Type: True Type", True) is not None))

        # "Bold" ticked by its action: the sample is drawn bold, with more ink; cleared, regular again.
        sample = find(frame, pyatspi.ROLE_LABEL, "Sample text", True)
        bold = find(frame, pyatspi.ROLE_CHECK_BOX, "Bold", True)
        regular = ink(x, sample)
        press(bold)  # a check box's one action is Toggle
        r.check("Bold is ticked by its action", soon(lambda: checked(bold)))
        thick = soon(lambda: ink(x, sample) > regular * 1.15) and ink(x, sample)
        print(f"sample ink in dark pixels: regular {regular}, bold {thick}")
        r.check("the sample is drawn bold", thick > regular * 1.15, (regular, thick))
        press(bold)
        again = soon(lambda: ink(x, sample) == regular) and ink(x, sample)
        r.check("cleared, the sample is regular again", not checked(bold) and again == regular,
                (regular, again))

        select_tab(frame, "Color")
        colours = wait(lambda: find(frame, pyatspi.ROLE_LIST, "Colors", True), "colour list shown")
        items = list_items(colours)
        r.check("colour list items read", items[:8] == ["Blue", "Cyan", "Green", "Magenta", "Red",
                                                         "Yellow", "White", "Black"], items)
        select_item(colours, "Black")
        black = colours.getChildAtIndex(items.index("Black"))
        r.check("Black is selected", wait(lambda: black.getState().contains(pyatspi.STATE_SELECTED),
                                          "Black selected", 5))

        select_tab(frame, "Picture")
        people = wait(lambda: find(frame, pyatspi.ROLE_LIST, "Characters", True), "character list shown")
        items = list_items(people)
        r.check("character list has 19 items", len(items) == 19, len(items))
        select_item(people, "Oku")
        oku = people.getChildAtIndex(items.index("Oku"))
        descr = oku.description
        r.check("item carries its description", len(descr) > 10, descr)
        label = wait(lambda: find(frame, pyatspi.ROLE_LABEL, descr, True), "description shown", 5)
        r.check("the new description is read", label is not None)

        r.check("Oku is selected through its action",
                wait(lambda: oku.getState().contains(pyatspi.STATE_SELECTED), "Oku selected", 5))

        # "Enabled" cleared by its action disables the list as a whole; ticked, it enables it again.
        box = find(frame, pyatspi.ROLE_CHECK_BOX, "Enabled", True)
        press(box)
        r.check("Enabled is cleared by its action", soon(lambda: not checked(box)))
        r.check("the character list is disabled", soon(lambda: not enabled(people)))
        press(box)
        r.check("ticked again, the list is enabled", soon(lambda: enabled(people)))

        # Disable row 5 with the page's own button; the reader then hears it as unavailable.
        box = find(frame, pyatspi.ROLE_TEXT, "Item number for Enable or Disable", True)
        box.queryEditableText().setTextContents("5")
        press(find(frame, pyatspi.ROLE_PUSH_BUTTON, "Enable or Disable", True))
        ezra = people.getChildAtIndex(5)

        def unavailable():
            state = ezra.getState()
            return not state.contains(pyatspi.STATE_ENABLED) and not state.contains(pyatspi.STATE_SENSITIVE)
        r.check("a disabled item reads as not enabled", wait(unavailable, "row 5 disabled", 5),
                [pyatspi.stateToString(s) for s in ezra.getState().getStates()])
        r.check("an enabled item reads as enabled",
                people.getChildAtIndex(6).getState().contains(pyatspi.STATE_ENABLED))
        find(frame, pyatspi.ROLE_TEXT, "Text to find", True).queryEditableText().setTextContents("Ezra")
        press(find(frame, pyatspi.ROLE_PUSH_BUTTON, "Find Item", True))
        r.check("a disabled item the program selects reads as selected",
                wait(lambda: ezra.getState().contains(pyatspi.STATE_SELECTED), "row 5 selected", 5))

        box.queryEditableText().setTextContents("19")
        button = find(frame, pyatspi.ROLE_PUSH_BUTTON, "Enable or Disable", True)
        press(button)

        def error_box():
            for node in walk(app):
                try:
                    if node.getRole() in (pyatspi.ROLE_DIALOG, pyatspi.ROLE_ALERT) and node.name == "ERROR":
                        return node
                except Exception:
                    pass
            return None
        dialog = wait(error_box, "the ERROR box", 10)
        text = find(dialog, pyatspi.ROLE_LABEL, "Invalid index!")
        r.check("'Invalid index!' box shown", text is not None)
        ok = find(dialog, pyatspi.ROLE_PUSH_BUTTON, "OK")
        press(ok)
    return r.finish()


if __name__ == "__main__":
    with SessionBus():
        import pyatspi  # once the bus is there
        sys.exit(main(sys.argv[1]))
