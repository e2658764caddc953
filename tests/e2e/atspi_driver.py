"""Driving the real program through the accessibility bus: find widgets by role and name,
click them with the pointer, type with the keyboard, wait for what should appear."""

import datetime
import os
import shutil
import signal
import subprocess
import time

import pyatspi

APP_NAME = "VORTAPL"


class E2EError(AssertionError):
    pass


def wait_for(what, probe, timeout=20.0, step=0.1):
    """Polls probe() until it returns something true; that value is returned."""
    end = time.monotonic() + timeout
    last_error = None
    while time.monotonic() < end:
        try:
            value = probe()
            if value:
                return value
        except Exception as e:  # an object that went away while we looked at it
            last_error = e
        time.sleep(step)
    raise E2EError("timed out waiting for %s%s" % (what, " (%s)" % last_error if last_error else ""))


def app():
    for a in pyatspi.Registry.getDesktop(0):
        if a is not None and a.name == APP_NAME:
            return a
    return None


def role(node):
    try:
        return node.getRoleName()
    except Exception:
        return ""


def children(node):
    try:
        return [c for c in node if c is not None]
    except Exception:
        return []


def showing(node):
    try:
        return node.getState().contains(pyatspi.STATE_SHOWING)
    except Exception:
        return False


def find_all(root, role_name=None, name=None, pred=None, only_showing=True):
    out = []
    stack = [root]
    while stack:
        n = stack.pop()
        try:
            ok = (role_name is None or role(n) == role_name) and (name is None or n.name == name)
            if ok and pred is not None:
                ok = pred(n)
            if ok and (not only_showing or showing(n)):
                out.append(n)
            # A grid's thousands of cells are read one call each: only a search for cells
            # goes into them.
            if role_name in (None, "table cell") or role(n) != "table":
                stack.extend(reversed(children(n)))
        except Exception:
            pass
    return out


def find(root, role_name=None, name=None, pred=None, timeout=20.0):
    def probe():
        r = root() if callable(root) else root
        found = find_all(r, role_name, name, pred) if r is not None else []
        return found[0] if found else None
    return wait_for("%s %r" % (role_name, name), probe, timeout)


def windows():
    a = app()
    return [w for w in children(a) if showing(w)] if a is not None else []


def window(title, timeout=20.0):
    """A top-level window (dialog, message box) by its title."""
    return wait_for("window %r" % title,
                    lambda: next((w for w in windows() if w.name == title), None), timeout)


def window_gone(title, timeout=20.0):
    wait_for("window %r to close" % title,
             lambda: all(w.name != title for w in windows()), timeout)


def center(node):
    ext = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    if ext.width <= 0 or ext.height <= 0:
        raise E2EError("%s %r has no area on screen" % (role(node), node.name))
    return ext.x + ext.width // 2, ext.y + ext.height // 2


def click(node, dx=None):
    """A left click with the pointer: works for buttons that open modal dialogs, because the
    click does not wait for the handler to return."""
    x, y = center(node)
    if dx is not None:
        ext = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        x = ext.x + dx
    pyatspi.Registry.generateMouseEvent(x, y, "b1c")
    time.sleep(0.15)


KEYS = {"Return": 0xff0d, "Escape": 0xff1b, "Tab": 0xff09, "BackSpace": 0xff08,
        "Down": 0xff54, "Up": 0xff52, "Left": 0xff51, "Right": 0xff53, "Home": 0xff50,
        "End": 0xff57, "Delete": 0xffff}


def key(name):
    """Presses and releases one named key (see KEYS)."""
    pyatspi.Registry.generateKeyboardEvent(KEYS[name], None, pyatspi.KEY_SYM)
    time.sleep(0.05)


def type_text(text):
    """Types ASCII text one key at a time."""
    for ch in text:
        pyatspi.Registry.generateKeyboardEvent(ord(ch), None, pyatspi.KEY_SYM)
        time.sleep(0.03)


