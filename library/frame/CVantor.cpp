#include "frame/CVantor.h"

namespace {
// Built when the library loads, whatever the order of the other static objects.
[[maybe_unused]] CVantor& loaded = CVantor::App();
}  // namespace

CVantor::CVantor() { InitInstance(); }

CVantor::~CVantor() {
  ExitInstance();
  // Members go in reverse order: spell checkers, tray object, then the registries.
}

CVantor& CVantor::App() {
  static CVantor theApp;
  return theApp;
}

bool CVantor::InitInstance() { return true; }

int CVantor::ExitInstance() {
  if (exited_) return 0;
  exited_ = true;
  strings.DeleteAll();
  arrays.DeleteAll();
  timers.DeleteAll();
  files.DeleteAll();
  databases.DeleteAll();
  if (tray_ && trayRemove_) trayRemove_(*tray_);
  return 0;
}

CSystemTray& CVantor::Tray(zqv::Owned<CSystemTray> (*make)(), void (*removeIcon)(CSystemTray&)) {
  std::lock_guard hold(lazyLock_);
  if (!tray_) {
    tray_ = make();
    trayRemove_ = removeIcon;
  }
  return *tray_;
}

ZQSpell& CVantor::Spell(zqv::Owned<ZQSpell> (*make)()) {
  std::lock_guard hold(lazyLock_);
  if (!spell_) spell_ = make();
  return *spell_;
}
