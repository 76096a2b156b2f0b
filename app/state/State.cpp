// The program's shared state and its start values.
#include "app/State.h"

#include "zqruntime/window.h"

using zq::rt::Queue;
using zq::rt::Record;

std::shared_ptr<const zq::rt::RecordLayout> SharedLayout(const zq::rt::RecordLayout& layout) {
  return std::shared_ptr<const zq::rt::RecordLayout>(&layout, [](const zq::rt::RecordLayout*) {});
}

// The views come first: the queues below are made from their layouts.
const QDIRFIELDS QDIRF;
const MFQFIELDS MFQF;
const QSCRIPTFIELDS QSCRIPTF;
const EXTFIELDS VEXTF(10);
const EXTFIELDS AEXTF(32);
const QNOSCANFIELDS QNOSCANF;
const T1GROUPFIELDS T1GROUPF;
const T2GROUPFIELDS T2GROUPF;

Queue QDIR(SharedLayout(QDIRTYPE()));
Queue MFQ(SharedLayout(MFQTYPE()));
Queue QSCRIPT(SharedLayout(QSCRIPTTYPE()));
Queue VEXTENSIONS(SharedLayout(VEXTTYPE()));
Queue AEXTENSIONS(SharedLayout(AEXTTYPE()));
Queue QNOSCAN(SharedLayout(QNOSCANTYPE()));

Guarded<SETTINGSGROUP> ST;
MEDIATOTALS MFSIZE;

uint8_t DEEPSCAN = 0, RMC = 0, DOICCONV = 0, AUTOICRESIZE = 0, DOBGCONV = 0, AUTOBGRESIZE = 0, DELSCRIPT = 0,
        UPDSCRIPT = 0;
uint8_t PROCESSV = 0, DOINDEXV = 0, REMEMPTYV = 0, PROCESSA = 0, DOINDEXA = 0, REMEMPTYA = 0;

std::atomic<uint8_t> ABORTALL{0};
std::atomic<uint8_t> EXPRUNNING{0};
std::atomic<uint32_t> EXPTHREAD{0};
std::atomic<uint8_t> T1RUNNING{0};
std::atomic<uint8_t> T1ABORT{0};
std::atomic<uint8_t> T2RUNNING{0};
std::atomic<uint8_t> T2ABORT{0};
std::atomic<uint8_t> T1ENDED{0};
std::atomic<uint8_t> T2ENDED{0};

Record T1GROUP(SharedLayout(T1GROUPTYPE()));
Record T2GROUP(SharedLayout(T2GROUPTYPE()));

std::atomic<uint32_t> MWTHREAD{0};
std::atomic<HWND> MWHANDLE{0};
std::atomic<HWND> LWHANDLE{0};

std::string INIPATH;
Guarded<std::string> ROOTDIR;
Guarded<std::string> RPPATH;
Guarded<std::string> LPPATH;
std::string MWPOS;
std::string EWPOS;
WINPOSCLASS MWWINPOS;

void POSTJOBEND(int32_t event, uint32_t thread) {
  if (event == kScanEnded) T1ENDED = 1;
  if (event == kPassEnded) T2ENDED = 1;
  zq::rt::Post(event, 0, thread);
}

std::function<void(int32_t)> JOBTESTHOOK;

void RUNJOB(int32_t event, uint32_t thread, const std::function<void()>& work) {
  struct EndEvent {
    int32_t event;
    uint32_t thread;
    ~EndEvent() { POSTJOBEND(event, thread); }
  } end{event, thread};
  if (JOBTESTHOOK) JOBTESTHOOK(event);
  work();
}

void RESETSTATE() {
  for (Queue* q : {&QDIR, &MFQ, &QSCRIPT, &VEXTENSIONS, &AEXTENSIONS, &QNOSCAN}) {
    q->Free();
    q->ClearBuffer();
  }
  ST.Set({});
  MFSIZE = {};
  for (uint8_t* option : {&DEEPSCAN, &RMC, &DOICCONV, &AUTOICRESIZE, &DOBGCONV, &AUTOBGRESIZE, &DELSCRIPT,
                          &UPDSCRIPT, &PROCESSV, &DOINDEXV, &REMEMPTYV, &PROCESSA, &DOINDEXA, &REMEMPTYA}) {
    *option = 0;
  }
  for (std::atomic<uint8_t>* flag :
       {&ABORTALL, &EXPRUNNING, &T1RUNNING, &T1ABORT, &T2RUNNING, &T2ABORT, &T1ENDED, &T2ENDED}) {
    *flag = 0;
  }
  EXPTHREAD = 0;
  JOBTESTHOOK = nullptr;
  T1GROUP.Clear();
  T2GROUP.Clear();
  MWTHREAD = 0;
  MWHANDLE = 0;
  LWHANDLE = 0;
  for (std::string* text : {&INIPATH, &MWPOS, &EWPOS}) text->clear();
  for (Guarded<std::string>* path : {&ROOTDIR, &RPPATH, &LPPATH}) path->Set({});
}
