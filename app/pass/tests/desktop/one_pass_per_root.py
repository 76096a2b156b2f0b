# Two orvids from two program folders on one disk: while the first one's pass runs (held at
# its error dialog), the second one's Start is refused with a message and changes nothing;
# the first then finishes, and the disk comes out file for file as after a pass alone.
import os
import subprocess
from pathlib import Path

from orvid_desktop import Orvid, act, checksums, children, find, find_all, name, poll, read_ini, text

COVER = subprocess.run(["convert", "-size", "60x90", "gradient:red-blue", "jpg:-"], capture_output=True,
                       check=True).stdout
MEDIA = {
    "media/Films/Alien (1979)/Alien.mkv": b"film",
    "media/Films/Alien (1979)/folder.jpg": b"no picture at all",  # its conversion fails: a dialog
    "media/Films/Ran (1985)/Ran.mkv": b"film",
    "media/Films/Ran (1985)/folder.jpg": COVER,
    "media/Music/Gold/01.mp3": b"song",
    "media/Music/Gold/folder.jpg": COVER,
}
# The program folder's own settings, on the disk M:.
INI = read_ini(Path(os.environ["ORVID_FOLDER"]) / "Orvid.INI")
INI["PROCESS"]["Root"] = '"M:\\"'


def texts(root, role):
    """The texts of the accessibles of that role under root; one gone while read is left out."""
    found = []
    for acc in find_all(root, role=role):
        try:
            found.append(text(acc))
        except Exception:  # gone meanwhile: a dialog closed
            pass
    return found


def dialog_texts(dialog):
    return texts(dialog, "text") + texts(dialog, "label")


def scan_and_start(orvid):
    app = orvid.accessible()
    scan = find(app, name="Scan Root", role="push button")
    act(scan, "press")
    poll("the scan's end", lambda: text(scan) == "Scan Root" and "Ready" in texts(app, "text"))
    act(find(app, name="Start", role="push button"), "press")
    return app


def error_dialog(orvid):
    """The orvid's error dialog on the accessibility bus, waited for."""
    orvid.window("^Error$")
    app = orvid.accessible()
    return poll("the error dialog", lambda: next((w for w in children(app) if name(w) == "Error"), None))


def answer_error(orvid, button):
    """Presses button in the orvid's error dialog; the dialog's texts."""
    dialog = error_dialog(orvid)
    pressed = find(dialog, name=button, role="push button")
    shown = dialog_texts(dialog)
    act(pressed, "press")
    # Closed, or gone for the pass's next one at once.
    poll("the error dialog answered", lambda: name(dialog) != "Error" or dialog_texts(dialog) != shown)
    return shown


def finish(orvid, app):
    """Answers each further error dialog of the pass with Ignore until the pass ends."""
    def state():
        if orvid.windows("^Error$"):
            return "dialog"
        ended = find_all(app, name="Start", role="push button") and "Ready." in texts(app, "text")
        return "ended" if ended else None
    while poll("the pass's end or its next dialog", state) == "dialog":
        answer_error(orvid, "Ignore")


with Orvid(ini=INI, files=MEDIA, env={"ZQ_DRIVES": "M={scratch}/media"}) as alone:
    alone.window("^Orvid ")
    app = scan_and_start(alone)
    answer_error(alone, "Ignore")
    finish(alone, app)
    after_alone = checksums(alone.path("media"))

with Orvid(ini=INI, files=MEDIA, env={"ZQ_DRIVES": "M={scratch}/media"}) as first:
    first.window("^Orvid ")
    first_app = scan_and_start(first)
    error_dialog(first)  # the first pass waits at its dialog, holding the disk
    held = checksums(first.path("media"))

    with Orvid(ini=INI, env={"ZQ_DRIVES": f"M={first.path('media')}"}) as second:
        second.window("^Orvid ")
        second_app = scan_and_start(second)
        shown = answer_error(second, "OK")
        assert "Another Job is Running on this Root." in shown, shown
        poll("the refusal on the status line",
             lambda: "Another Job is Running on this Root." in texts(second_app, "text"))
        poll("the second's Start button back", lambda: find_all(second_app, name="Start", role="push button"))
        assert checksums(first.path("media")) == held
        act(find(second_app, name="OK", role="push button"), "press")
        second.wait_exit()

    assert checksums(first.path("media")) == held
    answer_error(first, "Ignore")
    finish(first, first_app)
    assert checksums(first.path("media")) == after_alone
