// What a multivalue array holds: fields of values of subvalues, and its three delimiters.
#pragma once
#include <optional>
#include <string>
#include <vector>

namespace zqv {

using ArrayValue = std::vector<std::string>;               // subvalues, never missing
using ArrayField = std::vector<std::optional<ArrayValue>>;  // an empty entry is a missing value
using ArrayFields = std::vector<std::optional<ArrayField>>; // an empty entry is a missing field

struct Delimiters {
  static constexpr char kField = '\xFE';
  static constexpr char kValue = '\xFD';
  static constexpr char kSubvalue = '\xFC';

  char field = kField;
  char value = kValue;
  char subvalue = kSubvalue;
};

}  // namespace zqv
