// What a fresh program folder holds: the settings and data files' defaults and its pictures.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace orvid::folder {

struct VideoExtension {
  std::string_view ext;
  bool noMediaUrl;  // a player cannot link a single file of this kind as the film
};
const std::vector<VideoExtension>& VideoExtensions();
const std::vector<std::string_view>& AudioExtensions();

// Sets the program's state to the defaults of a fresh folder: layouts, extensions, folders
// not scanned, settings and options.
void SetDefaults();

// Draws the pictures into folder (which ends with "/"): Covers, Chars and the two
// backgrounds. The names of the files that could not be written.
std::vector<std::string> DrawPictures(const std::string& folder);

}  // namespace orvid::folder
