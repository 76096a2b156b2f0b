// SETDESTDIR: lazy mode's options, its folder list built from the scan's, and its steps.
#include "app/LazyMode.h"

#include <string>

#include "app/Explorer.h"
#include "app/Helpers.h"
#include "app/State.h"
#include "hostlib/Dialogs.h"
#include "hostlib/Procedures.h"
#include "hostlib/WinPos.h"
#include "orvid/controlnumbers.h"
#include "orvid/windows.h"
#include "zqruntime/window.h"

namespace {

namespace lm = orvid::res::LazyModeOptions;
using zq::rt::Bind;

// The options of the window "Lazy Mode Options".
struct LMTYPE {
  uint8_t MI = 0;  // only folders without any icon
  uint8_t AM = 1;  // audio folders
  uint8_t VM = 1;  // video folders
  uint8_t FW = 1;  // folders without media
};

// The options window over the explorer; false when it was cancelled.
bool AskOptions(LMTYPE& options, HWND owner) {
  zq::rt::Window w(orvid::res::WindowDefinition("LazyModeOptions"));
  w.Open(owner);
  WINPOSCLASS position;
  position.INIT(owner);
  position.CENTERWIN(w.Handle());
  w.Use(lm::OnlyMissingIcons, Bind(options.MI));
  w.Use(lm::AudioMedia, Bind(options.AM));
  w.Use(lm::VideoMedia, Bind(options.VM));
  w.Use(lm::FoldersWithoutMedia, Bind(options.FW));
  w.Display();
  bool taken = false;
  while (w.Accept()) {
    if (w.Event() == zq::rt::kAlertKey && w.Keycode() == zq::rt::KeyCode("Esc")) break;
    if (w.Event() != zq::rt::kAccepted) continue;
    if (w.Field() == lm::OkButton) {
      w.Take();
      taken = true;
      break;
    }
    if (w.Field() == lm::CancelButton) break;
  }
  w.Close();
  return taken;
}

bool Wanted(const zq::rt::RecordRef& folder, const LMTYPE& options) {
  if (QDIRF.SCRIPT(folder) != 1) return false;
  if (options.MI != 0) return QDIRF.CNACT(folder) == 0 && QDIRF.CFACT(folder) == 0;
  const FolderMedia kind = QDIRF.MTYPE(folder);
  if (IsAudioFolder(kind)) return options.AM != 0;
  if (IsVideoFolder(kind)) return options.VM != 0;
  if (kind == FolderMedia::None) return options.FW != 0;
  return true;
}

// QD anew from the scan's folders, each read as a copy: a scan running meanwhile keeps its
// record buffer.
void BuildFolders(const LMTYPE& options) {
  QD.Free();
  const std::string root = ROOTDIR.Get();
  for (uint32_t n = 1; n <= QDIR.Records(); ++n) {
    std::optional<zq::rt::Record> folder = QDIR.Peek(n);
    if (!folder) break;
    if (!Wanted(*folder, options)) continue;
    zq::rt::Record& entry = QD.Buffer();
    entry.Clear();
    const std::string dir = QDIRF.DIRNAME(*folder);
    std::string name = GETSUBDIR(dir);
    if (COMPARENC(name, root, 1) == 0) name.clear();
    QDF.NAME.Set(entry, name);
    QDF.DIRNAME.Set(entry, dir);
    QDF.CNACT.Set(entry, QDIRF.CNACT(*folder));
    QDF.CFACT.Set(entry, QDIRF.CFACT(*folder));
    QDF.MTYPE.Set(entry, QDIRF.MTYPE(*folder));
    QDF.CN.Set(entry, QDIRF.CN(*folder));
    QDF.CF.Set(entry, QDIRF.CF(*folder));
    QD.Add();
  }
}

// The entry at the position into the right panel; false when there is none.
bool Show(ExplorerPanel& right, uint32_t position) {
  if (position < 1 || !QD.Get(position)) return false;
  right.FILLPANEL(CHECKPATH(QDF.DIRNAME(QD.Buffer())));
  return true;
}

// R$SDSEARCHUP: the forward steps.
bool R$SDSEARCHUP(ExplorerPanel& right, uint32_t position) { return Show(right, position); }

// R$SDSEARCHDOWN: the backward steps and the last-entry fallback.
bool R$SDSEARCHDOWN(ExplorerPanel& right, HWND owner, uint32_t position) {
  if (Show(right, position)) return true;
  if (position >= 1) MBOX("Search Down Error", 0, 0, owner);
  return false;
}

}  // namespace

const QDFIELDS QDF;
zq::rt::Queue QD(QDTYPE());

int SORTDESTDIR(const zq::rt::RecordRef& a, const zq::rt::RecordRef& b) {
  const int32_t order = COMPARENC(QDF.NAME(a) + "0", QDF.NAME(b) + "0", 0);
  return order > 0 ? 1 : order < 0 ? -1 : 0;
}

int16_t SETDESTDIR(ExplorerPanel& right, HWND owner, int32_t direction) {
  if (QDIR.Records() == 0) return 0;
  uint32_t position = 0;
  bool fromHere = false;
  if (direction == -99) {
    LMTYPE options;
    if (!AskOptions(options, owner)) return 0;
    BuildFolders(options);
    if (QD.Records() == 0) return 0;
    QD.Sort(SORTDESTDIR);
    position = 1;
    fromHere = true;
  } else {
    if (QD.Records() == 0) return 0;
    position = QD.Position();
    if (position < 1) {
      position = 1;
      fromHere = true;
    }
  }
  if (fromHere || direction == 1) {
    if (!R$SDSEARCHUP(right, fromHere ? position : position + 1)) R$SDSEARCHDOWN(right, owner, QD.Records());
  } else if (direction == -1) {
    if (!R$SDSEARCHDOWN(right, owner, position - 1)) R$SDSEARCHDOWN(right, owner, 1);
  }
  return 1;
}
