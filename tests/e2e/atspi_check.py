"""Uses the running program as a screen reader user would, through the
AT-SPI tree: finds the controls by their accessible names, types into the
fields, presses the buttons through their actions, reads the result and the
warnings. Exits non-zero at the first thing that is not as expected."""
import subprocess
import sys
import time

import pyatspi

TIMEOUT = 15


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)


def wait_for(what, probe):
    deadline = time.time() + TIMEOUT
    while time.time() < deadline:
        found = probe()
        if found:
            return found
        time.sleep(0.05)
    fail("timed out waiting for " + what)


def application():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "tarvelo":
            return app
    return None


def find(root, role, name):
    return pyatspi.findDescendant(
        root, lambda a: a is not None and a.getRole() == role and a.name == name)


def text_of(accessible):
    text = accessible.queryText()
    return text.getText(0, text.characterCount)


def press(button):
    button.queryAction().doAction(0)


def type_into(field, keys):
    field.queryComponent().grabFocus()
    wait_for("focus in " + field.name,
             lambda: field.getState().contains(pyatspi.STATE_FOCUSED))
    subprocess.run(["xdotool", "key", "ctrl+a", "BackSpace"], check=True)
    if keys:
        subprocess.run(["xdotool", "type", "--delay", "15", "--", keys], check=True)
    wait_for(field.name + " to hold '%s'" % keys, lambda: text_of(field) == keys)


def alert(app):
    for window in app:
        if window is not None and window.getRole() == pyatspi.ROLE_ALERT:
            return window
    return None


def says(box, message):
    return box is not None and pyatspi.findDescendant(
        box, lambda a: a is not None and a.getRole() == pyatspi.ROLE_LABEL and a.name == message)


def read_and_dismiss_alert(app, title, message):
    box = wait_for("an alert", lambda: alert(app))
    if not says(box, message):
        texts = [a.name for a in pyatspi.findAllDescendants(box, lambda a: a is not None)]
        fail("the alert does not say '%s': %s" % (message, texts))
    if box.name != title:
        fail("alert title '%s', expected '%s'" % (box.name, title))
    ok = pyatspi.findDescendant(
        box, lambda a: a is not None and a.getRole() == pyatspi.ROLE_PUSH_BUTTON)
    press(ok)
    wait_for("the alert to close", lambda: not says(alert(app), message))
    print("ok: alert '%s': %s" % (title, message))


def main():
    app = wait_for("the program on the accessibility bus", application)
    real = wait_for("the real-weight field",
                    lambda: find(app, pyatspi.ROLE_TEXT, "Peso reale in kg"))
    ideal = find(app, pyatspi.ROLE_TEXT, "Peso ideale in kg")
    result = find(app, pyatspi.ROLE_TEXT, "Tarvelo in kg")
    buttons = {name: find(app, pyatspi.ROLE_PUSH_BUTTON, name)
               for name in ("Calcola", "Cancella", "Uscita")}
    for name, found in [("Peso ideale in kg", ideal), ("Tarvelo in kg", result)] + list(buttons.items()):
        if found is None:
            fail("no control named '%s'" % name)
    if "calcolato" not in result.description:
        fail("the result field has no description: '%s'" % result.description)
    print("ok: fields and buttons found by their Italian names")

    type_into(real, "85.5")
    type_into(ideal, "70")
    press(buttons["Calcola"])
    wait_for("the result 76,2", lambda: text_of(result) == "76,2")
    print("ok: the result reads 76,2")

    type_into(real, "")
    type_into(ideal, "")
    press(buttons["Calcola"])
    read_and_dismiss_alert(app, "Attenzione !!!", "Il valore del Peso Reale deve essere maggiore di zero")
    read_and_dismiss_alert(app, "Attenzione !!!", "Il valore del Peso Ideale deve essere maggiore di zero")
    wait_for("the result 0", lambda: text_of(result) == "0")
    if alert(app) is not None:
        fail("a third alert came up")

    press(buttons["Uscita"])


if __name__ == "__main__":
    main()
