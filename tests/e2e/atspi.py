#!/usr/bin/python3
"""What a screen reader finds of Tarrowin on the accessibility bus (AT-SPI),
through pyatspi, as Orca reads it.

    atspi.py enable              switches the desktop's accessibility on
    atspi.py check TITLE         the tree: windows, names, roles, values, the
                                 status line's text, the delays' description,
                                 the frames' relations; the
                                 options opened through the icon's action; a
                                 speed box set through its editable text
    atspi.py fast                every speed 1 ms, set in the dialog and applied
    atspi.py count SECONDS       value and name changes a second, and how many
                                 name changes and texts put into the status line,
                                 as "<value events/s> <name events/s> <names> <texts>"
    atspi.py saver [toggle]      the "Disable Screen Saver" box's description
                                 (what keeps the screen on), after opening the
                                 dialog through the icon and, with toggle,
                                 clicking the box through its action

Every failure prints what it found and exits 1.
"""
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

import pyatspi  # noqa: E402

WAIT_SECONDS = 60


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)


def enable():
    # The property a desktop sets when assistive technology is in use; Qt's
    # accessibility follows it.
    subprocess.run(
        ["gdbus", "call", "--session", "--dest", "org.a11y.Bus", "--object-path", "/org/a11y/bus",
         "--method", "org.freedesktop.DBus.Properties.Set", "org.a11y.Status", "IsEnabled",
         "<true>"],
        check=True, stdout=subprocess.DEVNULL)


def application():
    deadline = time.monotonic() + WAIT_SECONDS
    while time.monotonic() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name.lower() == "tarrowin":
                return app
        time.sleep(0.2)
    fail("no application named tarrowin on the accessibility bus")


def walk(node):
    yield node
    for child in node:
        if child is not None:
            yield from walk(child)


def find(root, role, name=None):
    for node in walk(root):
        if node.getRole() == role and (name is None or node.name == name):
            return node
    return None


def wait_find(app, role, name):
    deadline = time.monotonic() + WAIT_SECONDS
    while time.monotonic() < deadline:
        found = find(app, role, name)
        if found is not None and found.getState().contains(pyatspi.STATE_SHOWING):
            return found
        time.sleep(0.2)
    fail("no shown %s named %r; the tree has: %s" % (pyatspi.Accessibility.ROLE_NAMES.get(role, role), name, describe(app)))


def describe(root):
    return "; ".join("%s %r" % (n.getRoleName(), n.name) for n in walk(root))


def actions(node):
    try:
        action = node.queryAction()
    except NotImplementedError:
        return []
    return [action.getName(i) for i in range(action.nActions)]


def text_of(node):
    text = node.queryText()
    return text.getText(0, text.characterCount)


def check(title):
    app = application()
    frame = wait_find(app, pyatspi.ROLE_FRAME, title)
    for name in ("Task progress", "Overall progress"):
        bar = find(frame, pyatspi.ROLE_PROGRESS_BAR, name)
        if bar is None:
            fail("no progress bar %r in the window: %s" % (name, describe(frame)))
        value = bar.queryValue()
        if (value.minimumValue, value.maximumValue) != (0, 40) or not 0 <= value.currentValue <= 40:
            fail("%s: value %s in %s..%s" % (name, value.currentValue, value.minimumValue, value.maximumValue))
        # Qt's bridge itself adds Increase and Decrease to anything with a
        # value, and lets its value be set; the bar offers no action of its
        # own, and neither those nor a set move it (the test's speeds hold the
        # bars still meanwhile).
        offered = [a for a in actions(bar) if a.lower() not in ("increase", "decrease")]
        if offered:
            fail("%s offers %s" % (name, offered))
        if not bar.getState().contains(pyatspi.STATE_READ_ONLY):
            fail("%s: the value is not read-only: %s" % (name, bar.getState().getStates()))
        before = value.currentValue
        for i, action in enumerate(actions(bar)):
            bar.queryAction().doAction(i)
        value.currentValue = 20 if before != 20 else 30
        time.sleep(0.5)
        if value.currentValue != before:
            fail("%s: the actions %s and a set moved the value from %s to %s"
                 % (name, actions(bar), before, value.currentValue))
    status = find(frame, pyatspi.ROLE_LABEL)
    if status is None:
        fail("no status line in the window: %s" % describe(frame))
    if text_of(status) != status.name:
        fail("the status line %r reads as the text %r" % (status.name, text_of(status)))
    icon = find(frame, pyatspi.ROLE_PUSH_BUTTON, "Options")
    if icon is None:
        fail("no button named Options (the icon): %s" % describe(frame))
    if not icon.getState().contains(pyatspi.STATE_FOCUSABLE):
        fail("the icon cannot take the focus")
    press(icon)

    dialog = wait_find(app, pyatspi.ROLE_DIALOG, "Options")
    expected = {"Title": pyatspi.ROLE_TEXT, "Status 1": pyatspi.ROLE_TEXT, "Delay 1": pyatspi.ROLE_TEXT,
                "Dual progress bars": pyatspi.ROLE_CHECK_BOX, "Apply": pyatspi.ROLE_PUSH_BUTTON,
                "OK": pyatspi.ROLE_PUSH_BUTTON, "Visit Website": pyatspi.ROLE_PUSH_BUTTON}
    for name, role in expected.items():
        if find(dialog, role, name) is None:
            fail("no %s named %r in the dialog: %s" % (pyatspi.Accessibility.ROLE_NAMES.get(role, role), name, describe(dialog)))

    for i in range(1, 6):
        described = find(dialog, pyatspi.ROLE_TEXT, "Delay %d" % i).description
        if described != "Milliseconds, from 1 to 50000":
            fail("Delay %d is described as %r" % (i, described))
    icon_list = find(dialog, pyatspi.ROLE_COMBO_BOX)
    if icon_list is None or icon_list.name != "Icon":
        fail("the icon list is not named Icon: %s" % describe(dialog))
    # A frame is named by its caption and labels none of the controls in it.
    for caption in ("Change Messages:", "Appearance:"):
        frame = find(dialog, pyatspi.ROLE_PANEL, caption)
        if frame is None:
            fail("no frame named %r: %s" % (caption, describe(dialog)))
        labelled = [r.getTarget(i).name for r in frame.getRelationSet()
                    if r.getRelationType() == pyatspi.RELATION_LABEL_FOR for i in range(r.getNTargets())]
        if labelled:
            fail("the frame %r labels %s" % (caption, labelled))

    # An assistive tool sets a speed: the speed rule answers as for typing.
    delay = find(dialog, pyatspi.ROLE_TEXT, "Delay 1")
    for typed, kept in (("0", "1"), ("70000", "50000"), ("abc", "1"), ("250", "250")):
        delay.queryEditableText().setTextContents(typed)
        deadline = time.monotonic() + WAIT_SECONDS
        while text_of(delay) != kept and time.monotonic() < deadline:
            time.sleep(0.05)
        if text_of(delay) != kept:
            fail("Delay 1 set to %r holds %r, not %r" % (typed, text_of(delay), kept))
    print("PASS tree")


