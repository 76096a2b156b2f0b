// The folders of a catalog: its top folder, the index folders and the entries.
#include <string>

#include "CatalogText.h"
#include "app/Catalogs.h"
#include "app/Helpers.h"
#include "app/MainWindow.h"
#include "hostlib/Procedures.h"
#include "hostlib/Wrappers.h"
#include "zqplatform/files.h"
#include "zqplatform/handles.h"

namespace {

using orvid::catalogs::AddBackground;
using orvid::catalogs::IndexRecord;
using orvid::catalogs::Report;

constexpr uint8_t kQuiet = 1;

std::string Chars(const PASSSETTINGS& s, std::string_view picture) {
  return s.INIPATH + "Chars\\" + std::string(picture);
}

bool HasBytes(FILEIO& file, std::string_view path) { return file.GETFILESIZE(path) > 0; }

bool IsFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Copies a picture, announced on the status line.
int32_t CopyAnnounced(FILEIO& file, const std::string& source, const std::string& target) {
  UPDATESTATUS(0, "Copying " + source);
  return file.COPY(source, target, 0);
}

bool Belongs(const zq::rt::RecordRef& r, CatalogKind kind) {
  if (QDIRF.SCRIPT(r) == 0 || QDIRF.CNACT(r) == 0 || TLEN(QDIRF.CN(r)) == 0) return false;
  const FolderMedia type = QDIRF.MTYPE(r);
  return kind == CatalogKind::Audio ? IsAudioFolder(type) : IsVideoFolder(type);
}

// "A" to "Z" by the name's first character, upper-cased; "0" for any other.
std::string IndexOf(std::string_view name) {
  char first = name.empty() ? '0' : name.front();
  if (first >= 'a' && first <= 'z') first = static_cast<char>(first - 'a' + 'A');
  return first >= 'A' && first <= 'Z' ? std::string(1, first) : std::string("0");
}

// The entry folder under index, named name or, where an entry of that name stands already,
// name followed by " (2)", " (3)" ...; 0 and its path, or the system's code of the failure.
int32_t MakeEntryFolder(FILEIO& file, const std::string& index, const std::string& name, std::string& made) {
  for (int copy = 1;; ++copy) {
    made = CHECKPATH(index + (copy == 1 ? name : name + " (" + std::to_string(copy) + ")"));
    if (file.CREATEDIR(made) == 0) return 0;
    const int32_t code = file.GETLASTSYSTEMERROR();
    if (code != ERROR_ALREADY_EXISTS) return code;
  }
}

// One entry folder with its file, under the index folder: 0, or 1 after a reported error.
int16_t Entry(FILEIO& file, const std::string& index, const std::string& name, DUNEFILE record,
              std::string_view writeError) {
  std::string folder;
  if (const int32_t code = MakeEntryFolder(file, index, name, folder); code != 0) {
    Report("Error Creating Movie Folder.", "WriteCatalog", folder, code);
    return 1;
  }
  const std::string path = folder + "dune_folder.txt";
  if (const int32_t result = WRITEDUNEFILE(record, path, kQuiet); result < 0) {
    Report(writeError, "WriteCatalog", path, result);
    return 1;
  }
  return 0;
}

}  // namespace

