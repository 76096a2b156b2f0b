"""Drives the real orvid on the desktop of desktop-session.sh, as a user does.

A desktop test is a Python script, one per CTest test, registered in CMake with
    zq_add_desktop_test(Area.BehaviourAsASentence SCRIPT tests/my_test.py [ARGS ...] [WINDOW_MANAGER])
which runs it in its own X session (Xvfb, session and accessibility bus, openbox if asked) with
ORVID_FOLDER (the built program folder) and ZQ_GRAB_DIR (where its PNGs go) set. A script:

    from orvid_desktop import Orvid, act, find, poll
    with Orvid(ini={"PROCESS": {"Root": '"M:\\"'}}, files={"media/a/b.mkv": b""},
               env={"ZQ_DRIVES": "M={scratch}/media"}) as orvid:
        window = orvid.window("^Orvid ")            # X window id of a shown top-level window
        orvid.xdotool("windowsize", window, 1000, 700)
        poll("the new size", lambda: orvid.geometry(window)[2:] == (1000, 700))
        app = orvid.accessible()                    # the program's AT-SPI application
        box = find(app, name="Deepscan Folders", role="check box")
        act(box, "toggle")
        act(find(app, name="OK", role="push button"), "press")
        orvid.wait_exit()
        assert orvid.ini()["MAIN"]["MainWinPos"] == "..."
        orvid.grab("after-resize")                  # ZQ_GRAB_DIR/after-resize.png
        second = orvid.another()                    # one more orvid from the same program folder

Orvid copies the program folder to a scratch folder (its home, scratch/Orvid) with the given
Orvid.INI (none: the program writes its defaults) and files under the scratch folder (None: a
folder), sets the environment given ("{scratch}" stands for the scratch folder), starts ./orvid
there, and on leaving the with block stops it by its process id if it still runs and removes
the scratch folder; another() starts one more from the same program folder, stopped with the
first, and kill() ends one at once (SIGKILL). A failing test prints the program's output.
Every wait is a poll with a deadline; no fixed sleeps. The accessibles' helpers (find, act, text, checked, extents) take
the names the controls show, without the "&" of their mnemonics. The screen is 1920 x 1200
unless SCREEN says otherwise; with WINDOW_MANAGER, the frame's buttons are the window manager's
actions: run("wmctrl", "-i", "-r", window, "-b", "add,maximized_vert,maximized_horz") maximises,
run("wmctrl", "-i", "-c", window) is the close button.
"""
import copy
import hashlib
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
from pathlib import Path

DEADLINE = 30.0

# A stopped test leaves its with blocks, so that what they started is stopped too.
signal.signal(signal.SIGTERM, lambda *_: sys.exit(143))


def poll(what, check, timeout=DEADLINE, interval=0.05):
    """The first true value of check(), polled until the deadline; fails naming what."""
    end = time.monotonic() + timeout
    while True:
        value = check()
        if value:
            return value
        if time.monotonic() > end:
            raise AssertionError(f"timed out waiting for {what}")
        time.sleep(interval)


def run(*args):
    """Runs a desktop tool, its output as text."""
    result = subprocess.run([str(a) for a in args], capture_output=True, text=True)
    if result.returncode != 0:
        raise AssertionError(f"{' '.join(map(str, args))} failed: {result.stderr.strip()}")
    return result.stdout


# --- the accessibility interface -------------------------------------------------------------

def _atspi():
    import pyatspi  # imported here: the session's buses are known once the test runs
    return pyatspi


def children(acc):
    acc.clear_cache()
    return [c for c in (acc.get_child_at_index(i) for i in range(acc.get_child_count())) if c is not None]


def _gone_as(empty, ask):
    """What ask() answers, or empty for an accessible gone meanwhile (a window closed)."""
    from gi.repository import GLib
    try:
        return ask()
    except GLib.GError:
        return empty


def role(acc):
    return _gone_as("", acc.get_role_name)


def name(acc):
    return _gone_as("", acc.get_name) or ""


def walk(root):
    """Every accessible under root, breadth first, root included."""
    queue = [root]
    while queue:
        acc = queue.pop(0)
        yield acc
        try:
            queue.extend(children(acc))
        except Exception:  # gone while walked
            pass


def find_all(root, name=None, role=None):
    """The accessibles under root with that name (the text shown, without '&') and role."""
    def matches(acc):
        try:
            return (name is None or _name_matches(acc, name)) and (role is None or acc.get_role_name() == role)
        except Exception:
            return False
    return [acc for acc in walk(root) if matches(acc)]


