// The classes the service knows.
#include <stdexcept>

#include "ClassDef.h"
#include "FoldedText.h"

namespace zq::wmi {

namespace {

const ClassDef* const kClasses[] = {
    &kProcessClass, &kOperatingSystemClass, &kComputerSystemClass, &kProcessorClass,
    &kLogicalDiskClass, &kBiosClass, &kBaseBoardClass, &kEnvironmentClass,
    &kUserAccountClass, &kLocalTimeClass, &kUtcTimeClass,
};

}  // namespace

int ClassDef::Find(std::string_view property) const {
  for (std::size_t i = 0; i < properties.size(); ++i) {
    if (properties[i].name == property) return static_cast<int>(i);
  }
  for (std::size_t i = 0; i < properties.size(); ++i) {
    if (EqualNoCase(properties[i].name, property)) return static_cast<int>(i);
  }
  return -1;
}

void ClassDef::Set(Record& record, std::string_view property, Value value) const {
  int at = Find(property);
  if (at < 0) throw std::logic_error("a class reader sets a property its class lacks");
  record[static_cast<std::size_t>(at)] = std::move(value);
}

const ClassDef* FindClass(std::string_view name) {
  for (const ClassDef* c : kClasses) {
    if (EqualNoCase(c->name, name)) return c;
  }
  return nullptr;
}

}  // namespace zq::wmi
