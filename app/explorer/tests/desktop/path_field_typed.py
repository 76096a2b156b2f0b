# The explorer's path field opens what the user typed: with "M:\Film\" in its history, typing
# "M:\" and Enter opens M:\; a history entry is taken only when the user picks it from the
# field's list.
import os
import subprocess

from orvid_desktop import Orvid, act, find, find_all, name, poll, run, states, walk

orvid = Orvid(ini={"EXPLORER": {"LPPath": "M:\\Film\\", "RPPath": "M:\\Film\\"}},
              files={"media/Film/in-film.mkv": b"film", "media/in-m.txt": b"top"})
os.environ["ZQ_DRIVES"] = f"M={orvid.path('media')}"


def explorer_window(orvid):
    found = subprocess.run(["xdotool", "search", "--all", "--onlyvisible", "--pid", str(orvid.process.pid),
                            "--name", "^Explorer "], capture_output=True, text=True).stdout.split()
    return int(found[0]) if found else None


def shown(app, cell):
    return any(c.get_extents(0).width > 0 for c in find_all(app, name=cell, role="table cell"))


with orvid:
    orvid.window("^Orvid ")
    app = orvid.accessible()
    act(find(app, name="F2 - Explorer", role="push button"), "press")
    explorer = poll("the explorer's window", lambda: explorer_window(orvid))
    poll("the left panel in M:\\Film\\", lambda: shown(app, "in-film"))

    def left_path():
        """The left path field: the leftmost wide combo box."""
        wide = [(c.get_extents(0), c) for c in find_all(app, role="combo box") if c.get_extents(0).width >= 100]
        return min(wide, key=lambda ec: ec[0].x)[1]

    run("xdotool", "windowfocus", "--sync", explorer)
    run("xdotool", "key", "alt+1")
    poll("the left path field focused", lambda: any("focused" in states(c) for c in walk(left_path())))
    run("xdotool", "key", "ctrl+a")
    run("xdotool", "type", "--delay", "80", "M:\\")
    poll("the typed text alone in the field", lambda: name(left_path()) == "M:\\")
    run("xdotool", "key", "Return")
    poll("the left panel in M:\\", lambda: shown(app, "in-m"))
    assert name(left_path()) == "M:\\", name(left_path())
    orvid.grab("explorer-path-typed", explorer)
