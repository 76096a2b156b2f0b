// The text form of a multivalue array: the delimiter scanner and the chunked renderer.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "arrays/ArrayModel.h"
#include "strings/XSObject.h"

namespace zqv {

// Cuts the next piece off the front of rest, up to the delimiter or the end, and moves rest
// past it. True when the delimiter was found; with nothing left the piece is empty.
bool ScanDelimiter(std::string_view& rest, std::string_view& piece, char delimiter);

// Collects output in a chunk buffer and appends it to the target a chunk at a time. A text
// longer than a chunk goes to the target whole, after the buffer.
class ChunkWriter {
 public:
  static constexpr std::size_t kBufferSize = 32768;
  static constexpr std::size_t kChunk = 32000;

  // Empties the target.
  explicit ChunkWriter(XSObject& target);
  ChunkWriter(const ChunkWriter&) = delete;
  ChunkWriter& operator=(const ChunkWriter&) = delete;

  void Put(char byte);
  void Put(std::string_view bytes);
  // Appends what the buffer holds; call it once the output is complete.
  void Flush();

 private:
  XSObject& target_;
  std::unique_ptr<char[]> buffer_;
  std::size_t fill_ = 0;
};

// Renders the addressed part (every position 0 or more; 0 = the whole level) into target,
// replacing what it held.
void Render(const ArrayFields& fields, const Delimiters& delims, int32_t field, int32_t value,
            int32_t subvalue, XSObject& target);

}  // namespace zqv
