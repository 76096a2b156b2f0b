// Fuzzes the text form: any bytes parse, render back to the same bytes under any delimiters,
// and survive addressed reads, stores and deletes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "arrays/RevArray.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  // The first byte chooses how many of the next bytes become the delimiters (0 to 3).
  std::size_t delims = input.empty() ? 0 : static_cast<unsigned char>(input[0]) % 4;
  if (input.size() < 1 + delims) return 0;
  std::string_view text = input.substr(1 + delims);

  // No delimiter bytes: the defaults (a length of 0 would read up to a NUL byte).
  const char* delimText = delims ? input.data() + 1 : nullptr;

  RevArray array;
  array.SetDelim(delimText, static_cast<int32_t>(delims));
  array.Set(0, 0, 0, text);
  if (array.Get(0, 0, 0) != text) std::abort();

  // Addressed work with small positions taken from the text itself.
  for (std::size_t i = 0; i + 3 < text.size() && i < 64; i += 4) {
    int32_t f = static_cast<int8_t>(text[i]) % 8, v = static_cast<int8_t>(text[i + 1]) % 8,
            s = static_cast<int8_t>(text[i + 2]) % 8;
    switch (static_cast<unsigned char>(text[i + 3]) % 4) {
      case 0: array.Set(f, v, s, text.substr(i, 8)); break;
      case 1: array.Insert(f, v, s, text.substr(i, 8)); break;
      case 2: array.Del(f, v, s); break;
      default: array.Get(f, v, s); break;
    }
    array.ValueCount(f);
    array.SubValueCount(f, v);
  }
  // Whatever the array now holds, its own text parses back into the same text.
  std::string rendered(array.Get(0, 0, 0));
  RevArray copy;
  copy.SetDelim(delimText, static_cast<int32_t>(delims));
  copy.Set(0, 0, 0, rendered);
  if (copy.Get(0, 0, 0) != rendered) std::abort();
  return 0;
}
