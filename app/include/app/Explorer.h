// The explorer: a second top-level window on a thread of its own with two panels of folders,
// a picture preview and file commands. The explorer object belongs to the explorer thread's
// procedure; only DUNECOMMANDER's start (STARTEXPLORER on the main thread) and SHOWINEXPLORER
// come from elsewhere.
#pragma once
#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "app/Guarded.h"
#include "app/State.h"
#include "hostlib/Picture.h"
#include "hostlib/WinPos.h"
#include "zqplatform/messages.h"
#include "zqruntime/queue.h"
#include "zqruntime/record.h"

// The explorer thread's procedure (started without parameter): runs the explorer window;
// clears EXPTHREAD and then EXPRUNNING when it closes.
void DUNECOMMANDER(std::string_view parameter);

// Shows a folder in the explorer's right panel (the main window's double click): the path
// travels to a running explorer under a lock with the event kShowInExplorer; without a
// running explorer it becomes RPPATH and the explorer starts.
void SHOWINEXPLORER(std::string_view folder);
// The folder the last kShowInExplorer carried, taken once; empty when none waits.
std::string TAKESHOWNFOLDER();

// Entry types (FT).
constexpr uint8_t kFtOther = 0, kFtParent = 1, kFtFolder = 2, kFtFolderFile = 3, kFtFolderIcon = 4,
                  kFtPicture = 5, kFtVideo = 6, kFtAudio = 7;
// A panel entry.
struct QPANELFIELDS : zq::rt::RecordView {
  // the name shown: a folder's, a file's without its extension, ".."
  zq::rt::TextField FN{*this, zq::rt::CSTRING("FN", 256)};
  zq::rt::WholeField C1{*this, zq::rt::LONG("C1")};  // the name's colour: -1 the list's own, 255 while marked
  zq::rt::WholeField C2{*this, zq::rt::LONG("C2")};  // the name's background, -1
  zq::rt::WholeField C3{*this, zq::rt::LONG("C3")};  // the selected name's colour, -1
  zq::rt::WholeField C4{*this, zq::rt::LONG("C4")};  // the selected name's background, -1
  zq::rt::WholeField ICON{*this, zq::rt::LONG("ICON")};  // the entry's icon in the panel's icon list
  // "<DIR>" for folders, else the extension without the dot
  zq::rt::TextField EXT{*this, zq::rt::CSTRING("EXT", 64)};
  zq::rt::TextField FS{*this, zq::rt::STRING("FS", 15)};  // the size in bytes as text, "0" for folders
  zq::rt::WholeField FT{*this, zq::rt::BYTE("FT")};   // the entry type, kFt...
  zq::rt::WholeField DIR{*this, zq::rt::BYTE("DIR")};  // order group: 2 "..", 1 a folder, 0 a file
  zq::rt::WholeField SEL{*this, zq::rt::BYTE("SEL")};  // 1 while marked for a group command
  // the name exactly as the listing gave it
  zq::rt::TextField NAME{*this, zq::rt::CSTRING("NAME", 256)};
};
extern const QPANELFIELDS QPANELF;
// A panel entry's layout.
inline const zq::rt::RecordLayout& QPANELTYPE() { return QPANELF.Layout(); }
// A drive of the drive lists, and a folder of a panel's history.
struct QDRIVEFIELDS : zq::rt::RecordView {
  zq::rt::TextField DRV{*this, zq::rt::STRING("DRV", 3)};  // letter and colon, "D:"
  zq::rt::WholeField DICON{*this, zq::rt::LONG("DICON")};  // 1 a fixed disk, 2 any other drive
};
extern const QDRIVEFIELDS QDRIVEF;
struct QHISTORYFIELDS : zq::rt::RecordView {
  zq::rt::TextField PATH{*this, zq::rt::CSTRING("PATH", kLongestPanelPath + 1)};  // a folder
};
extern const QHISTORYFIELDS QHISTORYF;

// Lists a folder into a panel queue (GETPDIR), nothing else changes; the names left out, which
// a Windows path cannot reach exactly as they stand.
std::vector<std::string> GETPDIR(zq::rt::Queue& panel, std::string_view path);
int DIRSORT(const zq::rt::RecordRef& a, const zq::rt::RecordRef& b);
// Reads the drives into a drive queue (FILLDRIVES).
void FILLDRIVES(zq::rt::Queue& drives);

// One side of the explorer: the folder it shows (LPPATH or RPPATH of the program state), its
// entries, its path field with the folders shown there before, and its drive field.
class ExplorerPanel {
 public:
  explicit ExplorerPanel(Guarded<std::string>& folder);
  ExplorerPanel(const ExplorerPanel&) = delete;
  ExplorerPanel& operator=(const ExplorerPanel&) = delete;

  // The folder, read and set as a copy under its lock: the main window and tests read it too.
  std::string Folder() const { return folder_.Get(); }
  // The window that owns the panel's messages.
  void SetOwner(HWND owner) { owner_ = owner; }

