# A second orvid started from the program folder another orvid runs from says so in the error
# dialog, naming the folder, and ends leaving the folder as it was; the first runs on. Once the
# first is killed outright, the next one starts as usual: no lock outlives its holder.
from orvid_desktop import Orvid, act, checksums, children, find, find_all, name, poll, text

with Orvid(ini={"PROCESS": {"Root": '"M:\\"'}}, files={"media/Films/Alien/Alien.mkv": b"film"},
           env={"ZQ_DRIVES": "M={scratch}/media"}) as first:
    first.window("^Orvid ")
    before = checksums(first.home)
    ini = (first.home / "Orvid.INI").read_bytes()

    second = first.another()
    second.window("^Error$")
    app = second.accessible()
    dialog = poll("the error dialog", lambda: next((w for w in children(app) if name(w) == "Error"), None))
    find(dialog, name="OK", role="push button")
    shown = [text(t) for t in find_all(dialog, role="text")] + [text(t) for t in find_all(dialog, role="label")]
    assert "Orvid is Already Running from this Folder." in shown, shown
    folder = str(first.home).replace("/", "\\") + "\\"
    assert any(t.endswith(folder) for t in shown), (folder, shown)
    second.grab("second-orvid-refused")
    act(find(dialog, name="OK", role="push button"), "press")
    second.wait_exit()
    assert second.windows("^Orvid ") == []
    assert (first.home / "Orvid.INI").read_bytes() == ini
    assert checksums(first.home) == before
    assert first.running()

    first.kill()
    third = first.another()
    third.window("^Orvid ")
    act(find(third.accessible(), name="OK", role="push button"), "press")
    third.wait_exit()
