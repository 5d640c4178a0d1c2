#!/usr/bin/python3
# What a screen reader hears, read through AT-SPI as Orca reads it: the
# program on this test's own session bus and X server, real keys from
# xdotool; the focused object must carry each new text and announce it.
# Then a second learner is added, and the next start's « Qui apprend ? » is
# read: the question, the list and each name the arrows reach.
#   screenreader.py /path/to/tapivox
import os, re, subprocess, sys, tempfile, time  # noqa: E401

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

TIMEOUT = 20  # seconds for any one state to be reached
# Drill keys xdotool can give without the frame or the X server acting on them.
ANSWERS = dict(Tabulation="Tab", End="End", Home="Home", Left="Left", Up="Up", Right="Right", Down="Down",
               Insert="Insert", Suppression="Delete", **{"Page Up": "Prior", "Page Down": "Next"},
               **{"F%d" % n: "F%d" % n for n in (2, 3, 4, 5, 6, 7, 8, 9, 11, 12)})
failures, announced, focus = [], [], []
FOCUSED = Atspi.StateType.FOCUSED


def on_description(event):
    text = event.any_data if isinstance(event.any_data, str) else event.source.get_description()
    announced.append((text, event.source.get_state_set().contains(FOCUSED)))


def on_focus(event):
    if event.detail1:
        focus.append(event.source)


def wait_for(what, predicate):
    deadline = time.monotonic() + TIMEOUT
    while time.monotonic() < deadline:
        while GLib.MainContext.default().pending():
            GLib.MainContext.default().iteration(False)
        result = predicate()
        if result:
            return result
        time.sleep(0.02)  # one poll step of a bounded wait
    failures.append("timed out waiting for " + what)
    return None


def find(node, predicate, everywhere=False, depth=0):
    if node is None or depth > 30 or predicate(node):
        return node
    if depth and not everywhere and not node.get_state_set().contains(Atspi.StateType.SHOWING):
        return None
    for i in range(node.get_child_count()):
        found = find(node.get_child_at_index(i), predicate, everywhere, depth + 1)
        if found:
            return found
    return None


def item(root, name):
    return find(root, lambda n: n.get_role() == Atspi.Role.MENU_ITEM and n.get_name() == name, True)


def press(key):
    announced.clear()
    subprocess.run(["xdotool", "key", key], check=True, timeout=TIMEOUT)


def heard(expected):
    """The text the focused object announced, matching the regular expression expected."""
    match = lambda: next((t for t, focused in announced if focused and re.fullmatch(expected, t)), None)  # noqa
    return wait_for("the announcement " + expected, match)


def run():
    app = wait_for("the program on the accessibility bus", lambda: find(
        Atspi.get_desktop(0), lambda n: n.get_role() == Atspi.Role.APPLICATION and n.get_name() == "Tapivox"))
    if not app or not wait_for("the frame", lambda: find(app, lambda n: n.get_role() == Atspi.Role.FRAME)):
        return
    # No window manager here: the frame gets the input focus as a desktop gives it.
    subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "^Tapivox$", "windowfocus", "--sync"],
                   check=True, timeout=TIMEOUT)
    if not wait_for("the keyboard window with the focus", lambda: focus and focus[-1].get_name() == "Clavier"):
        return
    # The lesson windows behind it are set up a moment after the first paint;
    # the reader must stay on the keyboard window meanwhile.
    if wait_for("the spreadsheet set up behind", lambda: find(app, lambda n: n.get_name() == "Tableau à remplir", True)):
        wait_for("the events sent so far", lambda: find(app, lambda n: n.get_role() == Atspi.Role.FRAME) and
                 not GLib.MainContext.default().pending())
        if focus[-1].get_name() != "Clavier":
            failures.append("focus announced on %r (%s) behind the keyboard window"
                            % (focus[-1].get_name(), focus[-1].get_role_name()))
    bar = find(app, lambda n: n.get_role() == Atspi.Role.MENU_BAR)
    names = [bar.get_child_at_index(i).get_name() for i in range(bar.get_child_count())]
    if "Aide" not in names or "?" in names:
        failures.append("menu bar items read as %r" % names)

    # Discovery: each key is spoken by the focused window.
    press("a")
    heard(re.escape("Touche a  (#97)"))
    press("Tab")
    heard("Touche Tabulation Tab\\).*")

    # Key drill, chosen as a screen reader chooses a menu item: prompt, wrong and right answers.
    for _ in range(12):
        announced.clear()
        item(bar, "Touches").do_action(0)
        prompt = heard("Appuyez sur la touche .*")
        key = prompt and prompt[len("Appuyez sur la touche "):]
        if not prompt or key in ANSWERS:
            break
    if prompt and key not in ANSWERS:
        failures.append("no drill key that xdotool can give: " + key)
    if not prompt or key not in ANSWERS:
        return
    press("a")
    heard(re.escape("Nombre d'Erreurs : 1. " + prompt))
    press(ANSWERS[key])
    heard("Bien : [0-9]+\\. Nombre d'Erreurs : 1\\. Appuyez sur la touche .*")

    # An exercise: a refused key inserts nothing, so the typing line says the score.
    item(bar, "1 Touches g h").do_action(0)
    if wait_for("the typing line with the focus", lambda: focus[-1].get_name() == "Première ligne à taper"):
        press("k")
        heard("Bon : 0     Erreurs : 1")