  // FILLPANEL: records the folder in the history, sets the drive field, lists the folder and
  // makes it the panel's folder and path field; a blank path does nothing. A path longer than
  // the panel holds is refused with a message (false), and the panel stays where it is.
  bool FILLPANEL(std::string_view path);
  // Lists the folder again (GETPDIR), without touching the history or the drive field.
  void ListAgain();
  // DIRUP: the parent folder; false when there is none (nothing changes).
  bool DIRUP();
  // DIRDN: enters the row's folder, or goes up from ".." with OLDDIR set to the folder left;
  // true when the panel moved.
  bool DIRDN(int32_t row, std::string& OLDDIR);
  // FINDDIR: the row of the folder the path ends in; 1 when there is none.
  int32_t FINDDIR(std::string_view path) const;

  // The entry at a row, none outside the panel.
  std::optional<zq::rt::Record> Entry(int32_t row) const;
  // The file an entry stands for: the folder and the exact name the listing gave.
  std::string PathOf(const zq::rt::RecordRef& entry) const;
  // The guards of the commands: a picture (the folder icon or another picture), and a file
  // the explorer deletes (a picture or the folder file).
  static bool IsPicture(const zq::rt::RecordRef& entry);
  static bool IsDeletable(const zq::rt::RecordRef& entry);
  // An entry Ins marks: one whose extension the image library knows.
  static bool IsMarkable(const zq::rt::RecordRef& entry);

  // The names left out of the panel's listing, once for each folder: empty when none were
  // left out or the folder's were given before.
  std::vector<std::string> UntoldLeftOut();

  // Marks (R$SELECT): toggles a markable entry's mark; false for any other row.
  bool ToggleMark(uint32_t row);
  void SetMark(uint32_t row, bool marked);
  // The first marked row from a row on; 0 when none is marked there.
  uint32_t FirstMarked(uint32_t from = 1) const;
  void Remove(uint32_t row) { entries_.Delete(row); }

  // What the window's controls show: the entries (LP or RP), the history (LPLIST or RPLIST,
  // newest first), the path field's text (TLPPATH or TRPPATH) and the drive field (CDRVL or
  // CDRVR, blank off a drive).
  zq::rt::Queue& Entries() { return entries_; }
  const zq::rt::Queue& Entries() const { return entries_; }
  zq::rt::Queue& History() { return history_; }
  const zq::rt::Queue& History() const { return history_; }
  std::string& PathText() { return pathText_; }
  const std::string& Drive() const { return drive_; }
  std::string& Drive() { return drive_; }

 private:
  void Remember(const std::string& folder);

  Guarded<std::string>& folder_;
  HWND owner_ = 0;
  zq::rt::Queue entries_;
  zq::rt::Queue history_;
  std::string pathText_;
  std::string drive_;
  std::vector<std::string> leftOut_;  // the names the last listing left out
  std::set<std::string> told_;        // the folders whose left-out names were given
};

// Where the preview shows (IMGACT): the picture chosen in one panel over the other one.
enum PREVIEWMODE : uint8_t { kPreviewOff = 0, kPreviewOverLeft = 1, kPreviewOverRight = 2 };
// What a copy or copy-convert makes in the other folder (FMODE): its icon or its background.
enum COPYTARGET : uint8_t { kCopyAsIcon = 1, kCopyAsBackground = 2 };
// A conversion's copy mode: F6 converts under the picture's own name, F7 into the other
// folder's icon or background (FMODE).
enum COPYMODE : uint8_t { kConvertUnderItsName = 0, kConvertAsIconOrBackground = 1 };

// The explorer: both panels, the drives, the modes, the preview's state, and the file
// commands, each on the panel it acts on with the other panel as its target.
class Explorer {
 public:
  Explorer();
  Explorer(const Explorer&) = delete;
  Explorer& operator=(const Explorer&) = delete;

  ExplorerPanel& Left() { return left_; }
  ExplorerPanel& Right() { return right_; }
  ExplorerPanel& Other(const ExplorerPanel& panel) { return &panel == &left_ ? right_ : left_; }
  zq::rt::Queue& Drives() { return drives_; }

  // The file commands (F5 to F8 and Del).
  void COPYITEM(ExplorerPanel& source, int32_t row);
  void CONVERTITEM(ExplorerPanel& source, int32_t row, COPYMODE copyMode);
  void MKDIR(ExplorerPanel& panel);
  void DELETEITEM(ExplorerPanel& panel, int32_t row);

  COPYTARGET FMODE = kCopyAsIcon;
  std::atomic<PREVIEWMODE> IMGACT{kPreviewOff};
  std::atomic<uint8_t> LAZYMODE{0};  // 1 while lazy mode steps the right panel
  std::string OLDDIR;                // the folder just left
  std::string DUMS;                  // the preview's file
  std::string IMAGEINFO;             // the preview's information line
  PICTURE CLAIMAGE;                  // the preview picture
  WINPOSCLASS WPC;                   // the positions, resize rules and dialog centring
  HWND DWHANDLE = 0;                 // the open window, owner of the explorer's dialogs; 0: none
  // Redraws the window's panels while a group command runs; set by the window.
  std::function<void()> redrawPanels = [] {};

 private:
  void ListAgainWhereShown(const ExplorerPanel& changed);
  void Report(std::string_view message, std::string_view procedure, std::string_view details, int32_t code);

  ExplorerPanel left_;
  ExplorerPanel right_;
  zq::rt::Queue drives_;  // QDRIVE: the drives of both drive fields
};

// The explorer open on this process's explorer thread, for a look from another thread (tests
// read its panels and modes while it runs); null when none is open.
Explorer* OPENEXPLORER();
