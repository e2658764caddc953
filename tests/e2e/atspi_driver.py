"""Driving the real program through the accessibility bus: find widgets by role and name,
click them with the pointer, type with the keyboard, wait for what should appear."""

import os
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
    """The program started in a working folder; stopped with a time-out, then SIGKILL."""

    def __init__(self, binary, folder, log):
        self.proc = subprocess.Popen([binary], cwd=folder, stdout=log, stderr=subprocess.STDOUT,
                                     start_new_session=True)

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
