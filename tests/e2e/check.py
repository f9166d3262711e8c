# One behaviour of the real program, in one session, used as a person and a
# screen reader would: real keys and clicks (on Wayland, where no client
# knows where its window lies, the focus and a key stand in for a click);
# names, texts and alerts read through AT-SPI. Every behaviour ends the
# program, which must exit with status 0 and print nothing.
# Sessions: x11 (no window manager), weston (which maximizes any window and
# leaves the title bar to Qt), sway (which like GNOME and Plasma keys off the
# window's size limits, and floats it), gnome (Weston with Qt's GNOME title
# bar, Qt 6.8 and later).
# Usage: check.py FRAMES_DIR SESSION compute|warnings|maximize PATH/TO/tarvelo [SCREENSHOT.png]
import atexit
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

import pyatspi
from gi.repository import Gio, GLib

FRAMES, MODE, BEHAVIOUR, APP, SHOT = (sys.argv[1:] + [None])[:5]
WAYLAND, WESTON, GNOME = MODE != "x11", MODE in ("weston", "gnome"), MODE == "gnome"
WESTON_BACKGROUND = bytes([0x33, 0x66, 0x99])
SCALE = float(os.environ.get("QT_SCALE_FACTOR", "1"))
FORM_SIZE = [round(361 * SCALE), round(454 * SCALE)]
started, told, activated, asked = [], [], [], []
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


def find(root, role, name=None, showing=False):
    return pyatspi.findDescendant(root, lambda a: a is not None and a.getRole() == role and name in (
        None, a.name) and (not showing or a.getState().contains(pyatspi.STATE_SHOWING)))


def text_of(field):
    return field.queryText().getText(0, -1)


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


def screen():
    return subprocess.run("xwdtopnm %s/Xvfb_screen0 2>/dev/null | pnmcut 0 0 800 600" % FRAMES,
                          shell=True, check=True, capture_output=True).stdout[-800 * 600 * 3:]


# The window's title bar, once the screen shows the window maximized
# (filling the screen's width) or not: left, right and top. Weston shows the
# window on a plain background, so the title bar is the first row with a
# long run of other pixels, from an edge or a background pixel to another.
def title_bar(maximized):
    def found(screen):
        for y in range(600):
            row = "".join(".x"[screen[i:i + 3] != WESTON_BACKGROUND] for i in range(y * 2400, y * 2400 + 2400, 3))
            if bar := re.search(r"(?:^|\.)(x{300,})(?:\.|$)", row):
                return (bar.end(1) - bar.start(1) == 800) == maximized and (bar.start(1), bar.end(1), y)
    return wait_for("the window on the screen", lambda: found(screen()))