def _name_matches(acc, wanted):
    shown = (acc.get_name() or "").replace("&", "")
    return re.fullmatch(wanted, shown) is not None if isinstance(wanted, re.Pattern) else shown == wanted


def find(root, name=None, role=None, timeout=DEADLINE):
    """The first accessible under root with that name and role, waited for."""
    return poll(f"an accessible {role or ''} named {name!r}", lambda: next(iter(find_all(root, name, role)), None),
                timeout)


def _iface(acc, interface):
    return interface in acc.get_interfaces()


def act(acc, action):
    """Does the accessible's action of that name ("toggle", "press", "setfocus" ...)."""
    from gi.repository import Atspi
    names = [Atspi.Action.get_action_name(acc, i) for i in range(Atspi.Action.get_n_actions(acc))] \
        if _iface(acc, "Action") else []
    for i, n in enumerate(names):
        if n.lower().replace(" ", "") == action.lower().replace(" ", ""):
            Atspi.Action.do_action(acc, i)
            return
    raise AssertionError(f"{role(acc)} {name(acc)!r} has no action {action!r}, only {names}")


def text(acc):
    """The text an accessible shows: its text interface's, else its name."""
    from gi.repository import Atspi
    acc.clear_cache()
    return Atspi.Text.get_text(acc, 0, -1) if _iface(acc, "Text") else name(acc)


def extents(acc):
    """(x, y, width, height) of an accessible on the screen."""
    acc.clear_cache()
    from gi.repository import Atspi
    r = acc.get_extents(Atspi.CoordType.SCREEN)
    return (r.x, r.y, r.width, r.height)


def states(acc):
    """The accessible's states by name ("checked", "focused", "visible" ...)."""
    acc.clear_cache()
    pyatspi = _atspi()
    return {pyatspi.stateToString(s) for s in acc.get_state_set().get_states()}


def checked(acc):
    return "checked" in states(acc)


# --- the program -----------------------------------------------------------------------------

def write_ini(path, sections):
    """Writes a profile file: {section: {key: value}}, lines ending in CR LF."""
    lines = []
    for section, keys in sections.items():
        lines.append(f"[{section}]")
        lines.extend(f"{k}={v}" for k, v in keys.items())
    path.write_bytes(("\r\n".join(lines) + "\r\n").encode("cp1252"))


def read_ini(path):
    """A profile file as {section: {key: value}}."""
    sections, current = {}, None
    for line in path.read_bytes().decode("cp1252").splitlines():
        if m := re.fullmatch(r"\[(.*)\]", line.strip()):
            current = sections.setdefault(m.group(1), {})
        elif current is not None and "=" in line:
            key, value = line.split("=", 1)
            current[key.strip()] = value
    return sections


def checksums(root):
    """{relative path: sha256} of every file under root."""
    root = Path(root)
    return {str(p.relative_to(root)): hashlib.sha256(p.read_bytes()).hexdigest()
            for p in sorted(root.rglob("*")) if p.is_file()}


