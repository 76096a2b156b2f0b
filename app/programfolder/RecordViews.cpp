#include "RecordViews.h"

#include "app/Explorer.h"
#include "app/LazyMode.h"
#include "zqruntime/dirlist.h"

NAMEDVIEWS RECORDVIEWS() {
  return {{"QDIR", &QDIRF},         {"MFQ", &MFQF},           {"QSCRIPT", &QSCRIPTF},
          {"VEXTENSIONS", &VEXTF},  {"AEXTENSIONS", &AEXTF},  {"QNOSCAN", &QNOSCANF},
          {"T1GROUP", &T1GROUPF},   {"T2GROUP", &T2GROUPF},   {"QPANEL", &QPANELF},
          {"QDRIVE", &QDRIVEF},     {"QHISTORY", &QHISTORYF}, {"QD", &QDF},
          {"DIRECTORY", &zq::rt::DirectoryView()}};
}
