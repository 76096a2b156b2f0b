// Size texts, folder sizes, the picture-conversion option codes, path surgery and the question
// for a long job's errors, shared by the scan, the pass, the catalogs, the media list and the
// explorer. Paths are Windows paths
// with "\" between names; a folder path these procedures return ends with "\".
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A per-item error of a long job in the error dialog over the main window (Cancel, Ignore and
// Ignore All), unless silenced; Ignore All silences the rest. The answer, 0 when silenced.
uint8_t AskUnlessSilenced(bool& silenced, std::string_view message, std::string_view procedure,
                          std::string_view details, int32_t code);

// A byte count as text: below 1,024 the plain number and " Bs", else the count in Kb, Mb or
// Gb (powers of 1,024) rounded to two decimals, right-aligned in ten characters with
// thousands separated by ",", and the unit ("  1,023.00 Kb"). No trailing blanks.
std::string HRSIZE(double size);

// The bytes of every file below the folder, sub-folders to any depth. Symbolic links to
// folders are not followed; a folder that cannot be listed adds 0.
double GETDIRSIZE(std::string_view folder);

// Conversion filter code: "Bicubic" 2, "Bilinear" 0, any other name 1 (case-blind).
uint8_t GETFILTER(std::string_view name);
// Conversion resize code: "Bigger" 1, "Smaller" 2, "Both" 3, else 0 (case-blind); 4 is
// added to a non-zero code when keepAspect is not 0.
uint8_t GETRESIZE(std::string_view name, uint8_t keepAspect);

// The drive root ("D:\") or the share root ("\\nas\media\"); empty for a network path of
// fewer than four "\".
std::string GETROOT(std::string_view path);
// The parent folder ending in "\"; a drive or share root comes back unchanged. *shortened,
// when given, is set to 1 when the path was shortened and otherwise left as it was.
std::string GETUPDIR(std::string_view path, uint8_t* shortened = nullptr);
// The name without its last extension ("alien.part1.mkv" gives "alien.part1").
std::string GETFILE(std::string_view name);
// The text after the last "." (case kept), empty when there is no ".".
std::string GETEXT(std::string_view name);
// The last folder name of the path ("C:" for a drive root), empty when there is none.
std::string GETSUBDIR(std::string_view path);
// The path relative to the media root, with a leading and a trailing "\"; empty when the
// root is blank. The root's length is dropped from the front whether or not the path lies
// under it.
std::string FIXPATH(std::string_view path, std::string_view root);

// One entry of a folder listing: its name as listed, its size in bytes (files), and whether it
// is a folder and whether it is a symbolic link.
struct FolderEntry {
  std::string name;
  double size;
  bool folder;
  bool link;
};
// The entries of a folder (a path ending in "\"), "." and ".." included, in the listing's order.
std::vector<FolderEntry> ListFolder(const std::string& folder);

// The symbolic link a path (a final "\" allowed) names: none, one to a folder, or one to a
// file or to nothing.
enum class LinkKind { None, ToFolder, ToOther };
LinkKind LinkAt(std::string_view path);
// The last name of a file's path in the case it stands in on disk, found as the file layer
// finds names (case-blind where the exact name is missing); as written when none matches.
std::string NameOnDisk(std::string_view path);


// Settings words, keys and extensions are plain ASCII: compared without regard to case and
// lower-cased letter by letter.
bool SameWordNC(std::string_view a, std::string_view b);
std::string LowerWord(std::string_view word);
