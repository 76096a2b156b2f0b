#include "CsvText.h"

#include "app/Helpers.h"
#include "app/Text.h"

namespace medialist {

void AppendValue(std::string& line, std::string_view value) {
  if (value.find_first_of(";\"") == std::string_view::npos) {
    line += value;
    return;
  }
  line += '"';
  for (char c : value) {
    if (c == '"') line += '"';
    line += c;
  }
  line += '"';
}

std::vector<std::string> SplitValues(std::string_view line) {
  std::vector<std::string> values;
  if (line.find('"') == std::string_view::npos) {
    size_t start = 0;
    for (size_t cut; (cut = line.find(';', start)) != std::string_view::npos; start = cut + 1)
      values.emplace_back(line.substr(start, cut - start));
    values.emplace_back(line.substr(start));
    return values;
  }
  values.emplace_back();
  size_t at = 0;
  while (at < line.size()) {
    std::string& value = values.back();
    if (value.empty() && line[at] == '"') {
      // A quoted value: up to the quote that is not doubled.
      for (++at; at < line.size(); ++at) {
        if (line[at] != '"') {
          value += line[at];
        } else if (at + 1 < line.size() && line[at + 1] == '"') {
          value += '"';
          ++at;
        } else {
          ++at;
          break;
        }
      }
      continue;
    }
    if (line[at] == ';') {
      values.emplace_back();
    } else {
      value += line[at];
    }
    ++at;
  }
  return values;
}

std::string WithCsvExtension(std::string_view name) {
  std::string result = WithoutTrailingBlanks(name);
  if (!SameWordNC(GETEXT(result), "CSV")) result += ".csv";
  return result;
}

MediumType KindOfType(std::string_view type) { return MediumTypeOfText(WithoutTrailingBlanks(type)); }

}  // namespace medialist
