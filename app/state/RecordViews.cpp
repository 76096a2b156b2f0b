// The check that each member of the typed views binds its field.
#include "app/Records.h"

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
