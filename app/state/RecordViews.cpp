// Every typed view of the program's records, and the check that each field is bound.
#include "app/Explorer.h"
#include "app/LazyMode.h"
#include "app/Records.h"
#include "zqruntime/dirlist.h"

NAMEDVIEWS RECORDVIEWS() {
  return {{"QDIR", &QDIRF},         {"MFQ", &MFQF},           {"QSCRIPT", &QSCRIPTF},
          {"VEXTENSIONS", &VEXTF},  {"AEXTENSIONS", &AEXTF},  {"QNOSCAN", &QNOSCANF},
          {"T1GROUP", &T1GROUPF},   {"T2GROUP", &T2GROUPF},   {"QPANEL", &QPANELF},
          {"QDRIVE", &QDRIVEF},     {"QHISTORY", &QHISTORYF}, {"QD", &QDF},
          {"DIRECTORY", &zq::rt::DirectoryView()}};
}

std::string UNBOUNDFIELDS(const NAMEDVIEWS& views) {
  std::string names;
  for (const auto& [name, view] : views) {
    for (const std::string& field : view->Unbound()) {
      if (!names.empty()) names += ", ";
      names.append(name).append(".").append(field);
    }
  }
  return names;
}
