# The folder-file editor (F3 in the explorer) on a "dune_folder.txt" without the alignment,
# icon-view and font-size keys, driven as a user does: its three drop lists show no choice,
# the first choice of each, dropped down with the mouse and taken with Enter, is saved, and the folder's other files stay
# as they were.
from orvid_desktop import Orvid, act, checksums, children, extents, find, find_all, poll, states, text, write_ini

MEDIA = "media/Films/Alien (1979)/"
LACKING = b"icon_path = folder.aai\r\nmedia_url = Alien.mkv\r\n"
SAVED = (b"icon_path = folder.aai\r\nicon_valign = top\r\nmedia_url = Alien.mkv\r\n\r\n"
         b"use_icon_view = yes\r\nnum_cols = 6\r\nnum_rows = 3\r\nicon_top = 0\r\nicon_bottom = 0\r\n"
         b"caption_font_size = normal\r\ntext_bottom = 0\r\n")


def click(orvid, box, x=None):
    orvid.xdotool("mousemove", box[0] + (box[2] // 2 if x is None else x), box[1] + box[3] // 2, "click", "1")


orvid = Orvid(files={MEDIA + "dune_folder.txt": LACKING, MEDIA + "Alien.mkv": b"\x1a\x45\xdf\xa3 film",
                     MEDIA + "folder.aai": b"\x02\x00\x00\x00\x01\x00\x00\x00" + b"\x10\x20\x30\xfe" * 2})
folder = orvid.path(MEDIA)
write_ini(orvid.home / "Orvid.INI", {"EXPLORER": {"LPPath": "C:" + str(folder).replace("/", "\\")}})
with orvid:
    others = {k: v for k, v in checksums(folder).items() if k != "dune_folder.txt"}
    app = orvid.accessible()
    act(find(app, name="F2 - Explorer", role="push button"), "press")
    explorer = poll("the explorer", lambda: next((a for a in children(app) if a.get_name().startswith("Explorer ")), None))
    click(orvid, extents(find(explorer, name="dune_folder", role="table cell")), x=10)
    orvid.xdotool("key", "F3")
    form = poll("the folder-file editor",
                lambda: next((a for a in children(app) if find_all(a, name="Save", role="push button")), None))
    lists = poll("its three drop lists", lambda: [c for c in find_all(form, role="combo box") if extents(c)[2] > 0]
                 if len(find_all(form, role="combo box")) == 3 else None)
    assert [text(c) for c in lists] == ["", "", ""], [text(c) for c in lists]
    for drop, first in zip(lists, ("Top", "Yes", "Normal")):
        click(orvid, extents(drop))
        item = poll(f"the choice {first} dropped down", lambda: next(
            (i for i in find_all(drop, name=first, role="list item") if extents(i)[2] > 0 and "showing" in states(i)),
            None))
        box = extents(item)
        orvid.xdotool("mousemove", box[0] + box[2] // 2, box[1] + box[3] // 2)
        poll(f"{first} under the mouse", lambda: "selected" in states(item))
        orvid.xdotool("key", "Return")
        poll(f"{first} chosen", lambda: text(drop) == first)
    act(find(form, name="Save", role="push button"), "press")
    poll("the editor closed", lambda: not find_all(app, name="Save", role="push button"))
    saved = (folder / "dune_folder.txt").read_bytes()
    assert saved == SAVED, f"saved {saved!r}"
    assert {k: v for k, v in checksums(folder).items() if k != "dune_folder.txt"} == others
