# The harness end to end: the real orvid on its own desktop shows its main window, is found on
# the accessibility bus, closes by its OK button's press action and saves its settings.
from orvid_desktop import Orvid, act, find

with Orvid() as orvid:
    window = orvid.window("^Orvid ")
    orvid.grab("main-window-on-its-desktop", window)
    ok = find(orvid.accessible(), name="OK", role="push button")
    act(ok, "press")
    orvid.wait_exit()
    main = orvid.ini()["MAIN"]
    assert main["MainWinPos"].count(",") == 3, main
