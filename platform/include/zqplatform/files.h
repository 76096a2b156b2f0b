// The Windows view of the file system: drive letters, "\" paths, case-blind names,
// "\\server\share" paths, share modes and Windows error numbers, over the Linux file system.
//
// Paths are ANSI texts (the process's code page); the layer converts them to the file
// system's UTF-8. A path is either a drive path ("D:\Media\x.txt"), a network path
// ("\\nas\media\x.txt", through ZQ_SHARES), a POSIX path ("/srv/x.txt", "\x.txt" is the same)
// or a path relative to the current folder. Every failing call sets the thread's last error
// (handles.h).
//
// Names as they stand: each name of a path addresses the entry of exactly that name, or, where
// it is missing, the entry whose whole name matches it case-blind. A final blank or dot is part
// of the name ("disk " is never "disk"); a missing name that ends in one is refused
// (ERROR_INVALID_NAME), so no call makes a name the Windows view cannot hold. Listings give
// names as they stand on disk; in a name the code page cannot hold each character it lacks
// comes as '?', and a name too long for cFileName comes cut with a final '?': no name holds a
// '?', so such an entry addresses nothing. HoldsExactly tells which names the view holds.
//
// Drive letters: C: is "/"; each further mounted volume under /media, /mnt, /run/media and
// /srv gets the next free letter in mount-point order; ZQ_DRIVES ("M=/srv/media;T=/mnt/t")
// adds or replaces letters. Shares: ZQ_SHARES ("nas\media=/mnt/nas/media;srv\x=/srv/x").
//
// Share modes hold between every handle of the process, and between processes that use this
// layer (open-file-description locks). A regular file without any write permission bit has
// the read-only attribute: it cannot be opened for writing, deleted or replaced (error 5),
// whoever the user is.
//
// Whole-file writes replace whole: WriteReplacing and CopyFileA write a new file beside the
// target and rename it over the target once complete, keeping the old file's permission bits.
// A symbolic link standing at the target is replaced as a link; only WriteReplacing with
// AtLink::Follow replaces the file the link leads to instead. A hard link's other names keep
// their bytes. On failure the old file stays byte for byte and no temporary file stays.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "zqplatform/handles.h"

// Desired access.
constexpr DWORD GENERIC_READ = 0x80000000;
constexpr DWORD GENERIC_WRITE = 0x40000000;
constexpr DWORD GENERIC_EXECUTE = 0x20000000;
constexpr DWORD GENERIC_ALL = 0x10000000;
constexpr DWORD FILE_READ_DATA = 0x0001;
constexpr DWORD FILE_WRITE_DATA = 0x0002;
constexpr DWORD FILE_APPEND_DATA = 0x0004;
constexpr DWORD DELETE = 0x00010000;

// Share mode.
constexpr DWORD FILE_SHARE_READ = 0x1;
constexpr DWORD FILE_SHARE_WRITE = 0x2;
constexpr DWORD FILE_SHARE_DELETE = 0x4;

// Creation disposition.
constexpr DWORD CREATE_NEW = 1;
constexpr DWORD CREATE_ALWAYS = 2;
constexpr DWORD OPEN_EXISTING = 3;
constexpr DWORD OPEN_ALWAYS = 4;
constexpr DWORD TRUNCATE_EXISTING = 5;

// Attributes and flags.
constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x01;
constexpr DWORD FILE_ATTRIBUTE_HIDDEN = 0x02;
constexpr DWORD FILE_ATTRIBUTE_SYSTEM = 0x04;
constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
constexpr DWORD FILE_ATTRIBUTE_ARCHIVE = 0x20;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;
constexpr DWORD FILE_ATTRIBUTE_TEMPORARY = 0x100;
constexpr DWORD FILE_ATTRIBUTE_REPARSE_POINT = 0x400;  // a symbolic link
constexpr DWORD FILE_FLAG_WRITE_THROUGH = 0x80000000;   // every write reaches the disk
constexpr DWORD FILE_FLAG_OVERLAPPED = 0x40000000;      // accepted; I/O stays synchronous
constexpr DWORD FILE_FLAG_NO_BUFFERING = 0x20000000;    // accepted; I/O stays buffered
constexpr DWORD FILE_FLAG_RANDOM_ACCESS = 0x10000000;
constexpr DWORD FILE_FLAG_SEQUENTIAL_SCAN = 0x08000000;
constexpr DWORD FILE_FLAG_DELETE_ON_CLOSE = 0x04000000;
constexpr DWORD FILE_FLAG_BACKUP_SEMANTICS = 0x02000000;  // needed to open a folder

constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFF;
constexpr DWORD INVALID_FILE_SIZE = 0xFFFFFFFF;
constexpr DWORD INVALID_SET_FILE_POINTER = 0xFFFFFFFF;

// MoveFileExA flags.
constexpr DWORD MOVEFILE_REPLACE_EXISTING = 0x1;
constexpr DWORD MOVEFILE_COPY_ALLOWED = 0x2;

// Move methods.
constexpr DWORD FILE_BEGIN = 0;
constexpr DWORD FILE_CURRENT = 1;
constexpr DWORD FILE_END = 2;

// 100-nanosecond intervals since 1601-01-01 UTC.
struct FILETIME {
  DWORD dwLowDateTime;
  DWORD dwHighDateTime;
};

struct WIN32_FIND_DATAA {
  DWORD dwFileAttributes;
  FILETIME ftCreationTime;
  FILETIME ftLastAccessTime;
  FILETIME ftLastWriteTime;
  DWORD nFileSizeHigh;
  DWORD nFileSizeLow;
  char cFileName[260];          // ANSI, NUL-terminated
  char cAlternateFileName[14];  // there are no short names: always empty
};

// Opens or creates a file (no security attributes, no template). INVALID_HANDLE_VALUE on
// failure. After a successful CREATE_ALWAYS or OPEN_ALWAYS the last error is
// ERROR_ALREADY_EXISTS when the file was there, else 0.
HANDLE CreateFileA(const char* path, DWORD access, DWORD share, DWORD disposition, DWORD flags);
bool ReadFile(HANDLE file, void* buffer, DWORD count, DWORD* read);
// A write either finds room for all its bytes or writes none (ERROR_DISK_FULL).
bool WriteFile(HANDLE file, const void* buffer, DWORD count, DWORD* written);
// With high null the new position must fit in 32 bits. INVALID_SET_FILE_POINTER on failure.
DWORD SetFilePointer(HANDLE file, int32_t distance, int32_t* high, DWORD method);
bool SetEndOfFile(HANDLE file);
DWORD GetFileSize(HANDLE file, DWORD* high);
bool FlushFileBuffers(HANDLE file);

bool DeleteFileA(const char* path);
// MoveFileExA with MOVEFILE_COPY_ALLOWED.
bool MoveFileA(const char* source, const char* target);
// Without MOVEFILE_REPLACE_EXISTING an existing target is never replaced (ERROR_ALREADY_EXISTS).
// With it an existing file is replaced in one step on the same volume, so the target is
// always either the old file or the new one; a read-only target or a folder on either side
// is refused (ERROR_ACCESS_DENIED), and so is a target open without FILE_SHARE_DELETE
// (ERROR_SHARING_VIOLATION). With MOVEFILE_COPY_ALLOWED files move across volumes by copy
// and delete; folders never do (ERROR_NOT_SAME_DEVICE).
bool MoveFileExA(const char* source, const char* target, DWORD flags);
// Copies content and last-write time, replacing the target whole; refuses folders. A new
// target takes the source's permission bits, a replaced one keeps its own (read-only when the
// source is). A copy onto another name of the source is refused (ERROR_SHARING_VIOLATION).
bool CopyFileA(const char* source, const char* target, bool failIfExists);
bool CreateDirectoryA(const char* path);
bool RemoveDirectoryA(const char* path);
// A symbolic link reports what it leads to with FILE_ATTRIBUTE_REPARSE_POINT added; one that
// leads nowhere reports FILE_ATTRIBUTE_ARCHIVE with it.
DWORD GetFileAttributesA(const char* path);
// Only FILE_ATTRIBUTE_READONLY is stored (as the write permission bits).
bool SetFileAttributesA(const char* path, DWORD attributes);

