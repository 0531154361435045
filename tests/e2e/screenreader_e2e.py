"""A screen reader's view: an AT-SPI client outside the process finds and drives the demo."""
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(__file__))
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

        box = find(frame, pyatspi.ROLE_TEXT, "Item number for Enable or Disable", True)
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
