// The query language's parser under libFuzzer; a query that parses and binds to its class is
// also tested against objects holding nulls, texts from the input and numbers.
#include <cstddef>
#include <cstdint>
#include <string>

#include "../Wql.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  auto query = zq::wmi::ParseWql(text);
  if (!query) return 0;
  const zq::wmi::ClassDef* cls = zq::wmi::FindClass(query->className);
  if (!cls || !zq::wmi::Bind(*query, *cls)) return 0;
  const std::string piece(text.substr(0, 16));
  for (int kind = 0; kind < 4; ++kind) {
    zq::wmi::Record record = cls->NewRecord();
    for (std::size_t i = 0; i < record.size(); ++i) {
      if (cls->properties[i].type & CIM_FLAG_ARRAY) record[i] = zq::wmi::TextList{piece, piece};
      else if (kind == 1) record[i] = piece;
      else if (kind == 2) record[i] = static_cast<int64_t>(size) - 8;
      else if (kind == 3) record[i] = static_cast<double>(size) / 3;
    }
    zq::wmi::Matches(*query, record);
  }
  return 0;
}
