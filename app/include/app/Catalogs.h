// The catalogs "_CatVideo" and "_CatAudio" under the scanned root: per media folder with an
// AAI icon an entry folder under the index of its first letter ("0" for anything outside A to
// Z) and one under "(All)", each holding a "dune_folder.txt" whose links lead back to the
// media ("../../.." and the folder's path below the root). Pictures come from "Chars" under
// INIPATH.
//
// A name two media folders share gets " (2)", " (3)" ... in the index; a media folder in the
// root itself (no name of its own) is left out. Deleting a catalog removes symbolic links as
// links and never enters a linked folder.
#pragma once
#include <cstdint>
#include <string_view>

#include "app/Pass.h"
#include "zqruntime/queue.h"

// A catalog's kind.
enum class CatalogKind : uint8_t { Video = 1, Audio = 2 };

// Deletes the catalog of kind under root and builds it anew from q. False when an error was
// reported on the way (the status line then shows it, not "Ready.").
bool REBUILDINDEX(zq::rt::Queue& q, std::string_view root, CatalogKind kind, const PASSSETTINGS& s);

// Deletes the folder and everything below it: 0 on success or when it does not exist, -1
// for a blank path, else the failing removal's code. quiet: failed file deletions are passed
// over (the folder's own removal then fails).
int16_t DELETETREE(std::string_view path, uint8_t quiet);
// The recursive worker; the two flags: no message for files, for folders.
int16_t DELETETREE2(std::string_view path, uint8_t& quietFiles, uint8_t& quietFolders);

// The catalog's top folder with its pictures and file: 0, or 1 after a reported error.
int16_t MAKEROOTDIR(std::string_view path, CatalogKind kind, const PASSSETTINGS& s);
// One index folder with its picture and file, unless the folder stands already: 0, also when
// its picture cannot be copied (reported, and the folder is left without its file), or 1
// after another reported error.
int16_t MAKEDIR(std::string_view path, std::string_view index, const PASSSETTINGS& s);
// The two entries of a folder record (the caller's copy) in the catalog at path under root,
// unless it does not belong in the catalog of kind: 0, or 1 after a reported error.
int16_t WRITECATALOG(const zq::rt::RecordRef& r, std::string_view path, std::string_view root, CatalogKind kind,
                     const PASSSETTINGS& s);