// Lists a folder: pattern is a folder path followed by a name pattern with * and ?
// ("D:\Films\*.*"), matched case-blind. "." and ".." come first, except at a drive root.
// A symbolic link is listed as what it leads to, with FILE_ATTRIBUTE_REPARSE_POINT added.
HANDLE FindFirstFileA(const char* pattern, WIN32_FIND_DATAA* data);
bool FindNextFileA(HANDLE find, WIN32_FIND_DATAA* data);  // ERROR_NO_MORE_FILES at the end
bool FindClose(HANDLE find);

// Drive types as GetDriveTypeA answers them.
constexpr uint32_t DRIVE_UNKNOWN = 0;
constexpr uint32_t DRIVE_NO_ROOT_DIR = 1;
constexpr uint32_t DRIVE_REMOVABLE = 2;
constexpr uint32_t DRIVE_FIXED = 3;
constexpr uint32_t DRIVE_REMOTE = 4;
constexpr uint32_t DRIVE_CDROM = 5;
constexpr uint32_t DRIVE_RAMDISK = 6;

// Bit 0 for A: to bit 25 for Z:, one for each drive letter in use.
DWORD GetLogicalDrives();
// The type of the drive that a root path ("D:\", "D:", "\\nas\media\") names;
// DRIVE_NO_ROOT_DIR for a letter that is not in use or whose folder is gone.
uint32_t GetDriveTypeA(const char* root);

namespace zq::fs {

struct Drive {
  char letter;         // 'C'
  std::string folder;  // the POSIX folder (UTF-8) the letter names
  std::string fsType;  // "ext4", "tmpfs", ... (empty when unknown)
  uint32_t type;       // DRIVE_*
};

// Every drive letter in use, in letter order, with its current type.
std::vector<Drive> Drives();

// Reads the mount table, ZQ_DRIVES and ZQ_SHARES again (they are read on first use).
void ReloadDriveMap();

// The POSIX path (UTF-8) of an ANSI path, each name matched case-blind where the exact one is
// missing (a missing name is kept as written). On failure: empty, with *error set (3 for an
// unknown drive, 53 for an unknown share, 123 for an invalid name or a missing one that ends
// in a blank or dot).
std::string ResolvePath(std::string_view ansiPath, DWORD* error);

// The Windows view (ANSI) of a POSIX path (UTF-8): "D:\Films\Alien" under the longest
// matching drive folder, else the path under C:.
std::string ToWindowsPath(std::string_view posixPath);

struct FileStatus {
  DWORD attributes;    // FILE_ATTRIBUTE_*
  uint64_t size;       // 0 for a folder
  FILETIME lastWrite;
};

// What a replacing write does with a symbolic link standing at its target.
enum class AtLink { Replace, Follow };

// Writes bytes as the whole content of the file at the ANSI path, replacing it whole (see
// above); a link that leads nowhere is replaced as a link either way. Refused: a folder, a
// read-only file, a file open without FILE_SHARE_DELETE, a path ending in a separator
// (ERROR_ACCESS_DENIED; ERROR_SHARING_VIOLATION for the open file), a missing folder
// (ERROR_PATH_NOT_FOUND), a full disk (ERROR_DISK_FULL). False with the last error set.
bool WriteReplacing(const char* path, std::string_view bytes, AtLink atLink = AtLink::Replace);

// True when the Windows view holds the ANSI name exactly: not empty, no final blank or dot
// ("." and ".." neither), no control character or any of < > : " / \ | ? *, and shorter
// than a listing's name field.
bool HoldsExactly(std::string_view ansiName);

// The C runtime's file-status query with a 64-bit size: fails (ERROR_FILE_NOT_FOUND) on a
// path that still ends in a separator, unless it names a root ("C:\", "\\nas\media\").
bool Stat64(const char* path, FileStatus* status);

}  // namespace zq::fs
