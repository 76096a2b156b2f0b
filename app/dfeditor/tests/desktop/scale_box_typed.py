# The folder-file editor's Scale box typed into as a user does: "1.5" and then "2,5" typed
# over the value shown stay as typed (no reformatting between the keys), and each Save writes
# the folder file with that scale and every other line as it was; the folder's other files
# stay as they were.
from orvid_desktop import Orvid, act, checksums, children, extents, find, find_all, poll, text, write_ini

MEDIA = "media/Films/Alien (1979)/"
STORED = b"icon_path = folder.aai\r\nicon_scale_factor = 0.5\r\nmedia_url = Alien.mkv\r\n\r\nnote = kept\r\n"


def saved_with(scale):
    return STORED.replace(b"0.5", scale)


orvid = Orvid(files={MEDIA + "dune_folder.txt": STORED, MEDIA + "Alien.mkv": b"\x1a\x45\xdf\xa3 film",
                     "outside/keep.txt": b"outside the media folder"})
folder = orvid.path(MEDIA)
write_ini(orvid.home / "Orvid.INI", {"EXPLORER": {"LPPath": "C:" + str(folder).replace("/", "\\")}})
with orvid:
    others = {k: v for k, v in checksums(folder).items() if k != "dune_folder.txt"}
    outside = checksums(orvid.path("outside"))
    app = orvid.accessible()
    act(find(app, name="F2 - Explorer", role="push button"), "press")
    explorer = poll("the explorer", lambda: next((a for a in children(app) if a.get_name().startswith("Explorer ")), None))
    for typed, scale in (("1.5", b"1.5"), ("2,5", b"2.5")):
        row = extents(find(explorer, name="dune_folder", role="table cell"))
        orvid.xdotool("mousemove", row[0] + 10, row[1] + row[3] // 2, "click", "1")
        orvid.xdotool("key", "F3")
        form = poll("the folder-file editor",
                    lambda: next((a for a in children(app) if find_all(a, name="Save", role="push button")), None))
        label = extents(find(form, name="Scale", role="label"))
        # The Scale box: the first spin box right of its prompt, on the prompt's line.
        box = poll("the Scale box", lambda: min(
            (s for s in find_all(form, role="spin button")
             if extents(s)[0] > label[0] and abs(extents(s)[1] - label[1]) < label[3]),
            key=lambda s: extents(s)[0], default=None))
        at = extents(box)
        orvid.xdotool("mousemove", at[0] + at[2] // 3, at[1] + at[3] // 2, "click", "1")
        orvid.xdotool("key", "ctrl+a")
        orvid.xdotool("type", "--delay", "80", typed)
        poll(f"{typed} shown as typed", lambda: text(box) == typed.replace(",", "."))
        orvid.grab("scale-box-typed-" + typed.replace(",", "-"))
        act(find(form, name="Save", role="push button"), "press")
        poll("the editor closed", lambda: not find_all(app, name="Save", role="push button"))
        saved = (folder / "dune_folder.txt").read_bytes()
        assert saved == saved_with(scale), f"typed {typed}, saved {saved!r}"
    assert {k: v for k, v in checksums(folder).items() if k != "dune_folder.txt"} == others
    assert checksums(orvid.path("outside")) == outside