def dump(node, depth=0, maxdepth=6):
    try:
        print("  " * depth, role(node), repr(node.name), node.childCount,
              "" if showing(node) else "(hidden)")
    except Exception as e:
        print("  " * depth, "?", e)
        return
    if depth < maxdepth:
        for c in children(node):
            dump(c, depth + 1, maxdepth)


class Program:
    """The program started in a working folder; stopped with a time-out, then SIGKILL (its
    whole process group, so a launcher script and what it started go with it)."""

    def __init__(self, command, folder, log, env=None):
        argv = [command] if isinstance(command, str) else list(command)
        self.proc = subprocess.Popen(argv, cwd=folder, stdout=log, stderr=subprocess.STDOUT,
                                     start_new_session=True, env=env)

    def alive(self):
        return self.proc.poll() is None

    def wait_exit(self, timeout=20.0):
        try:
            return self.proc.wait(timeout)
        except subprocess.TimeoutExpired:
            self.kill()
            raise E2EError("the program did not end")

    def kill(self):
        if self.alive():
            os.killpg(self.proc.pid, signal.SIGKILL)
            self.proc.wait(10)


def previous_month():
    """(year, month) of the month a settlement is made for today: the one before this."""
    today = datetime.date.today()
    return (today.year - 1, 12) if today.month == 1 else (today.year, today.month - 1)


MAIN_TITLE_PREFIX = "VORTAPL - Decont subventii si scutiri"


def main_window(timeout=30.0):
    return wait_for("the main window", lambda: next(
        (w for w in windows() if w.name.startswith(MAIN_TITLE_PREFIX)), None), timeout)


