// The settings file "Orvid.INI" and the data files "Script.dat", "VExtensions.dat" and
// "AExtensions.dat" in INIPATH.
#pragma once

// Loads the settings and the three data files into the program's state; each failure is
// reported with its dialog and loading goes on.
void GETINI();
// Saves them; each failure is reported and saving goes on. A data file that was there but
// failed to load is kept unless its queue has changed since. A settings file that cannot be
// written is reported once, and its remaining keys are not tried.
void PUTINI();
