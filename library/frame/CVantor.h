// The library's one application object: a registry per family, the tray object and the
// spell-checker registry. Built when the library loads, destroyed when it unloads.
#pragma once
#include <cstdint>

#include "frame/Registry.h"

class XSObject;
class RevArray;
class ZQTimer;
class VtorThread;
class FileIO;
class CLASQL;
class CSystemTray;
class ZQSpell;

using StringRegistry = zqv::Registry<XSObject, zqv::kObjectRules>;
using ArrayRegistry = zqv::Registry<RevArray, zqv::kObjectRules>;
using TimerRegistry = zqv::Registry<ZQTimer, zqv::kTimerRules>;
using BoxRegistry = zqv::Registry<VtorThread, zqv::kObjectRules>;
using FileRegistry = zqv::Registry<FileIO, zqv::kObjectRules>;
using DatabaseRegistry = zqv::Registry<CLASQL, zqv::kDatabaseRules>;

class CVantor {
 public:
  CVantor();
  ~CVantor();
  CVantor(const CVantor&) = delete;
  CVantor& operator=(const CVantor&) = delete;

  static CVantor& App();

  bool InitInstance();
  int ExitInstance();

  // Registry operations; each family defines its own beside its object type.
  int32_t CreateString();
  XSObject* LookupString(int32_t h, int32_t* code);
  int32_t DestroyString(int32_t h);

  int32_t CreateArray();
  RevArray* LookupArray(int32_t h, int32_t* code);
  int32_t DestroyArray(int32_t h);

  int32_t CreateTimer();
  ZQTimer* LookupTimer(int32_t h, int32_t* code);
  int32_t DestroyTimer(int32_t h);

  int32_t CreateFileIO();
  FileIO* LookupFileIO(int32_t h, int32_t* code);
  int32_t DestroyFileIO(int32_t h);

  int32_t CreateDatabase();
  CLASQL* LookupDatabase(int32_t h, int32_t* code);
  int32_t DestroyDatabase(int32_t h);

  // The tray object and the spell-checker registry, made on first use by their families;
  // the family passes what unloading must do with its object.
  CSystemTray& Tray(zqv::Owned<CSystemTray> (*make)(), void (*removeIcon)(CSystemTray&));
  ZQSpell& Spell(zqv::Owned<ZQSpell> (*make)());

  StringRegistry strings;
  ArrayRegistry arrays;
  TimerRegistry timers;
  BoxRegistry boxes;
  FileRegistry files;
  DatabaseRegistry databases;

 private:
  std::mutex lazyLock_;
  zqv::Owned<CSystemTray> tray_{nullptr, nullptr};
  void (*trayRemove_)(CSystemTray&) = nullptr;
  zqv::Owned<ZQSpell> spell_{nullptr, nullptr};
  bool exited_ = false;
};
