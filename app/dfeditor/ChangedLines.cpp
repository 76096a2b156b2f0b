// The bytes of a save: the stored lines, with the lines of the changed values written anew.
#include <algorithm>
#include <limits>
#include <utility>

#include "FolderFileContent.h"

namespace {

constexpr size_t kNone = std::numeric_limits<size_t>::max();
constexpr std::string_view kLineEnd = "\r\n";  // of the lines the plain form writes

class ChangedLines {
 public:
  // A line put in ends in lineEnd.
  ChangedLines(const std::vector<FolderFileContent::Line>& lines, std::string lineEnd) : lineEnd_(std::move(lineEnd)) {
    for (const FolderFileContent::Line& line : lines) {
      std::string_view value;
      lines_.push_back({line.bytes, line.end, FolderFileKeyOf(line.bytes, &value).value_or(kNone)});
    }
  }

  bool Has(size_t key) const { return LineOf(key) != kNone; }

  void RemoveAll(size_t key) {
    for (Line& line : lines_) line.removed = line.removed || line.key == key;
  }

  // The key's line replaced (its end kept), or put in beside its block's other lines.
  void Put(size_t key, std::string bytes) {
    if (const size_t at = LineOf(key); at != kNone) {
      lines_[at].bytes = std::move(bytes);
      return;
    }
    bool emptyBefore = false, emptyAfter = false;
    const size_t at = PlaceFor(key, emptyBefore, emptyAfter);
    std::vector<Line> added;
    if (emptyBefore) added.push_back(EmptyLine());
    added.push_back(Line{std::move(bytes), lineEnd_, key});
    if (emptyAfter) added.push_back(EmptyLine());
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), added.begin(), added.end());
  }

  std::string Bytes() {
    DropEmptyLinesLeftByRemovals();
    std::string bytes;
    size_t last = kNone;
    for (size_t i = 0; i < lines_.size(); ++i) {
      if (lines_[i].removed) continue;
      // A last line without an end gets one when a line now follows it.
      if (last != kNone && lines_[last].end.empty()) bytes.append(lineEnd_);
      bytes.append(lines_[i].bytes).append(lines_[i].end);
      last = i;
    }
    return bytes;
  }

 private:
  struct Line {
    std::string bytes, end;
    size_t key = kNone;
    bool removed = false;
    bool Empty() const { return bytes.find_first_not_of(" \t") == std::string::npos; }
  };

  Line EmptyLine() const { return Line{{}, lineEnd_}; }

  FolderBlock BlockOf(size_t key) const { return FolderFileKeys()[key].block; }

  size_t LineOf(size_t key) const {
    for (size_t i = 0; i < lines_.size(); ++i) {
      if (!lines_[i].removed && lines_[i].key == key) return i;
    }
    return kNone;
  }

  // Where a missing line goes: after the nearest earlier key of its block, before the nearest
  // later one; a block of its own after the earlier blocks' lines, before the later blocks'
  // or, when no block has a line, at the start; an empty line parting it from the others.
  size_t PlaceFor(size_t key, bool& emptyBefore, bool& emptyAfter) const {
    const size_t count = FolderFileKeys().size();
    for (size_t k = key; k-- > 0 && BlockOf(k) == BlockOf(key);) {
      if (const size_t at = LineOf(k); at != kNone) return at + 1;
    }
    for (size_t k = key + 1; k < count && BlockOf(k) == BlockOf(key); ++k) {
      if (const size_t at = LineOf(k); at != kNone) return at;
    }
    size_t afterEarlier = kNone, beforeLater = kNone;
    for (size_t i = 0; i < lines_.size(); ++i) {
      if (lines_[i].removed || lines_[i].key == kNone) continue;
      if (BlockOf(lines_[i].key) < BlockOf(key)) afterEarlier = i + 1;
      if (BlockOf(lines_[i].key) > BlockOf(key) && beforeLater == kNone) beforeLater = i;
    }
    if (afterEarlier != kNone) {
      emptyBefore = true;
      return afterEarlier;
    }
    if (beforeLater != kNone) {
      emptyAfter = true;
      return beforeLater;
    }
    emptyAfter = std::any_of(lines_.begin(), lines_.end(), [](const Line& l) { return !l.removed && !l.Empty(); });
    return 0;
  }

  size_t KeptBefore(size_t i) const {
    while (i-- > 0) {
      if (!lines_[i].removed) return i;
    }
    return kNone;
  }

  size_t KeptAfter(size_t i) const {
    while (++i < lines_.size()) {
      if (!lines_[i].removed) return i;
    }
    return kNone;
  }

  // Each run of removed lines takes an empty line beside it with it where it would leave two
  // together, or one at the start or the end of the file.
  void DropEmptyLinesLeftByRemovals() {
    std::vector<std::pair<size_t, size_t>> runs;  // first and last line of each run
    for (size_t i = 0; i < lines_.size(); ++i) {
      if (!lines_[i].removed) continue;
      if (i > 0 && lines_[i - 1].removed) {
        runs.back().second = i;
      } else {
        runs.emplace_back(i, i);
      }
    }
    for (const auto& [first, last] : runs) {
      const size_t before = KeptBefore(first), after = KeptAfter(last);
      const bool emptyBefore = before != kNone && lines_[before].Empty();
      if (after != kNone && lines_[after].Empty() && (before == kNone || emptyBefore)) {
        lines_[after].removed = true;
      } else if (after == kNone && emptyBefore) {
        lines_[before].removed = true;
      }
    }
  }

  std::string lineEnd_;
  std::vector<Line> lines_;
};

}  // namespace

std::string FolderFileContentBytes(const FolderFileContent& content) {
  const std::span<const FolderFileKey> keys = FolderFileKeys();
  const FolderBlocks before = DUNEFILEBLOCKS(content.asRead), after = DUNEFILEBLOCKS(content.record);
  DUNEFILE written = content.record;
  for (FolderBlock block : {FolderBlock::Icon, FolderBlock::View, FolderBlock::Background}) {
    if (HasBlock(after, block)) DUNEFILEDEFAULTS(written, block);
  }
  ChangedLines lines(content.lines, content.lineEnd);
  for (size_t k = 0; k < keys.size(); ++k) {
    const FolderFileKey& key = keys[k];
    const bool on = HasBlock(after, key.block), wasOn = HasBlock(before, key.block);
    const bool changed = FolderValue(content.asRead, key) != FolderValue(content.record, key);
    if (!on) {
      if (wasOn || changed) lines.RemoveAll(k);
    } else if (changed || (!wasOn && !lines.Has(k))) {
      if (FolderLineWritten(written, key)) {
        const std::string line = FolderFileLine(key.key, FolderFileBytes(FolderValue(written, key)), kPlainKeys);
        lines.Put(k, line.substr(0, line.size() - kLineEnd.size()));  // its end is the line's own
      } else {
        lines.RemoveAll(k);
      }
    }
  }
  const std::string body = lines.Bytes();
  // An emptied file is an empty file; an untouched one keeps its mark.
  if (body.empty() && !content.lines.empty()) return {};
  return content.mark + body;
}
