#include "SafeWrite.h"

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <thread>

namespace zq::gr {
namespace {

namespace fs = std::filesystem;

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

// A name no other writer of this or another process picks: a random value of the process,
// the thread and a counter.
std::string UniqueSuffix() {
  static const uint64_t process = std::random_device{}() * 0x9E3779B97F4A7C15ull ^ std::random_device{}();
  static std::atomic<uint64_t> counter{0};
  const uint64_t thread = std::hash<std::thread::id>{}(std::this_thread::get_id());
  return std::to_string(process ^ thread) + "-" + std::to_string(counter.fetch_add(1));
}

// A link at the target is replaced as a link, whatever it leads to.
bool WritableTarget(const fs::file_status& status) {
  if (!fs::exists(status) || fs::is_symlink(status)) return true;  // a new file: the folder decides
  if (!fs::is_regular_file(status)) return false;
  constexpr fs::perms anyWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  return (status.permissions() & anyWrite) != fs::perms::none;
}

}  // namespace

Status WriteReplacing(const std::string& target, std::span<const uint8_t> bytes) {
  const fs::path path(target);
  std::error_code error;
  const fs::file_status old = fs::symlink_status(path, error);
  error.clear();  // a missing target is a new file
  if (target.empty() || !path.has_filename() || !WritableTarget(old)) return Status::Write;
  const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
  fs::path temporary;
  std::unique_ptr<std::FILE, FileCloser> file;
  for (int attempt = 0; attempt < 8 && !file; ++attempt) {
    temporary = folder / ("." + path.filename().string() + "." + UniqueSuffix() + ".tmp");
    file.reset(std::fopen(temporary.c_str(), "wbx"));
  }
  if (!file) return Status::Write;
  bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size() &&
                 std::fflush(file.get()) == 0 && !std::ferror(file.get());
  written = std::fclose(file.release()) == 0 && written;
  if (written && fs::is_regular_file(old)) fs::permissions(temporary, old.permissions(), error);  // the old file's bits
  if (written && !error) fs::rename(temporary, path, error);
  if (!written || error) {
    fs::remove(temporary, error);
    return Status::Write;
  }
  return Status::Ok;
}

}  // namespace zq::gr
