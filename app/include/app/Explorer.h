// The explorer: a second top-level window on a thread of its own with two panels of folders,
// a picture preview and file commands. Everything here belongs to the explorer thread, except
// DUNECOMMANDER's start (STARTEXPLORER on the main thread) and SHOWINEXPLORER.
#pragma once
#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "app/Guarded.h"
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

// A panel entry: FN C1 C2 C3 C4 ICON EXT FS FT DIR SEL.
const zq::rt::RecordLayout& QPANELTYPE();
// Entry types (FT).
constexpr uint8_t kFtOther = 0, kFtParent = 1, kFtFolder = 2, kFtFolderFile = 3, kFtFolderIcon = 4,
                  kFtPicture = 5, kFtVideo = 6, kFtAudio = 7;
// QPANELTYPE's typed view.
struct QPANELFIELDS : zq::rt::RecordView {
  QPANELFIELDS() : RecordView(QPANELTYPE()) {}
  zq::rt::TextField FN{*this, "FN"};    // the name shown: a folder's, a file's without its extension, ".."
  zq::rt::WholeField C1{*this, "C1"};   // the name's colour: -1 the list's own, 255 while marked
  zq::rt::WholeField C2{*this, "C2"};   // the name's background, -1
  zq::rt::WholeField C3{*this, "C3"};   // the selected name's colour, -1
  zq::rt::WholeField C4{*this, "C4"};   // the selected name's background, -1
  zq::rt::WholeField ICON{*this, "ICON"};  // the entry's icon in the panel's icon list
  zq::rt::TextField EXT{*this, "EXT"};  // "<DIR>" for folders, else the extension without the dot
  zq::rt::TextField FS{*this, "FS"};    // the size in bytes as text, "0" for folders
  zq::rt::WholeField FT{*this, "FT"};   // the entry type, kFt...
  zq::rt::WholeField DIR{*this, "DIR"}; // order group: 2 "..", 1 a folder, 0 a file
  zq::rt::WholeField SEL{*this, "SEL"}; // 1 while marked for a group command
};
extern const QPANELFIELDS QPANELF;
// A drive of the drive lists, and a folder of a side's history.
struct QDRIVEFIELDS : zq::rt::RecordView {
  explicit QDRIVEFIELDS(const zq::rt::RecordLayout& layout) : RecordView(layout) {}
  zq::rt::TextField DRV{*this, "DRV"};       // letter and colon, "D:"
  zq::rt::WholeField DICON{*this, "DICON"};  // 1 a fixed disk, 2 any other drive
};
extern const QDRIVEFIELDS QDRIVEF;
struct QHISTORYFIELDS : zq::rt::RecordView {
  explicit QHISTORYFIELDS(const zq::rt::RecordLayout& layout) : RecordView(layout) {}
  zq::rt::TextField PATH{*this, "PATH"};  // a folder
};
extern const QHISTORYFIELDS QHISTORYF;
// Panel sides.
constexpr uint8_t kLeftSide = 0, kRightSide = 1;

// One side of the explorer: its entries, its path field with the folders shown there before,
// and its drive field. The folder it shows is LPPATH or RPPATH of the program state.
class EXPLORERPANEL {
 public:
  explicit EXPLORERPANEL(Guarded<std::string>& folder);

  zq::rt::Queue entries;  // LP or RP: QPANEL records
  zq::rt::Queue history;  // LPLIST or RPLIST: PATH CSTRING(256), the recent folders, newest first
  std::string pathText;   // TLPPATH or TRPPATH: the path field's text
  std::string drive;      // CDRVL or CDRVR: the drive field ("D:"), blank off a drive

  // The folder, read and set as a copy under its lock: the main window and tests read it too.
  std::string Folder() const { return folder_.Get(); }
  void SetFolder(std::string folder) { folder_.Set(std::move(folder)); }
  // Lists the folder again (GETPDIR), without touching the history or the drive field.
  void ListAgain();

 private:
  Guarded<std::string>& folder_;
};

extern EXPLORERPANEL LEFTPANEL, RIGHTPANEL;
extern zq::rt::Queue QDRIVE;  // DRV STRING(3), DICON LONG: the drives of both drive fields
extern std::string OLDDIR;    // the folder just left
extern std::string DUMS;      // the preview's file
extern std::string IMAGEINFO; // the preview's information line
extern PICTURE CLAIMAGE;      // the preview picture
extern WINPOSCLASS WPC;       // the explorer's positions and resize rules
extern HWND DWHANDLE;         // the open explorer window, owner of its dialogs; 0: none

// Where the preview shows (IMGACT): the picture chosen in one panel over the other one.
enum PREVIEWMODE : uint8_t { kPreviewOff = 0, kPreviewOverLeft = 1, kPreviewOverRight = 2 };
extern PREVIEWMODE IMGACT;
// What a copy or copy-convert makes in the other folder (FMODE): its icon or its background.
enum COPYTARGET : uint8_t { kCopyAsIcon = 1, kCopyAsBackground = 2 };
extern COPYTARGET FMODE;
extern std::atomic<uint8_t> LAZYMODE;  // 1 while lazy mode steps the right panel (tests read it)

EXPLORERPANEL& PANELOF(uint8_t side);
constexpr uint8_t OTHERSIDE(uint8_t side) { return side == kLeftSide ? kRightSide : kLeftSide; }

// Panels.
void FILLPANEL(uint8_t side, std::string_view path);
void GETPDIR(zq::rt::Queue& panel, std::string_view path);
int DIRSORT(const zq::rt::RecordRef& a, const zq::rt::RecordRef& b);
void FILLDRIVES();
uint8_t DIRUP(uint8_t side);
uint8_t DIRDN(uint8_t side, int32_t row);
int32_t FINDDIR(std::string_view path, int32_t side);

// File commands, on the explorer thread with the explorer window open.
void COPYITEM(uint8_t side, int32_t row);
// A conversion's copy mode: F6 converts under the picture's own name, F7 into the other
// folder's icon or background (FMODE).
enum COPYMODE : uint8_t { kConvertUnderItsName = 0, kConvertAsIconOrBackground = 1 };
void CONVERTITEM(uint8_t side, int32_t row, COPYMODE copyMode);
void MKDIR(uint8_t side);
void DELETEITEM(uint8_t side, int32_t row);
