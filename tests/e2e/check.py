# One behaviour of the real program, in one session, used as a person and a
# screen reader would: real keys and clicks (on Wayland, where no client
# knows where its window lies, the focus and a key stand in for a click);
# names, texts and alerts read through AT-SPI. Every behaviour ends the
# program, which must exit with status 0 and print nothing.
# Sessions: x11 (no window manager), weston (which maximizes any window and
# leaves the title bar to Qt), sway (which like GNOME and Plasma keys off the
# window's size limits, and floats it).
# Usage: check.py FRAMES_DIR SESSION compute|warnings|maximize PATH/TO/tarvelo [SCREENSHOT.png]
import atexit, os, re, shutil, subprocess, sys, tempfile, time

import pyatspi
from gi.repository import GLib

FRAMES, MODE, BEHAVIOUR, APP, SHOT = (sys.argv[1:] + [None])[:5]
WAYLAND = MODE != "x11"
SCALE = float(os.environ.get("QT_SCALE_FACTOR", "1"))
FORM_SIZE = [round(361 * SCALE), round(454 * SCALE)]
started, told, activated = [], [], []
atexit.register(lambda: [process.kill() for process in started if process.poll() is None])


def check(holds, what):
    holds or sys.exit("FAIL: %s %s: %s" % (MODE, BEHAVIOUR, what))


def wait_for(what, probe):
    deadline = time.monotonic() + 15
    while time.monotonic() < deadline:
        while GLib.MainContext.default().iteration(False):
            pass  # delivers the accessibility events that have come
        try:
            found = probe()
        except GLib.GError:  # the program may have gone from the bus
            found = None
        for ended in [p for p in started if p.args == [APP] and p.poll() is not None]:
            check(False, "the program ended before %s: %s" % (what, ended.stdout.read()))
        if found:
            return found
        time.sleep(0.05)
    check(False, "timed out waiting for " + what)


def xdotool(*args):
    subprocess.run(["xdotool", *args], check=True, capture_output=True, timeout=20)


def text_of(field):
    return field.queryText().getText(0, -1)


def find(root, role, name=None, showing=False):
    return pyatspi.findDescendant(root, lambda a: a is not None and a.getRole() == role and name in (
        None, a.name) and (not showing or a.getState().contains(pyatspi.STATE_SHOWING)))


# The control's rectangle on the screen, in pixels: AT-SPI has it in the
# toolkit's pixels, which QT_SCALE_FACTOR scales.
def extents(control):
    box = control.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return [round(v * SCALE) for v in (box.x, box.y, box.width, box.height)]


