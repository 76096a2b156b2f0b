// The folder file "dune_folder.txt": the record DUNEFILE, its one key table, its writer and
// its readers.
//
// The file: lines of key, " = " and value, each ending in CR LF, in three blocks (icon, view,
// background) in that order, each written whole or not at all, with one empty line before a
// block when something was written before it. Composed in the ANSI code page, stored as UTF-8.
// Numbers in plain decimal; the scale with at most 15 significant digits. Two forms: the plain
// one (the catalogs, the editor) and the padded one (the pass), whose keys are padded to 17
// characters so that every value starts at the line's 21st character.
//
// The reader takes a line end to be CR LF, LF or CR, a leading UTF-8 byte-order mark, and a
// key only at the start of a line (after blanks or tabs), any letter case, followed by blanks
// or tabs and "="; the value is what follows the "=", without blanks at either end.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "zqplatform/files.h"

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

// The blocks in the order they are written; a FolderBlocks tells which of them to write.
enum class FolderBlock : uint8_t { Icon, View, Background };
using FolderBlocks = std::array<bool, 3>;
constexpr bool HasBlock(const FolderBlocks& blocks, FolderBlock b) { return blocks[static_cast<size_t>(b)]; }

using FolderField = std::variant<std::string DUNEFILE::*, int16_t DUNEFILE::*, double DUNEFILE::*>;

// One key: its block, the record's field it holds and how its line is written.
struct FolderFileKey {
  std::string_view key;
  FolderBlock block;
  FolderField field;
  bool always = true;         // else written only when not 0 and not blank
  std::string_view fallback = {};  // written instead of a blank text or a number of 0 or less
  uint16_t width = 0;         // a text's field is a CSTRING(width)
  std::string (*word)(std::string_view) = nullptr;  // how a text is written, when not as it is
  bool padded = true;         // the padded form holds the key too
};

// The 18 keys in writing order.
std::span<const FolderFileKey> FolderFileKeys();

// The key widths of the two forms.
constexpr size_t kPlainKeys = 0, kPaddedKeys = 17;

// The value of the key's field as its line shows it, before any fallback.
std::string FolderValue(const DUNEFILE& record, const FolderFileKey& key);
// Whether the key's line is written: always, or when its field is not 0 or blank.
bool FolderLineWritten(const DUNEFILE& record, const FolderFileKey& key);
// One line: the key padded to width, " = ", the value and CR LF.
std::string FolderFileLine(std::string_view key, std::string_view value, size_t width);

// The blocks the record's own fields call for: icon when ICON is not blank, view when IVIEW
// is "yes" in any case, background when BGPATH is not blank.
FolderBlocks DUNEFILEBLOCKS(const DUNEFILE& record);
// Stores the fallbacks of the block's keys into the record where their fields are blank or
// 0 or less: ALLIGN "center", COLS 6, ROWS 3, FSIZE "small", BGW 1920, BGH 1080.
void DUNEFILEDEFAULTS(DUNEFILE& record, FolderBlock block);

// The text of the given blocks of the record with keys padded to width (kPlainKeys or
// kPaddedKeys), nothing applied to the record; empty when no block is given.
std::string FOLDERFILETEXT(const DUNEFILE& record, const FolderBlocks& blocks, size_t width);

// The plain form of the record's own blocks, the alignment "bot" written as "bottom" (the
// player knows top, center and bottom; the editors wrote "Bot"), the defaults of those blocks
// stored back into it; empty when no block applies.
std::string DUNEFILETEXT(DUNEFILE& record);

// Writes the plain form to path as WRITEFOLDERBYTES does. The bytes written; 0 when no block
// applies (the file is then not touched); on a failed write the file layer's negative code
// when quiet is not 0, else "Error Writing dune_folder.txt" is shown and its answer (1)
// returned.
int32_t WRITEDUNEFILE(DUNEFILE& record, std::string_view path, uint8_t quiet);

// Writes a folder file's text (ANSI) to path as UTF-8, an empty text as an empty file; the
// bytes written, or on failure as WRITEDUNEFILE.
int32_t WRITEFOLDERTEXT(std::string_view text, std::string_view path, uint8_t quiet);
// Writes a folder file's stored bytes (UTF-8) to path as WRITEFOLDERTEXT does: into a new file
// beside it that then takes its place, so a failed write leaves the old file whole and a hard
// link's other names keep their bytes. A symbolic link at path is replaced as a link, or with
// AtLink::Follow the file it leads to is replaced.
int32_t WRITEFOLDERBYTES(std::string_view bytes, std::string_view path, uint8_t quiet,
                         zq::fs::AtLink atLink = zq::fs::AtLink::Replace);

// A folder file's text as stored (UTF-8) from the ANSI code page's, and back.
std::string FolderFileBytes(std::string_view ansi);
std::string FolderFileAnsi(std::string_view utf8);

// Fills the 18 keyed fields from the first 2,048 bytes of the file at path; a key the file
// lacks gives an empty text or 0. 0 after a read; -999 for a blank path; 0 for an empty or
// missing file (a missing file is not created) and the file layer's negative code for a
// failed read, the record then untouched.
int16_t READDUNEFILE(DUNEFILE& record, std::string_view path);

// Fills the 18 keyed fields from a folder file's whole text (ANSI), the texts uncut.
void DUNEFILEFROMTEXT(DUNEFILE& record, std::string_view ansi);
// Sets the key's field from a value as read (a number's low 16 bits; 0 for no number).
void SetFolderValue(DUNEFILE& record, const FolderFileKey& key, std::string_view value);

// The text after its UTF-8 byte-order mark, the text itself when it has none.
std::string_view WithoutByteOrderMark(std::string_view text);
// The value of key in text (the key's trailing blanks dropped); empty when no line holds it.
std::string RDFI(std::string_view text, std::string_view key);
// The value when line holds key, by the reader's rule; false when it does not.
bool FolderKeyLine(std::string_view line, std::string_view key, std::string_view* value);
// The position in FolderFileKeys() of the key the line holds, with its value; none for a line
// of no key.
std::optional<size_t> FolderFileKeyOf(std::string_view line, std::string_view* value);
