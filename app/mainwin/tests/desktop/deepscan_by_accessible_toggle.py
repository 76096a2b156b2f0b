# "Deepscan Folders" checked through the accessibility interface (as screen readers and desktop
# automation check it) is the program's value: the scan then enters the sub-folders of a folder
# that holds a media file. The user's media are left as they were.
from orvid_desktop import Orvid, act, checked, checksums, find, find_all, name, poll, text

MEDIA = {
    "media/Films/Alien (1979)/Alien.mkv": b"film",
    "media/Films/Alien (1979)/Extras/Making Of.mkv": b"extra",
    "media/Films/Alien (1979)/Extras/Deleted/Scene.mkv": b"scene",
}

with Orvid(ini={"PROCESS": {"Root": '"M:\\"'}}, files=MEDIA, env={"ZQ_DRIVES": "M={scratch}/media"}) as orvid:
    before = checksums(orvid.path("media"))
    orvid.window("^Orvid ")
    app = orvid.accessible()
    deepscan = find(app, name="Deepscan Folders", role="check box")
    assert not checked(deepscan)
    act(deepscan, "toggle")
    poll("the box checked on screen", lambda: checked(deepscan))
    scan = find(app, name="Scan Root", role="push button")
    act(scan, "press")
    folders = next(t for t in find_all(app, role="tree") if find_all(t, name="Folder", role="table column header"))
    rows = lambda: {name(c).strip() for c in find_all(folders, role="table cell")}
    poll("the scan's rows", lambda: "Alien.mkv" in rows())
    poll("the scan's end", lambda: text(scan) == "Scan Root")
    found = rows()
    for entry in ("Films", "Alien (1979)", "Alien.mkv", "Extras", "Making Of.mkv", "Deleted", "Scene.mkv"):
        assert entry in found, f"{entry!r} not in the folder list: {sorted(found)}"
    orvid.grab("main-window-deep-scanned")
    act(find(app, name="OK", role="push button"), "press")
    orvid.wait_exit()
    assert orvid.ini()["PROCESS"]["Root"] == '"M:\\"'
    assert checksums(orvid.path("media")) == before