def focused(what, role, name=None):
    """The newest focused object of role (and name), as the reader announces it."""
    def matches(node):
        try:
            return node.get_role() == role and (name is None or node.get_name() == name)
        except GLib.Error:  # announced by a program since ended
            return False
    return wait_for(what, lambda: next((f for f in reversed(focus) if matches(f)), None))


def container(node, role):
    while node is not None and node.get_role() != role:
        node = node.get_parent()
    return node


def add_learner():
    """Options, Apprenants...: the window, its table of learners by name, and a second learner added."""
    focus.clear()
    press("alt+o")
    press("a")
    cell = focused("a learner's row with the focus", Atspi.Role.TABLE_CELL)
    if not cell:
        return None
    window, table = container(cell, Atspi.Role.DIALOG), container(cell, Atspi.Role.TABLE)
    if not window or window.get_name() != "Apprenants":
        failures.append("learners window read as %r" % (window and window.get_name()))
    if not table or table.get_name() != "Apprenants de cet ordinateur":
        failures.append("learners table read as %r" % (table and table.get_name()))
    first = cell.get_name().removesuffix(" (en cours)")
    combo = find(window, lambda n: n.get_role() == Atspi.Role.COMBO_BOX)
    labels = [t.get_name() for r in (combo.get_relation_set() if combo else [])
              if r.get_relation_type() == Atspi.RelationType.LABELLED_BY
              for t in (r.get_target(i) for i in range(r.get_n_targets()))]
    if not any(label.startswith("Niveau") for label in labels):
        failures.append("level choice labelled by %r" % labels)
    press("alt+n")
    if not focused("the name field with the focus", Atspi.Role.TEXT):
        return None
    subprocess.run(["xdotool", "type", "Lucas"], check=True, timeout=TIMEOUT)
    press("alt+a")
    if not wait_for("the second learner in the table", lambda: find(
            window, lambda n: n.get_role() == Atspi.Role.TABLE_CELL and n.get_name() == "Lucas")):
        return None
    press("Escape")
    return first


def who_learns(first):
    """At start-up with two learners: the question, the list's name, each name as the arrows reach it."""
    cell = focused("the last learner with the focus", Atspi.Role.LIST_ITEM, first)
    if not cell:
        return
    window, names = container(cell, Atspi.Role.DIALOG), container(cell, Atspi.Role.LIST)
    if not window or window.get_name() != "Qui apprend\u00a0?":
        failures.append("question read as %r" % (window and window.get_name()))
    if not names or names.get_name() != "Apprenants":
        failures.append("list of names read as %r" % (names and names.get_name()))
    app = container(cell, Atspi.Role.APPLICATION)
    press("Down")
    if focused("the second name reached with the arrow", Atspi.Role.LIST_ITEM, "Lucas"):
        press("Return")
        wait_for("the frame naming the learner", lambda: find(
            app, lambda n: n.get_role() == Atspi.Role.FRAME and n.get_name() == "Tapivox \u2014 Lucas"))


def main():
    listeners = [Atspi.EventListener.new(on_description), Atspi.EventListener.new(on_focus)]
    listeners[0].register("object:property-change:accessible-description")
    listeners[1].register("object:state-changed:focused")
    work = tempfile.mkdtemp(prefix="tapivox-screenreader-")
    env = dict(os.environ, HOME=work, XDG_DATA_HOME=os.path.join(work, "data"), LANG="fr_FR.UTF-8", QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    programs = [subprocess.Popen([os.path.abspath(sys.argv[1])], cwd=work, env=env)]
    try:
        run()
        first = not failures and add_learner()
        if first:
            # The next start asks who learns, the question in front of the frame.
            programs[0].terminate()
            programs[0].wait(timeout=10)
            focus.clear()
            programs.append(subprocess.Popen([os.path.abspath(sys.argv[1])], cwd=work, env=env))
            who_learns(first)
    finally:
        for program in programs:
            program.terminate()
            try:
                program.wait(timeout=10)
            except subprocess.TimeoutExpired:
                program.kill()
                program.wait()
        subprocess.run(["rm", "-rf", work], check=False)
    for failure in failures:
        print("FAIL:", failure)
    print("screen reader:", "FAILED" if failures else "passed")
    return 1 if failures else 0


sys.exit(main())