# The window grown by the desktop, with the form whole and centred in it, its
# fields as they were and Calcola working; restored, it is back at the form's
# size. `act` grows the window, and restores it when told it is maximized.
def grows_and_restores(what, act):
    x, width = extents(real)[0], extents(window)[2]
    act(False)
    wait_for("%s to grow the window" % what, lambda: extents(window)[2] > 400)
    moved, grown = extents(real)[0] - x, extents(window)[2] - width
    check(text_of(real) == "85.5", "the real weight was lost when %s grew the window" % what)
    check(abs(moved - grown // 2) <= 1, "%s: the form moved %d in a window %d wider" % (what, moved, grown))
    type_into(result, "")
    press(calcola)
    wait_for("the result in the grown window", lambda: text_of(result) == "76,2")
    act(True)
    wait_for("the window back at its size after " + what, lambda: extents(window)[2:] == FORM_SIZE)


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
               XDG_CURRENT_DESKTOP="GNOME" if GNOME else "", XDG_SESSION_TYPE="wayland" if WAYLAND else "x11")
    env.pop("QT_QPA_PLATFORM", None)
    if WESTON:
        with open(runtime + "/weston.ini", "w") as ini:
            ini.write("[shell]\nbackground-color=0xff%s\npanel-position=none\n" % WESTON_BACKGROUND.hex())
        started.append(subprocess.Popen(["weston", "--backend=x11-backend.so", "--use-pixman", "--width=800",
                                         "--height=600", "--idle-time=0", "--socket=tarvelo",
                                         "--config=%s/weston.ini" % runtime], env=env, stderr=subprocess.DEVNULL))
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


# Ends the program by `how`: it must exit with status 0 and print nothing.
def ends_by(how):
    how()
    output = app.communicate(timeout=10)[0]
    check(app.returncode == 0 and not output, "exit status %s, output: %s" % (app.returncode, output))


def dismiss_alert(message):
    box = wait_for("the alert: " + message, lambda: (a := find(program, pyatspi.ROLE_ALERT, showing=True)) and (
        a.name == "Attenzione !!!" and find(a, pyatspi.ROLE_LABEL, message) and a))
    if WESTON:  # Weston's key maximizes the box too
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
    ends_by(lambda: press(uscita))


# Both warnings in order after Calcola on blank fields, the result written
# first. While one is up, the main window refuses a close request (Sway's
# kill is what alt+F4 asks on GNOME or Plasma).
def warnings():
    press(calcola)
    if MODE == "sway":
        wait_for("an alert", lambda: find(program, pyatspi.ROLE_ALERT, showing=True))
        check(swaymsg('[title="^Calcolo del Tarvelo$"] kill'), "Sway found no window to close")
        for _ in range(20):
            check(extents(window)[2:] == FORM_SIZE and window.getState().contains(pyatspi.STATE_SHOWING),
                  "a close request changed the window")
            time.sleep(0.05)
    first = dismiss_alert("Il valore del Peso Reale deve essere maggiore di zero")
    second = dismiss_alert("Il valore del Peso Ideale deve essere maggiore di zero")
    # Orca speaks a box when it is activated and is not the window Orca is
    # on: the second warning comes in another box than the first.
    check(first in activated and second in activated and first != second,
          "the second warning came in the box of the first, unheard by Orca 48")
    wait_for("the result 0", lambda: text_of(result) == "0")
    check(told == ["Tarvelo in kg 0"], "told: %s" % told)
    ends_by(lambda: press(uscita))


# Weston's key, right after a key that has the window draw a frame at the
# fixed size (no other may follow once the maximized state is acknowledged),
# and the maximize button of Qt's title bar, 40 from its right end and 15
# below its top; on GNOME's title bar, its maximize button and a double-click
# on the title, then its close button.
def maximize():
    type_into(real, "85.5")
    type_into(ideal, "70")

    def click(x, y, *more):
        xdotool("mousemove", str(x), str(y), "click", *more, "1")

    def gnome_button(index, maximized):  # from the right: close, maximize, minimize
        (left, right, top), shown = title_bar(maximized), screen()
        row = [shown[((top + 25) * 800 + x) * 3:][:3] for x in range(left, right)]
        runs = list(re.finditer(r"y{15,}", "".join("xy"[pixel != row[20]] for pixel in row)))[::-1]
        return left + (runs[index].start() + runs[index].end()) // 2, top + 25

    if GNOME:
        wait_for("the title bar's buttons asked of the desktop", lambda: asked)
        grows_and_restores("the maximize button of GNOME's title bar", lambda m: click(*gnome_button(1, m)))
        grows_and_restores("a double-click on GNOME's title bar", lambda m: click(
            title_bar(m)[0] + 40, title_bar(m)[2] + 25, "--repeat", "2", "--delay", "100"))
        return ends_by(lambda: click(*gnome_button(0, False)))
    for _ in range(3):
        grows_and_restores("Weston's key", lambda m: xdotool(
            "key", "--delay", "0", *([] if m else ["Tab"]), "super+shift+m"))
    grows_and_restores("the maximize button of Qt's title bar", lambda m: click(
        title_bar(m)[1] - 40, title_bar(m)[2] + 15))
    ends_by(lambda: press(uscita))


# Stands in for the desktop's settings portal, from which Qt's GNOME title bar
# takes the buttons it shows: here minimize, maximize and close.
if GNOME:
    BUS = Gio.bus_get_sync(Gio.BusType.SESSION)
    BUS.register_object("/org/freedesktop/portal/desktop", Gio.DBusNodeInfo.new_for_xml(
        """<node><interface name="org.freedesktop.portal.Settings"><method name="ReadAll"><arg type="as"
        direction="in"/><arg type="a{sa{sv}}" direction="out"/></method></interface></node>""").interfaces[0],
        lambda bus, sender, path, interface, method, args, invocation: asked.append(method) or
        invocation.return_value(GLib.Variant("(a{sa{sv}})", ({"org.gnome.desktop.wm.preferences": {
            "button-layout": GLib.Variant("s", "appmenu:minimize,maximize,close")}},))))
    BUS.call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "RequestName",
                  GLib.Variant("(su)", ("org.freedesktop.portal.Desktop", 4)), None, 0, -1, None)
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
if MODE == "sway":  # a window of fixed size floats, where any other is tiled
    wait_for("the window floating", lambda: swaymsg('[app_id="^org.tarvelo.Tarvelo$" floating] nop'))
{"compute": compute, "warnings": warnings, "maximize": maximize}[BEHAVIOUR]()
print("ok: %s %s" % (MODE, BEHAVIOUR))
