# The explorer's drive fields on the real desktop: each shows its panel's drive when the explorer
# opens, after the user picked another drive in it with the mouse, and after the panel moved to
# another drive by its path field.
import os
import subprocess

from orvid_desktop import Orvid, act, find, find_all, name, poll, run

orvid = Orvid(ini={"PROCESS": {"Root": '"T:\\"'},
                   "EXPLORER": {"LPPath": "T:\\Films\\", "RPPath": "U:\\"}},
              files={"media/Films/Alien/Alien.mkv": b"film", "other/Covers/front.jpg": b"picture"})
os.environ["ZQ_DRIVES"] = f"T={orvid.path('media')};U={orvid.path('other')}"


def explorer_window(orvid):
    """The explorer's X window: the program's shown window with that title (both criteria)."""
    found = subprocess.run(["xdotool", "search", "--all", "--onlyvisible", "--pid", str(orvid.process.pid),
                            "--name", "^Explorer "], capture_output=True, text=True).stdout.split()
    return int(found[0]) if found else None


with orvid:
    orvid.window("^Orvid ")
    app = orvid.accessible()
    act(find(app, name="F2 - Explorer", role="push button"), "press")
    explorer = poll("the explorer's window", lambda: explorer_window(orvid))

    def drive_fields():
        """The two drive fields, left then right: the explorer's narrow combos (the path fields are wide)."""
        extents = [(c.get_extents(0), c) for c in find_all(app, role="combo box")]
        return [c for e, c in sorted(extents, key=lambda ec: ec[0].x) if 0 < e.width < 100]

    def shown():
        return [name(c) for c in drive_fields()]

    poll("both drive fields on their panels' drives", lambda: shown() == ["T:", "U:"])
    orvid.grab("explorer-drive-fields", explorer)
    # T: picked in the right drive field: a click drops its list down, "T" and Enter choose.
    run("xdotool", "windowfocus", "--sync", explorer)
    right = drive_fields()[1].get_extents(0)
    run("xdotool", "mousemove", right.x + right.width // 2, right.y + right.height // 2, "click", "1")
    run("xdotool", "key", "t", "Return")
    poll("the right drive field on T:", lambda: shown() == ["T:", "T:"])
    # The left panel moved to another drive by its path field (Alt+1).
    run("xdotool", "windowfocus", "--sync", explorer)
    run("xdotool", "key", "alt+1", "ctrl+a")
    run("xdotool", "type", "U:\\Covers")
    run("xdotool", "key", "Return")
    poll("the left drive field on U:", lambda: shown() == ["U:", "T:"])
    orvid.grab("explorer-drive-fields-moved", explorer)
