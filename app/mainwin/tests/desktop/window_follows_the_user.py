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
    scale_of = lambda g: (g[2] / DESIGNED[0], g[3] / DESIGNED[1])

    def at_stored_place():
        """The client's geometry once at the stored place (a window manager may show it elsewhere first)."""
        g = orvid.geometry(window)
        return g if units(g, scale_of(g))[:2] == STORED else None

    start = poll("the window at its stored place", at_stored_place)
    scale = scale_of(start)

    def from_corner():
        """Where the OK button lies from the client's bottom right corner."""
        x, y, w, h = orvid.geometry(window)
        ex, ey = extents(ok)[:2]
        return (ex - (x + w), ey - (y + h))

    def settled():
        first = from_corner()
        return first if first == from_corner() else None

    kept = poll("the OK button placed", settled)

    def maximised():
        """The client filling the work area inside the frame (the frame's edges read as they are now)."""
        x, y, w, h = orvid.work_area()
        left, right, top, bottom = orvid.frame_extents(window)
        return (x + left, y + top, w - left - right, h - top - bottom)

    def follows(wanted, what):
        """Waits for the client where wanted() has it and the OK button at its distance to the corner."""
        poll(f"the window {what}", lambda: orvid.geometry(window) == wanted())
        poll(f"the OK button kept to the corner {what}", lambda: near(from_corner(), kept, 3))

    if maximise:
        run("wmctrl", "-i", "-r", window, "-b", "add,maximized_vert,maximized_horz")
        follows(maximised, "maximised")
        orvid.grab("main-window-maximised")
        run("wmctrl", "-i", "-r", window, "-b", "remove,maximized_vert,maximized_horz")
        follows(lambda: start, "restored")
        run("wmctrl", "-i", "-r", window, "-b", "add,maximized_vert,maximized_horz")
        follows(maximised, "maximised again")
    else:
        orvid.xdotool("windowsize", window, 1250, 900)
        follows(lambda: start[:2] + (1250, 900), "sized once")
        orvid.grab("main-window-sized-once")
        orvid.xdotool("windowmove", window, 100, 80)
        follows(lambda: (100, 80, 1250, 900), "moved")
    left = orvid.geometry(window)
    act(ok, "press")
    orvid.wait_exit()
    saved = tuple(int(v) for v in orvid.ini()["MAIN"]["MainWinPos"].split(","))
    assert near(saved, units(left, scale), 1), f"saved {saved}, left at {left} = {units(left, scale)}"
