# The "No url" check boxes of the settings window's video extensions, edited in place with the
# mouse and the keyboard as a user does: one click toggles a box once, a double click toggles
# it for each of its presses (so it ends as it was), Space toggles it; Enter writes each into
# the table, and the program's close saves VExtensions.dat with exactly those changes.
from orvid_desktop import Orvid, act, children, extents, find, find_all, poll, states, text

FIELD, RECORD = b"\xfd", b"\xfe"


def centre(box):
    return (box[0] + box[2] // 2, box[1] + box[3] // 2)


with Orvid() as orvid:
    before = (orvid.home / "VExtensions.dat").read_bytes()
    app = orvid.accessible()
    act(find(app, name="F9 - Settings", role="push button"), "press")
    settings = poll("the settings window",
                    lambda: next((a for a in children(app) if a.get_name().startswith("Settings ")), None))
    act(find(settings, name="Processing", role="page tab"), "press")
    video = poll("the video extensions shown", lambda: next(
        (t for t in find_all(settings, role="tree") if extents(t)[2] > 0 and "showing" in states(t)), None))

    def no_url_cell(row):
        return [c for c in children(video) if c.get_role_name() == "table cell"][(row - 1) * 3 + 2]

    def open_box(row):
        """Double-clicks the row's "No url" cell: the check box comes over it."""
        cell = extents(no_url_cell(row))
        orvid.xdotool("mousemove", *centre(cell), "click", "--repeat", "2", "--delay", "60", "1")

        def over_cell():
            for box in (c for c in children(settings) if c.get_role_name() == "check box"):
                b = extents(box)
                if b[2] > 0 and abs(b[1] - cell[1]) <= 2 and abs(b[0] - cell[0]) <= 2:
                    return box
            return None
        return poll(f"the check box over row {row}", over_cell)

    def indicator(box):
        b = extents(box)
        return (b[0] + min(8, b[2] // 2), b[1] + b[3] // 2)

    def commit(row, shown):
        orvid.xdotool("key", "Return")
        poll(f"row {row} showing {shown}", lambda: text(no_url_cell(row)) == shown)

    box = open_box(1)
    orvid.xdotool("mousemove", *indicator(box), "click", "1")
    poll("the box checked by one click", lambda: "checked" in states(box))
    commit(1, "1")

    box = open_box(2)
    orvid.xdotool("mousemove", *indicator(box), "click", "--repeat", "2", "--delay", "60", "1")
    orvid.xdotool("key", "space")  # after the double click's presses have reached the box
    poll("the box checked by Space after the double click", lambda: "checked" in states(box))
    orvid.xdotool("key", "space")
    poll("the box cleared by Space again", lambda: "checked" not in states(box))
    commit(2, "0")

    box = open_box(3)
    orvid.xdotool("key", "space")
    poll("the box checked by Space", lambda: "checked" in states(box))
    commit(3, "1")

    act(find(settings, name="OK", role="push button"), "press")
    act(find(app, name="OK", role="push button"), "press")
    orvid.wait_exit()
    records = [r.split(FIELD) for r in before.split(RECORD)]
    for row in (1, 3):
        records[row - 1][2] = b"1"
    expected = RECORD.join(FIELD.join(r) for r in records)
    saved = (orvid.home / "VExtensions.dat").read_bytes()
    assert saved == expected, f"saved {saved!r}, expected {expected!r}"
