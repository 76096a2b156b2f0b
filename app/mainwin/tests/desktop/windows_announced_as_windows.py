# Top-level windows are announced on the accessibility bus as windows with their titles: the
# main window and the explorer beside it as frames, a message over them as a dialog (closed by
# the window manager's close button).
import re

from orvid_desktop import Orvid, act, children, find, name, poll, role, run

with Orvid() as orvid:
    orvid.window("^Orvid ")
    app = orvid.accessible()
    windows = lambda: {(role(w), name(w)) for w in children(app)} - {("", "")}
    main = next(n for r, n in windows() if n.startswith("Orvid "))
    assert re.fullmatch(r"Orvid .* - Media Disk Maker", main), main
    assert ("frame", main) in windows(), windows()
    act(find(app, name="F2 - Explorer", role="push button"), "press")
    titled = lambda wanted: {r for r, n in windows() if n.startswith(wanted)}
    poll("the explorer announced as a frame", lambda: titled("Explorer - ") == {"frame"})
    orvid.window("^Explorer - ")
    act(find(app, name="F2 - Explorer", role="push button"), "press")  # a second one says it runs
    poll("the message announced as a dialog", lambda: titled("Message") == {"dialog"})
    assert all(r in ("frame", "dialog") and n for r, n in windows()), windows()
    run("wmctrl", "-i", "-c", orvid.window("^Message$"))  # its frame's close button
    poll("the message closed", lambda: not titled("Message"))
    act(find(app, name="OK", role="push button"), "press")
    orvid.wait_exit()
