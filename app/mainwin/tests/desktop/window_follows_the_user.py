# The main window follows the user's moves and sizes, the first one included: its controls
# follow its corner, and the place the user left is the one saved at the close.
# With "maximise" as argument the window manager maximises and restores the window instead.
import sys

from orvid_desktop import Orvid, act, extents, find, poll, run

DESIGNED = (678, 432)  # the window's size in dialog units
STORED = (20, 20)


def units(rect, scale):
    """A rectangle in pixels in the window's dialog units."""
    return tuple(round(v / scale[i % 2]) for i, v in enumerate(rect))


def near(a, b, slack):
    return all(abs(x - y) <= slack for x, y in zip(a, b))


maximise = sys.argv[1:] == ["maximise"]
with Orvid(ini={"MAIN": {"MainWinPos": ",".join(map(str, (*STORED, *DESIGNED)))}}) as orvid:
    window = orvid.window("^Orvid ")
    ok = find(orvid.accessible(), name="OK", role="push button")
    start = orvid.geometry(window)
    scale = (start[2] / DESIGNED[0], start[3] / DESIGNED[1])
    ok_start = poll("the OK button placed", lambda: extents(ok) if extents(ok)[2] > 0 else None)

    def follows(want, what):
        """Waits for the client at want and the OK button at the same distance to its corner."""
        poll(f"the window {what}", lambda: orvid.geometry(window) == want)
        corner = lambda g: (g[0] + g[2], g[1] + g[3])
        moved = [a - b for a, b in zip(corner(want), corner(start))]
        poll(f"the OK button kept to the corner {what}",
             lambda: near(extents(ok)[:2], (ok_start[0] + moved[0], ok_start[1] + moved[1]), 3))

    if maximise:
        run("wmctrl", "-i", "-r", window, "-b", "add,maximized_vert,maximized_horz")
        x, y, w, h = orvid.work_area()
        left, right, top, bottom = orvid.frame_extents(window)
        follows((x + left, y + top, w - left - right, h - top - bottom), "maximised")
        orvid.grab("main-window-maximised")
        run("wmctrl", "-i", "-r", window, "-b", "remove,maximized_vert,maximized_horz")
        follows(start, "restored")
        run("wmctrl", "-i", "-r", window, "-b", "add,maximized_vert,maximized_horz")
        follows((x + left, y + top, w - left - right, h - top - bottom), "maximised again")
    else:
        orvid.xdotool("windowsize", window, 1250, 900)
        follows(start[:2] + (1250, 900), "sized once")
        orvid.grab("main-window-sized-once")
        orvid.xdotool("windowmove", window, 100, 80)
        follows((100, 80, 1250, 900), "moved")
    left = orvid.geometry(window)
    act(ok, "press")
    orvid.wait_exit()
    saved = tuple(int(v) for v in orvid.ini()["MAIN"]["MainWinPos"].split(","))
    assert near(saved, units(left, scale), 1), f"saved {saved}, left at {left} = {units(left, scale)}"