int16_t MAKEROOTDIR(std::string_view path, CatalogKind kind, const PASSSETTINGS& s) {
  FILEIO file;
  const std::string folder = CHECKPATH(WithoutTrailingBlanks(path));
  // Something that stands in the folder's place and is not a folder is not made one.
  if (const int32_t result = file.CREATEDIR(folder);
      result != 0 && (file.GETLASTSYSTEMERROR() != ERROR_ALREADY_EXISTS || !IsFolder(folder))) {
    Report("Error Creating Folder.", "MakeRootDir", folder, result);
    return 1;
  }
  const bool audio = kind == CatalogKind::Audio;
  const std::string main = Chars(s, audio ? ".MainA.aai" : ".MainV.aai");
  const int32_t mainCopy =
      audio ? CopyAnnounced(file, main, folder + ".Main.aai") : file.COPY(main, folder + ".Main.aai", 0);
  bool withBackground = false;
  int32_t backgroundCopy = 0;
  std::string background;
  if (mainCopy == 0 && s.ST.CATBG.ACT != 0) {
    background = Chars(s, audio ? ".BackA.aai" : ".BackV.aai");
    if (HasBytes(file, background)) {
      backgroundCopy = CopyAnnounced(file, background, folder + ".Back.aai");
      withBackground = backgroundCopy == 0;
    }
    const std::string shared = Chars(s, ".BackS.aai");
    if (backgroundCopy == 0 && HasBytes(file, shared)) {
      background = shared;
      backgroundCopy = CopyAnnounced(file, shared, folder + ".BackS.aai");
    }
  }
  if (mainCopy != 0) {
    Report("Error Copying .Main.aai", "MakeRootDir", main, mainCopy);
    return 1;
  }
  if (backgroundCopy != 0) {
    Report("Error Copying Background.", "MakeRootDir", background, backgroundCopy);
    return 1;
  }
  UPDATESTATUS(0, "Create Dune Folder");
  DUNEFILE record = IndexRecord(".Main.aai", s.ST.CAT1);
  if (withBackground) AddBackground(record, ".Back.aai", s.ST.CATBG);
  const std::string filePath = folder + "dune_folder.txt";
  if (const int32_t result = WRITEDUNEFILE(record, filePath, kQuiet); result < 0) {
    Report("Error Writing dune_folder", "MakeRootDir", filePath, result);
    return 1;
  }
  return 0;
}

int16_t MAKEDIR(std::string_view path, std::string_view index, const PASSSETTINGS& s) {
  FILEIO file;
  const std::string folder = CHECKPATH(WithoutTrailingBlanks(path));
  if (file.GETFILESIZE(folder) == 0) return 0;
  UPDATESTATUS(0, "Create Catalog " + std::string(index));
  if (file.CREATEDIR(folder) != 0) {
    const int32_t code = file.GETLASTSYSTEMERROR();
    if (code != ERROR_ALREADY_EXISTS) {
      Report("Error Creating Folder.", "MakeDir", folder, code);
      return 1;
    }
  }
  const std::string picture = "." + std::string(index) + ".aai";
  if (const int32_t result = file.COPY(Chars(s, picture), folder + picture, 0); result != 0) {
    Report("Error Copying " + picture, "MakeDir", folder + picture, result);
    return 0;
  }
  DUNEFILE record = IndexRecord(picture, s.ST.CAT2);
  if (s.ST.CATBG.ACT != 0 && HasBytes(file, GETUPDIR(folder) + ".BackS.aai")) {
    AddBackground(record, "../.BackS.aai", s.ST.CATBG);
  }
  const std::string filePath = folder + "dune_folder.txt";
  if (const int32_t result = WRITEDUNEFILE(record, filePath, kQuiet); result < 0) {
    Report("Error Writing dune_folder", "MakeDir", filePath, result);
    return 1;
  }
  return 0;
}

int16_t WRITECATALOG(const zq::rt::RecordRef& r, std::string_view path, std::string_view root, CatalogKind kind,
                     const PASSSETTINGS& s) {
  if (!Belongs(r, kind)) return 0;
  const std::string relative = FIXPATH(QDIRF.DIRNAME(r), root);
  const std::string name = GETSUBDIR(relative);
  if (name.empty()) return 0;  // media in the root itself: no entry of its own
  std::string link = relative;
  for (char& c : link)
    if (c == '\\') c = '/';
  link = "../../.." + link;

  DUNEFILE entry;
  const std::string folder = CHECKPATH(WithoutTrailingBlanks(QDIRF.DIRNAME(r)));
  entry.ICON = link + NameOnDisk(folder + WithoutTrailingBlanks(QDIRF.CN(r)));
  entry.ALLIGN = "center";
  entry.MURL = link + (QDIRF.MTYPE(r) == FolderMedia::OneVideo ? WithoutTrailingBlanks(QDIRF.MNAME(r)) : std::string());

  FILEIO file;
  const std::string catalog = CHECKPATH(WithoutTrailingBlanks(path));
  const std::string index = IndexOf(name);
  if (MAKEDIR(catalog + index + "\\", index, s) != 0) return 1;
  if (Entry(file, catalog + index + "\\", name, entry, "Error Writing dune_folder.txt") != 0) return 1;
  if (MAKEDIR(catalog + "(All)\\", "(All)", s) != 0) return 1;
  return Entry(file, catalog + "(All)\\", name, entry, "Error Writing dune_folder");
}
