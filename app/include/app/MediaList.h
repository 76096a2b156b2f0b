// The media list window "Log File" over MFQ, the totals MFSIZE and the list's CSV file.
//
// The CSV file, in the ANSI code page with CR LF line ends: a header line, one line per
// record (the parent folder of DIR, DNAME, MNAME, EXTENSION, SCAT, STYPE, RSIZE and the 25
// characters of HRSIZE, separated by ";"), two empty lines and eight total lines whose label
// is the 10th value. A text value holding ";" or a double quote is written in double quotes
// with inner quotes doubled; no other value is quoted. The reader takes LF alone as a line end
// too, makes each record's folder from the Path and Folder columns again and its kind from the
// Type text, so a file written, read and written again is byte-identical.
#pragma once
#include <string>

// Opens the media-list window on the calling thread and returns when it is closed. While a
// scan or a pass adds to MFQ, "Read CSV" and the list's Delete key are disabled.
void SHOWLOG();

// MFSIZE from MFQ, and the disk of the last record's folder.
void MFTOTALS();

// Writes MFQ to a CSV file the user chooses; the file's name (also after a failed write), ""
// when the dialog was cancelled, "0" when the list is empty.
std::string MFEXPORT();

// Reads MFQ and the totals from a CSV file the user chooses; the file's name (also after a
// failed read, which leaves the list as it was), "" when the dialog was cancelled.
std::string MFIMPORT();
