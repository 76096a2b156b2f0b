#include "DriveMap.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <mutex>
#include <sstream>

#include "zqplatform/charset.h"

namespace zq::fs {
namespace {

struct Share {
  std::string key;  // "server\share", as configured
  std::string folder;
};

struct Map {
  std::vector<MountEntry> mounts;
  std::map<char, std::string> letters;  // letter -> folder
  std::vector<Share> shares;
};

std::mutex mapLock;
std::optional<Map> loaded;

std::string Unescape(std::string_view field) {
  auto oct = [](char c) { return c >= '0' && c <= '7'; };
  std::string out;
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 < field.size() && oct(field[i + 1]) && oct(field[i + 2]) &&
        oct(field[i + 3])) {
      out += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0'));
      i += 3;
    } else {
      out += field[i];
    }
  }
  return out;
}

bool UserVisible(const std::string& folder) {
  for (std::string_view base : {"/media", "/mnt", "/run/media", "/srv"}) {
    if (folder.compare(0, base.size(), base) == 0 &&
        (folder.size() == base.size() || folder[base.size()] == '/'))
      return true;
  }
  return false;
}

std::string TrimSlashes(std::string folder) {
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

// "A=x;B=y" into pairs; empty and malformed items are skipped.
std::vector<std::pair<std::string, std::string>> Pairs(const char* text) {
  std::vector<std::pair<std::string, std::string>> out;
  if (!text) return out;
  std::stringstream items(text);
  std::string item;
  while (std::getline(items, item, ';')) {
    std::size_t eq = item.find('=');
    if (eq == std::string::npos || eq == 0 || eq + 1 >= item.size()) continue;
    out.emplace_back(item.substr(0, eq), item.substr(eq + 1));
  }
  return out;
}

Map Load() {
  Map map;
  std::ifstream table("/proc/self/mounts");
  std::stringstream text;
  text << table.rdbuf();
  map.mounts = ParseMountTable(text.str());
  map.letters = DriveLetters(map.mounts, std::getenv("ZQ_DRIVES"));
  for (auto& [key, folder] : Pairs(std::getenv("ZQ_SHARES"))) {
    std::string k = key;
    std::replace(k.begin(), k.end(), '/', '\\');
    map.shares.push_back({k, TrimSlashes(folder)});
  }
  return map;
}

Map& Current() {
  if (!loaded) loaded = Load();
  return *loaded;
}

// The mount that holds a folder: the longest mount point that is a prefix of it.
const MountEntry* MountOf(const Map& map, const std::string& folder) {
  const MountEntry* best = nullptr;
  for (const MountEntry& m : map.mounts) {
    bool under = folder.compare(0, m.folder.size(), m.folder) == 0 &&
                 (m.folder == "/" || folder.size() == m.folder.size() || folder[m.folder.size()] == '/');
    if (under && (!best || m.folder.size() >= best->folder.size())) best = &m;
  }
  return best;
}

bool Removable(const std::string& device) {
  struct stat st {};
  if (device.rfind("/dev/", 0) != 0 || stat(device.c_str(), &st) != 0 || !S_ISBLK(st.st_mode)) return false;
  std::string dev = "/sys/dev/block/" + std::to_string(major(st.st_rdev)) + ":" + std::to_string(minor(st.st_rdev));
  for (std::string at : {dev + "/removable", dev + "/../removable"}) {
    std::ifstream flag(at);
    int value = 0;
    if (flag >> value) return value == 1;
  }
  return false;
}

uint32_t TypeOf(const Map& map, const std::string& folder, std::string* fsType) {
  struct stat st {};
  if (stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return DRIVE_NO_ROOT_DIR;
  const MountEntry* m = MountOf(map, folder);
  if (!m) return DRIVE_FIXED;
  *fsType = m->fsType;
  return DriveTypeOf(m->fsType, Removable(m->device));
}

}  // namespace

std::vector<MountEntry> ParseMountTable(std::string_view text) {
  std::vector<MountEntry> out;
  std::stringstream lines{std::string(text)};
  std::string line;
  while (std::getline(lines, line)) {
    std::stringstream fields(line);
    std::string device, folder, type;
    if (fields >> device >> folder >> type) out.push_back({Unescape(device), TrimSlashes(Unescape(folder)), type});
  }
  return out;
}

std::map<char, std::string> DriveLetters(const std::vector<MountEntry>& mounts, const char* configured) {
  std::map<char, std::string> letters;
  letters['C'] = "/";
  std::vector<std::string> configuredFolders;
  for (auto& [key, folder] : Pairs(configured)) {
    char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(key[0])));
    if (key.size() != 1 || letter < 'A' || letter > 'Z') continue;
    letters[letter] = TrimSlashes(folder);
    configuredFolders.push_back(TrimSlashes(folder));
  }

  std::vector<std::string> visible;
  for (const MountEntry& m : mounts)
    if (UserVisible(m.folder) && std::find(visible.begin(), visible.end(), m.folder) == visible.end() &&
        std::find(configuredFolders.begin(), configuredFolders.end(), m.folder) == configuredFolders.end())
      visible.push_back(m.folder);
  std::sort(visible.begin(), visible.end());
  char next = 'D';
  for (const std::string& folder : visible) {
    while (next <= 'Z' && letters.count(next)) ++next;
    if (next > 'Z') break;
    letters[next] = folder;
  }
  return letters;
}

