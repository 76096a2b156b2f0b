// The version text of DSKGetFileVersion: twelve string-table values of a version resource
// under the translation that suits the user's language.
#pragma once
#include <cstdint>
#include <string>

#include "zqplatform/system.h"

namespace zqv {

// The separator for its argument byte: 0 ";", 255 CR LF, any other that byte.
std::string VersionSeparator(uint8_t code);

// The text for a resource and the user's language.
std::string VersionText(const zq::sys::VersionResource& resource, uint16_t userLanguage, const std::string& separator);

}  // namespace zqv
