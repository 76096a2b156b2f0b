// File times in the local time zone.
#pragma once
#include "zqplatform/files.h"

// The local time (same units) of a UTC file time, with the offset of the system's time zone
// at that moment. False for a null argument.
bool FileTimeToLocalFileTime(const FILETIME* utc, FILETIME* local);