class Orvid:
    """The real program, started from a copy of the program folder; see the module's text."""

    def __init__(self, ini=None, files=None, args=(), env=None):
        self.scratch = Path(tempfile.mkdtemp(prefix="orvid-desktop-", dir=os.environ.get("DESKTOP_SESSION_DIR")))
        self.home = self.scratch / "Orvid"
        shutil.copytree(os.environ["ORVID_FOLDER"], self.home, symlinks=True)
        (self.home / "Orvid.INI").unlink(missing_ok=True)
        if ini is not None:
            write_ini(self.home / "Orvid.INI", ini)
        for relative, content in (files or {}).items():
            path = self.scratch / relative
            path.parent.mkdir(parents=True, exist_ok=True)
            if content is None:
                path.mkdir(exist_ok=True)
            else:
                path.write_bytes(content if isinstance(content, bytes) else content.encode())
        self.args = list(args)
        self.env = {k: str(v).replace("{scratch}", str(self.scratch)) for k, v in (env or {}).items()}
        self.process = None
        self.returncode = None
        self.others = []
        self.log_name = "orvid.log"

    # Paths of the files given are under the scratch folder: path("media") beside the home.
    def path(self, relative=""):
        return self.scratch / relative

    def __enter__(self):
        env = dict(os.environ)
        for unwanted in ("QT_QPA_PLATFORM", "ZQ_PRESENTER"):
            env.pop(unwanted, None)
        env.update(self.env)
        self.log = open(self.scratch / self.log_name, "wb")
        self.process = subprocess.Popen(["./orvid", *self.args], cwd=self.home, env=env, stdout=self.log,
                                        stderr=subprocess.STDOUT)
        return self

    def __exit__(self, kind, value, traceback):
        for other in self.others:
            other.stop()
            other.log.close()
        self.stop()
        self.log.close()
        if kind is not None:
            for started in [self, *self.others]:
                print(f"--- orvid's output ({started.log_name}) ---")
                print((self.scratch / started.log_name).read_text(errors="replace"))
        shutil.rmtree(self.scratch, ignore_errors=True)
        return False

    def another(self):
        """One more orvid started from the same program folder, with the same environment."""
        other = copy.copy(self)
        other.others = []
        other.returncode = None
        other.log_name = f"orvid-{len(self.others) + 2}.log"
        other.__enter__()
        self.others.append(other)
        return other

    def running(self):
        return self.process.poll() is None

    def stop(self):
        """Ends the program by its process id if it still runs."""
        if self.process and self.running():
            self.process.send_signal(signal.SIGTERM)
            try:
                self.process.wait(10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()

    def kill(self):
        """Ends the program at once, as kill -9 does, and waits for it."""
        self.process.kill()
        self.process.wait()

    def wait_exit(self, timeout=DEADLINE):
        """Waits for the program to end by itself; its exit code, which must be 0."""
        try:
            self.returncode = self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            raise AssertionError("orvid did not end") from None
        assert self.returncode == 0, f"orvid ended with {self.returncode}"
        return self.returncode

    def ini(self):
        return read_ini(self.home / "Orvid.INI")

    # X windows and input.
    def xdotool(self, *args):
        return run("xdotool", *args)

    def windows(self, title):
        """The shown top-level windows of the program whose title matches (a regular expression)."""
        try:
            out = run("xdotool", "search", "--all", "--onlyvisible", "--pid", self.process.pid, "--name", title)
        except AssertionError:  # none yet
            return []
        return [int(w) for w in out.split()]

    def window(self, title, timeout=DEADLINE):
        """The X window id of the program's shown top-level window with that title, waited for."""
        return poll(f"a window titled {title!r}", lambda: next(iter(self.windows(title)), None), timeout)

    @staticmethod
    def geometry(window):
        """(x, y, width, height) of a window's client area on the screen."""
        info = run("xwininfo", "-id", window)
        value = lambda label: int(re.search(rf"{label}:\s+(-?\d+)", info).group(1))
        return (value("Absolute upper-left X"), value("Absolute upper-left Y"), value("Width"), value("Height"))

    @staticmethod
    def frame_extents(window):
        """(left, right, top, bottom) of the frame the window manager draws around a window."""
        try:
            numbers = re.findall(r"\d+", run("xprop", "-id", window, "_NET_FRAME_EXTENTS").split("=", 1)[-1])
        except AssertionError:
            numbers = []
        return tuple(int(n) for n in numbers[:4]) if len(numbers) >= 4 else (0, 0, 0, 0)

    @staticmethod
    def work_area():
        """(x, y, width, height) of the window manager's work area (the screen without one)."""
        try:
            numbers = re.findall(r"-?\d+", run("xprop", "-root", "_NET_WORKAREA"))
            if len(numbers) >= 4:
                return tuple(int(n) for n in numbers[:4])
        except AssertionError:
            pass
        w, h = re.search(r"dimensions:\s+(\d+)x(\d+)", run("xdpyinfo")).groups()
        return (0, 0, int(w), int(h))

    # The accessibility interface.
    def accessible(self, timeout=DEADLINE):
        """The program's application on the accessibility bus, waited for."""
        desktop = _atspi().Registry.getDesktop(0)

        def mine():
            for app in children(desktop):
                try:
                    if app.get_process_id() == self.process.pid:
                        return app
                except Exception:
                    pass
            return None
        return poll("orvid on the accessibility bus", mine, timeout)

    # Pictures.
    def grab(self, picture, window="root"):
        """A PNG of the screen (or of one window) as ZQ_GRAB_DIR/picture.png; its path."""
        folder = Path(os.environ.get("ZQ_GRAB_DIR", self.scratch))
        folder.mkdir(parents=True, exist_ok=True)
        path = folder / f"{picture}.png"
        run("import", "-window", window, path)
        return path
