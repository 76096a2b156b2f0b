// What a query found: the objects of its class that passed its WHERE, and which of their
// properties it selected.
#pragma once
#include <memory>
#include <vector>

#include "ClassDef.h"
#include "ComObject.h"

namespace zq::wmi {

struct Results {
  const ClassDef* cls = nullptr;
  std::vector<bool> selected;  // by property position
  std::vector<Record> records;
};

IEnumWbemClassObject* NewResultWalk(std::shared_ptr<const Results> results);

}  // namespace zq::wmi
