// Reading a picture file and fitting it: the steps GR_Load and Gr_Convert share.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "Image.h"
#include "codecs/Codecs.h"
#include "resize/Resample.h"

namespace zq::gr {

// The text of a name as the host gives it (length and pointer); empty for a null pointer or a
// length below 1.
std::string_view NameOf(int32_t length, const char* name);
// The POSIX path of such a name (ANSI, Windows view or POSIX); empty for a missing or
// unresolvable name.
std::string PathOfName(int32_t length, const char* name);
// The extension of a path's last name, without the dot ("" when none).
std::string_view ExtensionOf(std::string_view path);

// The format of a picture file's bytes by its signature; AAI, which has none, by the extension.
Format FormatOfPicture(std::span<const uint8_t> bytes, std::string_view extension);

struct Loaded {
  Status status = Status::Ok;
  Image image;
};
// The picture of a file as the resize mode and target make it (the mode and target already
// checked with ValidFit). The file is read whole before anything is decoded.
Loaded LoadFitted(const std::string& path, uint8_t mode, Size target, Filter filter);
// A picture from a file's bytes, as LoadFitted makes it, in the format FormatOfPicture gives.
Loaded DecodeFitted(std::span<const uint8_t> bytes, std::string_view extension, uint8_t mode, Size target,
                    Filter filter);

}  // namespace zq::gr
