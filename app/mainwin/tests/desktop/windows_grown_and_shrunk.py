# The main window, the explorer and the media list, each grown by the user to 1.5 times its
# size and shrunk back to its smallest: no control lies over another or outside the window.
# Pictures of each state go under ZQ_GRAB_DIR.
from orvid_desktop import Orvid, act, children, extents, find, poll, states

MAIN_TITLE = "Orvid 0.1 - Media Disk Maker"  # the media list's title too
EXPLORER_TITLE = "Explorer - V2.191 - Orvid, the media disk maker"


def shown_controls(window_acc):
    """(name, role, extents) of the window's controls that show, in their order."""
    shown = []
    for acc in children(window_acc):
        try:
            box = extents(acc)
            if box[2] > 0 and box[3] > 0 and "showing" in states(acc):
                shown.append((f"{acc.get_role_name()} {acc.get_name()!r}", box))
        except Exception:  # gone while read
            pass
    return shown


def within(inner, outer):
    return (inner[0] >= outer[0] and inner[1] >= outer[1] and inner[0] + inner[2] <= outer[0] + outer[2]
            and inner[1] + inner[3] <= outer[1] + outer[3])


def overlaps(window, window_acc):
    """Controls over one another (neither within the other) or outside the window."""
    client = Orvid.geometry(window)
    controls = shown_controls(window_acc)
    found = [f"{n} {b} outside {client}" for n, b in controls if not within(b, client)]
    for i, (a, box_a) in enumerate(controls):
        for b, box_b in controls[i + 1:]:
            crossing = (max(box_a[0], box_b[0]) < min(box_a[0] + box_a[2], box_b[0] + box_b[2])
                        and max(box_a[1], box_b[1]) < min(box_a[1] + box_a[3], box_b[1] + box_b[3]))
            if crossing and not within(box_a, box_b) and not within(box_b, box_a):
                found.append(f"{a} {box_a} over {b} {box_b}")
    return found


def sized(orvid, window, window_acc, size, what):
    """Sizes the window as the user's drag does and waits until its last control, which keeps
    its distance to the bottom edge, has followed."""
    opened = Orvid.geometry(window)
    last = shown_controls(window_acc)[-1][1]
    below = opened[1] + opened[3] - (last[1] + last[3])
    orvid.xdotool("windowsize", window, *size)
    poll(f"{what} sized to {size}", lambda: Orvid.geometry(window)[2:] == tuple(size))

    def followed():
        g = Orvid.geometry(window)
        box = shown_controls(window_acc)[-1][1]
        return abs(g[1] + g[3] - (box[1] + box[3]) - below) <= 2
    poll(f"the last control of {what} kept to the bottom", followed)


def grown_and_shrunk(orvid, window, window_acc, what):
    opened = Orvid.geometry(window)
    assert overlaps(window, window_acc) == [], overlaps(window, window_acc)
    sized(orvid, window, window_acc, (opened[2] * 3 // 2, opened[3] * 3 // 2), what)
    orvid.grab(f"desktop-{what}-grown", window)
    assert overlaps(window, window_acc) == [], f"{what} grown: {overlaps(window, window_acc)}"
    sized(orvid, window, window_acc, opened[2:], what)
    orvid.xdotool("windowsize", window, 1, 1)  # no smaller than it opened
    poll(f"{what} at its smallest", lambda: Orvid.geometry(window)[2:] == opened[2:])
    orvid.grab(f"desktop-{what}-shrunk", window)
    assert overlaps(window, window_acc) == [], f"{what} shrunk: {overlaps(window, window_acc)}"


def window_accessible(app, title, besides=()):
    def found():
        for acc in children(app):
            if acc.get_name() == title and acc.get_index_in_parent() not in besides:
                return acc
        return None
    return poll(f"the accessible window {title!r}", found)


with Orvid() as orvid:
    main = orvid.window("^Orvid ")
    app = orvid.accessible()
    main_acc = window_accessible(app, MAIN_TITLE)
    find(main_acc, name="OK", role="push button")
    grown_and_shrunk(orvid, main, main_acc, "main-window")

    act(find(main_acc, name="F2 - Explorer", role="push button"), "press")
    explorer = orvid.window("^Explorer ")
    explorer_acc = window_accessible(app, EXPLORER_TITLE)
    grown_and_shrunk(orvid, explorer, explorer_acc, "explorer")
    act(find(explorer_acc, name="F10 - OK", role="push button"), "press")
    poll("the explorer closed", lambda: not orvid.windows("^Explorer "))

    act(find(main_acc, name="F3 - Log File", role="push button"), "press")
    media_list = poll("the media list", lambda: next(iter(set(orvid.windows("^Orvid ")) - {main}), None))
    media_acc = window_accessible(app, MAIN_TITLE, besides={main_acc.get_index_in_parent()})
    find(media_acc, name="Write CSV", role="push button")
    grown_and_shrunk(orvid, media_list, media_acc, "media-list")
