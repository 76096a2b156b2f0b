#include "Load.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <new>
#include <vector>

#include "resize/Fit.h"
#include "zqplatform/files.h"

namespace zq::gr {
namespace {

// Files larger than this are refused before they are read.
constexpr long kMaxFileBytes = 512L * 1024 * 1024;

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

Status ReadWhole(const std::string& path, std::vector<uint8_t>& bytes) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return Status::Open;
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file || std::fseek(file.get(), 0, SEEK_END) != 0) return Status::Open;
  const long size = std::ftell(file.get());
  if (size < 0) return Status::Open;
  if (size > kMaxFileBytes) return Status::Size;
  std::rewind(file.get());
  try {
    bytes.resize(static_cast<std::size_t>(size));
  } catch (const std::bad_alloc&) {
    return Status::Memory;
  }
  if (std::fread(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) return Status::Open;
  return Status::Ok;
}

}  // namespace

std::string_view NameOf(int32_t length, const char* name) {
  if (!name || length <= 0) return {};
  return {name, static_cast<std::size_t>(length)};
}

std::string PathOfName(int32_t length, const char* name) {
  const std::string_view text = NameOf(length, name);
  if (text.empty()) return {};
  DWORD error = 0;
  return zq::fs::ResolvePath(text, &error);
}

std::string_view ExtensionOf(std::string_view path) {
  const std::size_t slash = path.find_last_of("/\\");
  const std::size_t dot = path.rfind('.');
  if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) return {};
  return path.substr(dot + 1);
}

Format FormatOfPicture(std::span<const uint8_t> bytes, std::string_view extension) {
  const Format format = FormatOfContent(bytes);
  if (format == Format::None && FormatOfExtension(extension) == Format::Aai) return Format::Aai;
  return format;
}

Loaded DecodeFitted(std::span<const uint8_t> bytes, std::string_view extension, uint8_t mode, Size target,
                    Filter filter) {
  const Format format = FormatOfPicture(bytes, extension);
  Decoded decoded;
  Size size;  // the result's size, from the picture's full size as shown
  switch (format) {
    case Format::Jpeg:
      decoded = ReadJpeg(bytes, [&](int32_t w, int32_t h) { return size = FitSize({w, h}, mode, target); });
      break;
    case Format::Png: decoded = ReadPng(bytes); break;
    case Format::Bmp: decoded = ReadBmp(bytes); break;
    case Format::Aai: decoded = ReadAai(bytes); break;
    case Format::None: return {Status::Format, {}};
  }
  if (decoded.status != Status::Ok) return {decoded.status, {}};
  try {
    if (format != Format::Jpeg) size = FitSize(decoded.image.Dimensions(), mode, target);
    if (size == decoded.image.Dimensions()) return {Status::Ok, std::move(decoded.image)};
    return {Status::Ok, Resample(decoded.image, size, filter)};
  } catch (const std::bad_alloc&) {
    return {Status::Memory, {}};
  }
}

Loaded LoadFitted(const std::string& path, uint8_t mode, Size target, Filter filter) {
  std::vector<uint8_t> bytes;
  if (Status status = ReadWhole(path, bytes); status != Status::Ok) return {status, {}};
  return DecodeFitted(bytes, ExtensionOf(path), mode, target, filter);
}

}  // namespace zq::gr
