#!/usr/bin/python3
# What a screen reader hears from Tapivox, through AT-SPI as Orca gets it:
# the program runs on this test's own session bus (dbus-run-session) and X
# server, xdotool presses real keys, and the focused object must carry each
# new text and announce it with a description change.
#   screenreader.py /path/to/tapivox
import os
import subprocess
import sys
import tempfile
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

TIMEOUT = 20  # seconds for any one state to be reached

# Drill prompts that xdotool can answer without the X server or the frame
# acting on the key (F1 opens the help, F10 and Alt the menus, the locks
# change state).
ANSWERS = {
    "Tabulation": "Tab", "Page Up": "Prior", "Page Down": "Next", "End": "End",
    "Home": "Home", "Left": "Left", "Up": "Up", "Right": "Right", "Down": "Down",
    "Insert": "Insert", "Suppression": "Delete", "F2": "F2", "F3": "F3", "F4": "F4",
    "F5": "F5", "F6": "F6", "F7": "F7", "F8": "F8", "F9": "F9", "F11": "F11", "F12": "F12",
}

failures = []
announced = []  # (name of the source, new description, source focused)
focus = []  # the objects that took the focus, last one last


def on_focus(event):
    if event.detail1:
        focus.append(event.source)


def on_description(event):
    states = event.source.get_state_set()
    text = event.any_data if isinstance(event.any_data, str) else event.source.get_description()
    announced.append((event.source.get_name(), text, states.contains(Atspi.StateType.FOCUSED)))


def pump():
    ctx = GLib.MainContext.default()
    while ctx.pending():
        ctx.iteration(False)


def wait_for(what, predicate):
    deadline = time.monotonic() + TIMEOUT
    while time.monotonic() < deadline:
        pump()
        result = predicate()
        if result:
            return result
        GLib.MainContext.default().iteration(False)
        time.sleep(0.02)  # a poll step of a bounded wait, not a delay
    failures.append("timed out waiting for " + what)
    return None


def check(ok, message):
    if not ok:
        failures.append(message)
    return ok


def find(node, predicate, depth=0, everywhere=False):
    """Depth-first search of the showing part of the tree (of all of it with everywhere)."""
    if node is None or depth > 30:
        return None
    if predicate(node):
        return node
    if depth > 0 and not everywhere and not node.get_state_set().contains(Atspi.StateType.SHOWING):
        return None
    for i in range(node.get_child_count()):
        found = find(node.get_child_at_index(i), predicate, depth + 1, everywhere)
        if found:
            return found
    return None


def application():
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app is not None and app.get_name().lower() == "tapivox":
            return app
    return None


def xdotool(*args):
    announced.clear()
    subprocess.run(["xdotool", *args], check=True, timeout=TIMEOUT)


def announcement(predicate, what):
    """Waits for a description change of the focused object that satisfies predicate."""
    def seen():
        for name, text, focused in announced:
            if focused and predicate(text):
                return text
        return None
    text = wait_for(what, seen)
    announced.clear()
    return text


def main():
    listener = Atspi.EventListener.new(on_description)
    listener.register("object:property-change:accessible-description")
    focus_listener = Atspi.EventListener.new(on_focus)
    focus_listener.register("object:state-changed:focused")
    work = tempfile.mkdtemp(prefix="tapivox-screenreader-")
    env = dict(os.environ, HOME=work, LANG="fr_FR.UTF-8", QT_QPA_PLATFORM="xcb",
               QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1")
    program = subprocess.Popen([os.path.abspath(sys.argv[1])], cwd=work, env=env)
    try:
        app = wait_for("the program on the accessibility bus", application)
        if not app:
            return
        # No window manager here: the frame is given the X input focus, as a
        # desktop gives it to the window it starts.
        wait_for("the frame on the screen", lambda: find(app, lambda n: n.get_role() == Atspi.Role.FRAME))
        xdotool("search", "--sync", "--onlyvisible", "--name", "^Tapivox$", "windowfocus", "--sync")
        focused = wait_for("the keyboard window with the focus", lambda: focus and focus[-1])
        if not focused:
            return
        check(focused.get_name() == "Clavier", "focus on %s %r, not the keyboard window" % (
            focused.get_role_name(), focused.get_name()))

        # Every menu of the bar is read by a word.
        bar = find(app, lambda n: n.get_role() == Atspi.Role.MENU_BAR)
        if check(bar is not None, "no menu bar"):
            names = [bar.get_child_at_index(i).get_name() for i in range(bar.get_child_count())]
            check("Aide" in names and "?" not in names, "menu bar items read as %r" % names)

        # Discovery: the key pressed is spoken by the focused window.
        xdotool("key", "a")
        check(announcement(lambda t: t == "Touche a  (#97)", "the description of a") is not None,
              "the description of a was not announced")
        xdotool("key", "Tab")
        check(announcement(lambda t: t.startswith("Touche Tabulation"), "the description of Tab") is not None,
              "the description of Tab was not announced")
        check(focused.get_description().startswith("Touche Tabulation"), "the focused object lost the text")

        # Key drill, chosen from the menu as a screen reader does it (a key
        # chosen with a key would leave its release to the drill): the
        # prompt, a wrong answer, a right answer.
        touches = find(bar, lambda n: n.get_role() == Atspi.Role.MENU_ITEM and n.get_name() == "Touches",
                       everywhere=True) if bar else None
        if not check(touches is not None, "no menu item Touches"):
            return
        prompt = None
        for _ in range(12):
            announced.clear()
            touches.do_action(0)
            prompt = announcement(lambda t: t.startswith("Appuyez sur la touche "), "the drill prompt")
            if not prompt or prompt[len("Appuyez sur la touche "):] in ANSWERS:
                break
        if not prompt:
            return
        key = prompt[len("Appuyez sur la touche "):]
        if not check(key in ANSWERS, "no drill key that xdotool can answer: " + key):
            return
        xdotool("key", "a")
        check(announcement(lambda t: t == "Nombre d'Erreurs : 1. " + prompt, "the wrong answer") is not None,
              "the wrong answer was not announced with the prompt")
        xdotool("key", ANSWERS[key])
        right = announcement(lambda t: t.startswith("Bien : "), "the right answer")
        check(right is not None and "Nombre d'Erreurs : 1. Appuyez sur la touche " in right,
              "the right answer was announced as %r" % right)

        # An exercise: a refused key inserts nothing, the focused line says the score.
        exercise = find(bar, lambda n: n.get_role() == Atspi.Role.MENU_ITEM and n.get_name() == "1 Touches g h",
                        everywhere=True)
        if not check(exercise is not None, "no menu item for exercise 1"):
            return
        focus.clear()
        exercise.do_action(0)
        line = wait_for("the first typing line with the focus",
                        lambda: focus and focus[-1].get_name() == "Première ligne à taper" and focus[-1])
        if not line:
            return
        xdotool("key", "k")
        check(announcement(lambda t: t == "Bon : 0     Erreurs : 1", "the refused key") is not None,
              "the refused key was not announced by the typing line")
    finally:
        program.terminate()
        try:
            program.wait(timeout=10)
        except subprocess.TimeoutExpired:
            program.kill()
            program.wait()
        subprocess.run(["rm", "-rf", work], check=False)


main()
for failure in failures:
    print("FAIL:", failure)
print("screen reader: %s" % ("FAILED" if failures else "passed"))
sys.exit(1 if failures else 0)