# Clicks the middle of a control; on Wayland, focuses it and presses the key.
def press(control, key="space"):
    if WAYLAND:
        control.queryComponent().grabFocus()
        wait_for("the focus", lambda: control.getState().contains(pyatspi.STATE_FOCUSED))
        key and xdotool("key", key)
    else:
        x, y, width, height = extents(control)
        xdotool("mousemove", str(x + width // 2), str(y + height // 2), "click", "1")


# Clears the field without selecting its text: a selection would become the
# primary selection, which Qt's Wayland plugin still holds at exit.
def type_into(field, keys):
    press(field, key=None)
    xdotool("key", "End", *["BackSpace"] * len(text_of(field)), "type", "--delay", "15", "--", keys)
    wait_for("%s to hold '%s'" % (field.name, keys), lambda: text_of(field) == keys)


# Whether Sway carried out the command: a command with criteria fails when no
# window matches them.
def swaymsg(command):
    socket = [f for f in os.listdir(runtime) if f.startswith("sway-ipc")][0]
    return subprocess.run(["swaymsg", "-s", runtime + "/" + socket, command], capture_output=True).returncode == 0


# The compositor, then the program, whose output is kept; the keys go to the
# X window with the focus: the compositor's, or the program's, whose class is
# the one its desktop entry names.
def start_program():
    runtime = tempfile.mkdtemp()
    env = dict(os.environ, LC_ALL="it_IT.UTF-8", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", XDG_RUNTIME_DIR=runtime,
               XDG_CURRENT_DESKTOP="", XDG_SESSION_TYPE="wayland" if WAYLAND else "x11")
    env.pop("QT_QPA_PLATFORM", None)
    if MODE == "weston":
        started.append(subprocess.Popen(["weston", "--backend=x11-backend.so", "--use-pixman", "--width=800",
                                         "--height=600", "--idle-time=0", "--socket=tarvelo", "--no-config"],
                                        env=env, stderr=subprocess.DEVNULL))
    elif WAYLAND:  # Sway refuses root: it runs as nobody, in a folder of its own with the X server's key
        runtime = tempfile.mkdtemp()
        shutil.copy(os.environ["XAUTHORITY"], runtime + "/xauthority")
        open(runtime + "/config", "w").close()
        for path in ("", "/xauthority", "/config"):
            shutil.chown(runtime + path, "nobody")
        started.append(subprocess.Popen(
            ["setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups", "env", "-i", "WLR_BACKENDS=x11",
             "WLR_RENDERER=pixman", "XDG_RUNTIME_DIR=" + runtime, "DISPLAY=" + os.environ["DISPLAY"],
             "XAUTHORITY=%s/xauthority" % runtime, "sway", "--config", runtime + "/config"],
            stderr=subprocess.DEVNULL))
    if WAYLAND:  # only the Wayland display: no X server to fall back on
        del env["DISPLAY"]
        env["WAYLAND_DISPLAY"] = runtime + "/" + wait_for(MODE, lambda: [
            f for f in os.listdir(runtime) if re.fullmatch(r"tarvelo|wayland-\d+", f)])[0]
    started.append(subprocess.Popen([APP], env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True))
    xdotool("search", "--sync", "--onlyvisible", *{"x11": ["--class", "^tarvelo$"], "sway": [
        "--maxdepth", "1", "--name", "^$"]}.get(MODE, ["--class", "^Weston Compositor$"]), "windowfocus", "--sync")
    return started[-1], runtime


# Ends the program with Uscita: it must exit with status 0 and print nothing.
def ends():
    press(uscita)
    output = app.communicate(timeout=10)[0]
    check(app.returncode == 0 and not output, "exit status %s, output: %s" % (app.returncode, output))


def dismiss_alert(message):
    box = wait_for("the alert: " + message, lambda: (a := find(program, pyatspi.ROLE_ALERT, showing=True)) and (
        a.name == "Attenzione !!!" and find(a, pyatspi.ROLE_LABEL, message) and a))
    if MODE == "weston":  # Weston's key maximizes the box too
        xdotool("key", "super+shift+m")
        wait_for("the alert to grow", lambda: extents(box)[2] > 400)
    press(button := find(box, pyatspi.ROLE_PUSH_BUTTON))
    wait_for("the alert to close", lambda: not find(program, pyatspi.ROLE_LABEL, message, showing=True))
    # A screen reader holds on to the box and its button, and asks about
    # them later; the program must answer without a word on its output.
    button.getState(), button.name
    return box


def compute():
    type_into(real, "85.5")
    type_into(ideal, "70")
    press(calcola)
    wait_for("the result 76,2", lambda: text_of(result) == "76,2")
    wait_for("the result told", lambda: told == ["Tarvelo in kg 76,2"])
    # A screen reader reads a value run by run of text attributes: one run
    # must cover each whole value, or the last character goes unread.
    for field in real, ideal, result:
        run = field.queryText().getAttributeRun(0, False)[1:]
        check(list(run) == [0, len(text_of(field))], "%s: attribute run %s" % (field.name, run))
    if SHOT:
        xdotool("mousemove", "1000", "760")  # the pointer out of the picture
        time.sleep(0.5)  # for the picture only: the last paint reaches the screen
        subprocess.run("xwdtopnm %s/Xvfb_screen0 2>/dev/null | pnmcut %d %d %d %d | pnmtopng >'%s'" % (
            FRAMES, *extents(window), SHOT), shell=True, check=True)
    ends()


# Both warnings in order after Calcola on blank fields, the result written
# first. While one is up, the main window refuses a close request (Sway's
# kill is what alt+F4 asks on GNOME or Plasma), and keeps its size: Sway
# floats a window of fixed size, where it tiles any other.
def warnings():
    press(calcola)
    if MODE == "sway":
        wait_for("an alert", lambda: find(program, pyatspi.ROLE_ALERT, showing=True))
        check(swaymsg('[title="^Calcolo del Tarvelo$"] kill'), "Sway found no window to close")
        for _ in range(20):
            check(extents(window)[2:] == FORM_SIZE and window.getState().contains(pyatspi.STATE_SHOWING),
                  "the window was closed, or tiled, while a warning was up")
            time.sleep(0.05)
    first = dismiss_alert("Il valore del Peso Reale deve essere maggiore di zero")
    second = dismiss_alert("Il valore del Peso Ideale deve essere maggiore di zero")
    # Orca speaks a box when it is activated and is not the window Orca is
    # on: the second warning comes in another box than the first.
    check(first in activated and second in activated and first != second,
          "the second warning came in the box of the first, unheard by Orca 48")
    wait_for("the result 0", lambda: text_of(result) == "0")
    check(told == ["Tarvelo in kg 0"], "told: %s" % told)
    ends()


# Weston's key, each time right after a key that has the window draw a frame
# at the fixed size (no other may follow once the maximized state is
# acknowledged): the window grows, with the form whole and centred in it and
# its fields working; pressed again, it is back at the form's size.
def maximize():
    type_into(real, "85.5")
    type_into(ideal, "70")
    for _ in range(3):
        x, width = extents(real)[0], extents(window)[2]
        xdotool("key", "--delay", "0", "Tab", "super+shift+m")
        wait_for("Weston's key to grow the window", lambda: extents(window)[2] > 400)
        moved, grown = extents(real)[0] - x, extents(window)[2] - width
        check(abs(moved - grown // 2) <= 1, "the form moved %d in a window %d wider" % (moved, grown))
        type_into(result, "")
        press(calcola)
        wait_for("the result in the grown window", lambda: text_of(result) == "76,2")
        xdotool("key", "super+shift+m")
        wait_for("the window back at its size", lambda: extents(window)[2:] == FORM_SIZE)
    ends()


# What the program tells a screen reader without moving the focus: an
# announcement (Qt 6.8), or a notification shown (before); which windows
# are activated. Orca 48 also listens to the rest, and Qt answers them:
# without a word on the output.
pyatspi.Registry.registerEventListener(lambda event: None, "object:text-changed", "window:destroy")
pyatspi.Registry.registerEventListener(lambda event: told.append(event.any_data), "object:announcement")
pyatspi.Registry.registerEventListener(lambda event: event.detail1 and event.source.getRole() == (
    pyatspi.ROLE_NOTIFICATION) and told.append(event.source.name), "object:state-changed:showing")
pyatspi.Registry.registerEventListener(lambda event: activated.append(event.source), "window:activate")
app, runtime = start_program()
program = wait_for("the program on the accessibility bus", lambda: next(
    (a for a in pyatspi.Registry.getDesktop(0) if a is not None and a.name == "tarvelo"), None))
window = program[0]
real, ideal, result = [find(program, pyatspi.ROLE_TEXT, name) for name in
                       ("Peso reale in kg", "Peso ideale in kg", "Tarvelo in kg")]
calcola, uscita = [find(program, pyatspi.ROLE_PUSH_BUTTON, name) for name in ("Calcola", "Uscita")]
{"compute": compute, "warnings": warnings, "maximize": maximize}[BEHAVIOUR]()
print("ok: %s %s" % (MODE, BEHAVIOUR))
