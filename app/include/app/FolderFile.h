// The folder file "dune_folder.txt": the record DUNEFILE, its plain form and its reader.
//
// The plain form: lines of key, " = " and value, each ending in CR LF, in three blocks
// (icon, view, background) in that order, each written whole or not at all, with one empty
// line before a block when something was written before it. Composed in the ANSI code page,
// stored as UTF-8. Numbers in plain decimal; the scale with at most 15 significant digits.
//
// The reader takes a line end to be CR LF, LF or CR, and a key only at the start of a line
// (after blanks), any letter case, followed by blanks and "="; the value is what follows the
// "=", without blanks at either end.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// One "dune_folder.txt". Texts are held without trailing blanks; the widths are those the
// reader cuts to (a CSTRING(n) holds n - 1 characters).
struct DUNEFILE {
  std::string ICON;    // CSTRING(256) "icon_path", relative to the folder
  std::string ALLIGN;  // CSTRING(10)  "icon_valign": Top, Center, Bottom (read also as Bot)
  int16_t IDX = 0;     // "icon_dx"
  int16_t IDY = 0;     // "icon_dy"
  double SCALE = 0;    // "icon_scale_factor"
  std::string MURL;    // CSTRING(256) "media_url", relative to the folder
  std::string IVIEW;   // CSTRING(5)   "use_icon_view": "yes" for an icon view
  int16_t COLS = 0;    // "num_cols"
  int16_t ROWS = 0;    // "num_rows"
  int16_t TOP = 0;     // "icon_top"
  int16_t BOT = 0;     // "icon_bottom"
  int16_t TEXTBOT = 0; // "text_bottom"
  std::string FSIZE;   // CSTRING(10)  "caption_font_size": Normal or Small
  std::string BGPATH;  // CSTRING(256) "background_path", relative to the folder
  int16_t BGX = 0;     // "background_x"
  int16_t BGY = 0;     // "background_y"
  int16_t BGW = 0;     // "background_width"
  int16_t BGH = 0;     // "background_height"
  // The editor's own fields, in no file.
  std::string IFPATH;  // CSTRING(256) information picture
  int16_t IFX = 0;
  int16_t IFY = 0;
  int16_t IFW = 0;
  int16_t IFH = 0;
  std::string TEXT;    // CSTRING(256)
};

// The plain form of the record, the alignment "bot" written as "bottom" (the player knows
// top, center and bottom; the editors wrote "Bot"), the defaults it applies stored back into
// it (ALLIGN "center", COLS 6, ROWS 3, FSIZE "small", BGW 1920, BGH 1080); empty when no block applies.
std::string DUNEFILETEXT(DUNEFILE& record);

// Writes the plain form to path (created or overwritten whole). The bytes written; 0 when no
// block applies (the file is then not touched); on a failed write the file layer's negative
// code when quiet is not 0, else "Error Writing dune_folder.txt" is shown and its answer (1)
// returned.
int16_t WRITEDUNEFILE(DUNEFILE& record, std::string_view path, uint8_t quiet);

// Writes a folder file's plain form (ANSI) to path as WRITEDUNEFILE does, an empty text as an
// empty file; the bytes written, or on failure as WRITEDUNEFILE.
int16_t WRITEFOLDERTEXT(std::string_view text, std::string_view path, uint8_t quiet);

// Fills the 18 keyed fields from the first 2,048 bytes of the file at path; a key the file
// lacks gives an empty text or 0. 0 after a read; -999 for a blank path; 0 for an empty or
// missing file (a missing file is not created) and the file layer's negative code for a
// failed read, the record then untouched.
int16_t READDUNEFILE(DUNEFILE& record, std::string_view path);

// Fills the 18 keyed fields from a folder file's whole text (ANSI), the texts uncut.
void DUNEFILEFROMTEXT(DUNEFILE& record, std::string_view ansi);

// The value of key in text (the key's trailing blanks dropped); empty when no line holds it.
std::string RDFI(std::string_view text, std::string_view key);