class MainWindow:
    """The steps a user takes in the main window: menus, message boxes, tabs, grid cells."""

    def __init__(self, node):
        self.node = node

    def menu(self, top, item):
        click(find(find(self.node, "menu bar"), "menu item", top))
        # A command with a key shows the key in the menu's key column: the item's name is
        # then its text before the key, or the text with a tab before the key.
        bare = item.split(" [")[0]
        click(find(app, "menu item", pred=lambda n: n.name.replace("\t", " ") == item
                   or n.name.split("\t")[0] == bare))

    def answer(self, button, text_part=None, timeout=20.0):
        """Answers the message box now on screen with the named button; returns its text."""
        def probe():
            for w in windows():
                if w.name == "VORTAPL":
                    labels = [l.name for l in find_all(w, "label")]
                    if text_part is None or any(text_part in l for l in labels):
                        return w, labels
            return None
        box, labels = wait_for("a message box%s" % (" with %r" % text_part if text_part else ""),
                               probe, timeout)
        click(find(box, "push button", button))
        return "\n".join(labels)

    def labels(self):
        return [l.name for l in find_all(self.node, "label")]

    def wait_header(self, text):
        wait_for("header %r" % text, lambda: text in self.labels())

    def show_tab(self, title):
        click(find(self.node, "page tab", title))
        time.sleep(0.3)  # the tab strip does not tell which tab is selected: the page's own
        # widgets, found by what is showing, tell that it is up

    def import_conventions(self, file_name, loaded):
        """Imports an agency's conventions file from the working folder: chosen in the file
        dialog, loaded (loaded(dialog) tells when its persons are shown), saved, closed."""
        self.menu("Import", "Import conventii KRENO")
        dlg = window("Import Conventii KRENO")
        click(find(dlg, "push button", "Selecteaza fisier"))
        fd = window("Selecteaza fisier")
        click(find(fd, "text", "Nume fisier:"))
        type_text(file_name)
        key("Return")
        window_gone("Selecteaza fisier")
        click(find(dlg, "push button", "Incarca"))
        wait_for("the persons of the file", lambda: loaded(dlg))
        click(find(dlg, "push button", "Salveaza"))
        print("import:", self.answer("OK", "Import efectuat").replace("\n", " "))
        click(find(dlg, "push button", "Renunt"))
        window_gone("Import Conventii KRENO")

    def constants_editor(self, month, year):
        """Opens the system constants editor and steps it to the month with the arrow keys
        (typed digits are not taken); returns the dialog."""
        self.menu("Nomenclatoare", "Constante Sistem")
        dlg = window("Constante Sistem")
        spin = find(dlg, "spin button")
        for section, dx, wanted in (("month", 8, month), ("year", 40, year)):
            click(spin, dx=dx)
            for _ in range(24):
                mm, yyyy = spin.queryText().getText(0, -1).split("/")
                now = int(mm) if section == "month" else int(yyyy)
                if now == wanted:
                    break
                key("Down" if now > wanted else "Up")
        wanted = "%02d/%04d" % (month, year)
        wait_for("the constants month %s" % wanted,
                 lambda: spin.queryText().getText(0, -1) == wanted)
        return dlg

    def add_month(self, month, year):
        """Adaugare luna curenta: the previous month opens, in construction."""
        self.menu("Subventii si Scutiri", "Adaugare luna curenta [CTRL + N]")
        self.wait_header("LUNA LUCRU: %02d.%4d" % (month, year))
        self.wait_header("IN CONSTRUCTIE")

    def type_wage_fund(self, value):
        """Types the month's wage fund over the field's 0 on the conventions page."""
        self.show_tab("Date Conventii-Date Angajator")
        click(find(self.node, "text", pred=lambda n: n.getState().contains(pyatspi.STATE_EDITABLE)))
        key("End")
        for _ in range(12):
            key("BackSpace")
        type_text(value)
        key("Tab")

    def fill_timesheet(self):
        """The norm of 8 hours, then every working day of each convention marked present."""
        self.show_tab("Pontaj")
        click(find(self.node, "push button", "Aplica norma 8"))
        click(find(self.node, "push button", "Marcheaza prezent"))

    def save_month(self, finalize=False):
        """Saves (or finalizes, answering Da) the month open; the month closes."""
        if finalize:
            self.menu("Subventii si Scutiri", "Finalizare luna curenta [CTRL + SHIFT + S]")
            self.answer("Da", "Confirmati inchiderea")
        else:
            self.menu("Subventii si Scutiri", "Salvare luna curenta [CTRL + S]")
        self.wait_header("LUNA LUCRU: NEDEFINITA")

    def view_month(self, month, year):
        """Opens a saved month with the picker, which proposes the previous month."""
        self.menu("Subventii si Scutiri", "Vizualizare luna existenta")
        dlg = window("Selecteaza Luna si Anul")
        click(find(dlg, "push button", "Selecteaza"))
        window_gone("Selecteaza Luna si Anul")
        self.wait_header("LUNA LUCRU: %02d.%4d" % (month, year))

    def page_table(self):
        """The grid of the page on screen (the main window's only visible table)."""
        return find(self.node, "table")


def type_into_cell(table, row, col, text):
    cell = wait_for("cell %d,%d" % (row, col),
                    lambda: table.queryTable().getAccessibleAt(row, col))
    click(cell)
    type_text(text)
    key("Return")


def isql(db, sql):
    """Runs SQL on a database file with the engine's own tool (the program is not running)."""
    out = subprocess.run(["isql-fb", "-user", "SYSDBA", "-password", "quillbeam", "-q", db],
                         input=sql, capture_output=True, text=True, timeout=60)
    if out.returncode != 0 or "Statement failed" in out.stderr:
        raise E2EError("isql-fb failed: %s %s" % (out.stdout, out.stderr))
    return out.stdout


def run_walk(walk, folder):
    """Runs walk.run(); on a failure prints why and the windows on screen, and keeps the
    working folder (run-e2e looks there for the program's output). The program the walk
    started (walk.program) is ended in any case. Returns the exit status."""
    ok = False
    try:
        walk.run()
        ok = True
    except E2EError as e:
        print("E2E FAILED:", e)
        if app() is not None:
            for w in windows():
                dump(w, 0, 3)
    finally:
        if getattr(walk, "program", None) is not None:
            walk.program.kill()
        if ok and not os.environ.get("VORTAPL_KEEP_TEST_FOLDERS"):
            shutil.rmtree(folder, ignore_errors=True)
        else:
            print("working folder kept:", folder)
    return 0 if ok else 1