def press(node):
    names = [a.lower() for a in actions(node)]
    if "press" not in names:
        fail("%s offers %s, not Press" % (node.name, names))
    node.queryAction().doAction(names.index("press"))


def fast():
    app = application()
    dialog = wait_find(app, pyatspi.ROLE_DIALOG, "Options")
    for i in range(1, 6):
        find(dialog, pyatspi.ROLE_TEXT, "Delay %d" % i).queryEditableText().setTextContents("1")
    press(find(dialog, pyatspi.ROLE_PUSH_BUTTON, "Apply"))


def count(seconds):
    app = application()
    counts = {"value": 0, "name": 0, "text": 0}

    def heard(event):
        if event.host_application is None or event.host_application.name.lower() != "tarrowin":
            return
        if event.type.startswith("object:property-change:accessible-value"):
            counts["value"] += 1
        elif event.type.startswith("object:property-change:accessible-name"):
            counts["name"] += 1
        elif event.type.startswith("object:text-changed:insert") and event.source.getRole() == pyatspi.ROLE_LABEL:
            counts["text"] += 1

    del app
    pyatspi.Registry.registerEventListener(heard, "object:property-change:accessible-value",
                                           "object:property-change:accessible-name",
                                           "object:text-changed:insert")
    GLib.timeout_add(int(seconds * 1000), lambda: pyatspi.Registry.stop())
    pyatspi.Registry.start()
    print("%.1f %.1f %d %d" % (counts["value"] / seconds, counts["name"] / seconds, counts["name"], counts["text"]))


def description(node):
    node.clear_cache()
    return node.description


def saver(toggle):
    app = application()
    dialog = find(app, pyatspi.ROLE_DIALOG, "Options")
    if dialog is None or not dialog.getState().contains(pyatspi.STATE_SHOWING):
        frame = wait_find(app, pyatspi.ROLE_FRAME, None)
        press(find(frame, pyatspi.ROLE_PUSH_BUTTON, "Options"))
    box = wait_find(app, pyatspi.ROLE_CHECK_BOX, "Disable Screen Saver")
    before = description(box)
    if toggle:
        names = [a.lower() for a in actions(box)]
        name = "toggle" if "toggle" in names else "press"
        if name not in names:
            fail("the box offers %s" % names)
        box.queryAction().doAction(names.index(name))
        deadline = time.monotonic() + WAIT_SECONDS
        while description(box) == before and time.monotonic() < deadline:
            time.sleep(0.1)
    print(description(box))


def main(argv):
    if len(argv) < 2:
        fail(__doc__)
    if argv[1] == "enable":
        enable()
    elif argv[1] == "check":
        check(argv[2])
    elif argv[1] == "fast":
        fast()
    elif argv[1] == "count":
        count(float(argv[2]))
    elif argv[1] == "saver":
        saver(argv[2:] == ["toggle"])
    else:
        fail("unknown command " + argv[1])


if __name__ == "__main__":
    main(sys.argv)