uint32_t DriveTypeOf(std::string_view t, bool removable) {
  if (t == "iso9660" || t == "udf") return DRIVE_CDROM;
  if (t == "nfs" || t == "nfs4" || t == "cifs" || t == "smb3" || t == "smbfs" || t == "sshfs" ||
      t == "fuse.sshfs")
    return DRIVE_REMOTE;
  if (t == "tmpfs" || t == "ramfs") return DRIVE_RAMDISK;
  return removable ? DRIVE_REMOVABLE : DRIVE_FIXED;
}

std::optional<std::string> DriveFolder(char letter) {
  letter = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
  std::lock_guard hold(mapLock);
  auto& letters = Current().letters;
  auto it = letters.find(letter);
  if (it == letters.end()) return std::nullopt;
  return it->second;
}

std::optional<std::string> ShareFolder(std::string_view serverAndShare) {
  std::lock_guard hold(mapLock);
  for (const Share& s : Current().shares)
    if (zq::text::CompareNoCase(s.key, serverAndShare) == 0) return s.folder;
  return std::nullopt;
}

std::vector<Drive> Drives() {
  std::lock_guard hold(mapLock);
  const Map& map = Current();
  std::vector<Drive> out;
  for (const auto& [letter, folder] : map.letters) {
    Drive d{letter, folder, {}, DRIVE_UNKNOWN};
    d.type = TypeOf(map, folder, &d.fsType);
    out.push_back(std::move(d));
  }
  return out;
}

void ReloadDriveMap() {
  std::lock_guard hold(mapLock);
  loaded = Load();
}

}  // namespace zq::fs

DWORD GetLogicalDrives() {
  DWORD mask = 0;
  for (const zq::fs::Drive& d : zq::fs::Drives()) mask |= DWORD{1} << (d.letter - 'A');
  return mask;
}

uint32_t GetDriveTypeA(const char* root) {
  std::string_view r = root ? std::string_view(root) : std::string_view("C:\\");
  if (r.size() >= 2 && (r[0] == '\\' || r[0] == '/') && (r[1] == '\\' || r[1] == '/')) {
    std::string key(r.substr(2));
    std::replace(key.begin(), key.end(), '/', '\\');
    while (!key.empty() && key.back() == '\\') key.pop_back();
    return zq::fs::ShareFolder(key) ? DRIVE_REMOTE : DRIVE_NO_ROOT_DIR;
  }
  if (r.size() < 2 || r[1] != ':') return DRIVE_NO_ROOT_DIR;
  char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(r[0])));
  for (const zq::fs::Drive& d : zq::fs::Drives())
    if (d.letter == letter) return d.type;
  return DRIVE_NO_ROOT_DIR;
}
