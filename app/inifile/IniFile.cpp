// Loading and saving the settings file and the three data files.
#include "app/IniFile.h"

#include <memory>
#include <string>

#include "app/State.h"
#include "app/Text.h"
#include "hostlib/Dialogs.h"
#include "hostlib/QueueFiles.h"
#include "hostlib/Wrappers.h"
#include "inifile/IniKeys.h"
#include "zqruntime/ini.h"

namespace {

constexpr uint32_t kValueCapacity = 1024;

// A data file with its queue's text as loaded, to tell whether the queue changed since.
struct DataFile {
  DataFile(zq::rt::Queue& q, std::string file) : queue(q), file(q, std::move(file)) {}
  int32_t Load() {
    int32_t result = file.Load();
    loaded = Text();
    return result;
  }
  int32_t Save() {
    if (Text() != loaded) file.Changed();
    return file.Save();
  }
  std::string Text() {
    int32_t error = 0;
    return GETQUEUE(queue, error, 1);
  }
  zq::rt::Queue& queue;
  QueueDataFile file;
  std::string loaded;
};

struct DataFiles {
  DataFile script;
  DataFile videoExtensions;
  DataFile audioExtensions;
};
std::unique_ptr<DataFiles> dataFiles;


std::string Folder() { return WithoutTrailingBlanks(INIPATH); }
std::string IniFile() { return Folder() + "Orvid.INI"; }

void Report(std::string_view message, std::string_view procedure, int32_t code) {
  ERRORMSG(message, procedure, "", static_cast<int16_t>(code), kOkOnly, 0, MWHANDLE);
}

DataFiles& Files() {
  if (!dataFiles) {
    std::string folder = Folder();
    dataFiles.reset(new DataFiles{{QSCRIPT, folder + "Script.dat"},
                                  {VEXTENSIONS, folder + "VExtensions.dat"},
                                  {AEXTENSIONS, folder + "AExtensions.dat"}});
  }
  return *dataFiles;
}

// Rows 1 to kLayoutRows, each numbered with the level below it; an added row repeats the row before it.
void CompleteLayouts() {
  if (QSCRIPT.Records() == 0) QSCRIPT.ClearBuffer();
  for (uint32_t i = 1; i <= kLayoutRows; ++i) {
    bool added = QSCRIPT.Records() < i;
    if (!added) QSCRIPT.Get(i);
    QSCRIPTF.NR.Set(QSCRIPT.Buffer(), i);
    QSCRIPTF.DIR.Set(QSCRIPT.Buffer(), i + 1);
    if (added) {
      QSCRIPT.Add(i);
    } else {
      QSCRIPT.Put();
    }
  }
}

void ReadKey(const orvid::ini::Key& key, const std::string& file) {
  std::string value = zq::rt::ReadProfileString(key.section, key.key, "", file, kValueCapacity);
  if (key.items.size() == 1) {
    key.items.front().write(value);
  } else {
    XSTRING items;
    items.SET(value, static_cast<int32_t>(value.size()));
    for (size_t n = 0; n < key.items.size(); ++n) key.items[n].write(items.ITEMGET(static_cast<int32_t>(n + 1), "|"));
  }
  if (key.afterReading) key.afterReading();
}

std::string ValueOf(const orvid::ini::Key& key) {
  std::string value;
  for (size_t n = 0; n < key.items.size(); ++n) {
    if (n > 0) value += '|';
    value += WithoutTrailingBlanks(key.items[n].read());
  }
  if (key.quoted) value = "\"" + value + "\"";
  return value.substr(0, kValueCapacity - 1);
}

// Writes one key; false once a write failed, reported then.
bool Write(std::string_view section, std::string_view key, std::string_view value, const std::string& file) {
  if (zq::rt::WriteProfileString(section, key, value, file)) return true;
  Report("Error Writing Orvid.INI", "PutINI", -1);
  return false;
}

}  // namespace

void GETINI() {
  dataFiles.reset();
  DataFiles& files = Files();
  const std::string ini = IniFile();
  int32_t scriptRead = files.script.file.Load();
  if (scriptRead < 0) Report("Error Reading Script.dat", "Main", scriptRead);
  CompleteLayouts();
  files.script.loaded = files.script.Text();
  if (int32_t result = files.videoExtensions.Load(); result < 0) {
    Report("Error Reading VExtensions.dat", "GetINI", result);
  }
  if (int32_t result = files.audioExtensions.Load(); result < 0) {
    Report("Error Reading AExtensions.dat", "GetINI", result);
  }
  std::string noScan = zq::rt::ReadProfileString("PROCESS", "NoScan", "", ini, kValueCapacity);
  if (int32_t result = PUTQUEUE(QNOSCAN, noScan, 1); result < 0) {
    Report("Error Setting NoScan Folders.", "GetINI", result);
  }
  SETTINGSGROUP st = ST.Get();
  for (const orvid::ini::Key& key : orvid::ini::Keys(st)) ReadKey(key, ini);
  ST.Set(st);
}

void PUTINI() {
  DataFiles& files = Files();
  const std::string ini = IniFile();
  if (int32_t result = files.script.Save(); result < 0) Report("Error Writing\tScript.dat", "Main", result);
  if (int32_t result = files.videoExtensions.Save(); result < 0) {
    Report("Error Writing\tVExtensions.dat", "Main", result);
  }
  if (int32_t result = files.audioExtensions.Save(); result < 0) {
    Report("Error Writing\tAExtensions.dat", "Main", result);
  }
  bool writing = true;
  SETTINGSGROUP st = ST.Get();
  for (const orvid::ini::Key& key : orvid::ini::Keys(st)) {
    if (writing && key.key == "AutoRSIcon") {
      int32_t error = 0;
      std::string noScan = GETQUEUE(QNOSCAN, error, 1);
      if (error < 0) {
        Report("Error Getting NoScan Folders.", "PutINI", error);
      } else {
        writing = Write("PROCESS", "NoScan", WithoutTrailingBlanks(noScan).substr(0, kValueCapacity - 1), ini);
      }
    }
    if (writing) writing = Write(key.section, key.key, ValueOf(key), ini);
  }
}
