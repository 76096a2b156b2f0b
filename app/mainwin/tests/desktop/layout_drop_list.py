# The "Align" cells of the main window's layout list, edited in place as a user does: a cell
# holding "center" opens on "Center", one holding "Middle" or nothing opens on no choice, and
# Enter on any of them writes nothing; the first choice picked with the keys is written. The
# program's close saves Script.dat with exactly that change.
import os
from pathlib import Path

from orvid_desktop import Orvid, act, children, extents, find, find_all, poll, text

FIELD, RECORD = b"\xfd", b"\xfe"
COLUMNS = 14
STORED = {1: b"center", 2: b"Middle", 3: b""}


def layouts(stored):
    """The program folder's Script.dat with the rows' alignments replaced."""
    records = [r.split(FIELD) for r in (Path(os.environ["ORVID_FOLDER"]) / "Script.dat").read_bytes().split(RECORD)]
    for row, align in stored.items():
        records[row - 1][1] = align
    return RECORD.join(FIELD.join(r) for r in records)


def centre(box):
    return (box[0] + box[2] // 2, box[1] + box[3] // 2)


script = layouts(STORED)
with Orvid(files={"Orvid/Script.dat": script}) as orvid:
    app = orvid.accessible()
    main = poll("the main window", lambda: next((a for a in children(app) if a.get_name().startswith("Orvid ")), None))
    find(main, name="OK", role="push button")
    layout = poll("the layout list", lambda: next(
        (t for t in find_all(main, role="tree") if len(find_all(t, role="table cell")) >= 7 * COLUMNS), None))

    def align_cell(row):
        return [c for c in children(layout) if c.get_role_name() == "table cell"][(row - 1) * COLUMNS + 1]

    def editor_over(cell):
        for box in (c for c in children(main) if c.get_role_name() == "combo box"):
            b = extents(box)
            if b[2] > 0 and abs(b[1] - cell[1]) <= 3 and abs(b[0] - cell[0]) <= 3:
                return box
        return None

    def open_cell(row):
        """Double-clicks the row's Align cell: the drop list comes over it."""
        cell = extents(align_cell(row))
        orvid.xdotool("mousemove", *centre(cell), "click", "--repeat", "2", "--delay", "60", "1")
        return cell, poll(f"the drop list over row {row}", lambda: editor_over(cell))

    def commit(cell, row, shown):
        orvid.xdotool("key", "Return")
        poll(f"the drop list of row {row} gone", lambda: editor_over(cell) is None)
        assert text(align_cell(row)) == shown, (row, text(align_cell(row)))

    for row, opens_on in ((1, "Center"), (2, ""), (3, "")):
        cell, editor = open_cell(row)
        assert text(editor) == opens_on, (row, text(editor))
        commit(cell, row, STORED[row].decode())

    cell, editor = open_cell(3)
    orvid.xdotool("key", "Down")
    poll("the first choice shown", lambda: text(editor) == "Top")
    commit(cell, 3, "Top")

    act(find(main, name="OK", role="push button"), "press")
    orvid.wait_exit()
    saved = (orvid.home / "Script.dat").read_bytes()
    expected = layouts({**STORED, 3: b"Top"})
    assert saved == expected, f"saved {saved!r}, expected {expected!r}"
