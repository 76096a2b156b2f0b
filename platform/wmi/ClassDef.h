// A class of the management service: its properties with their CIM types, and the reader that
// makes its objects from the system when a query runs.
#pragma once
#include <span>
#include <string_view>
#include <vector>

#include "SystemFiles.h"
#include "Value.h"
#include "zqplatform/wmi.h"

namespace zq::wmi {

struct PropertyDef {
  std::string_view name;
  CIMTYPE type;
};

// One object: a value per property of its class, in the class's order.
using Record = std::vector<Value>;

struct ClassDef {
  std::string_view name;
  std::span<const PropertyDef> properties;
  std::vector<Record> (*read)(const SystemFiles& system, const ClassDef& self);

  // The property's position (names compared case-blind), or -1.
  int Find(std::string_view property) const;
  // A record of nulls, to be filled with Set.
  Record NewRecord() const { return Record(properties.size()); }
  // Sets a property the class has (a name it lacks is a fault of the reader: std::logic_error).
  void Set(Record& record, std::string_view property, Value value) const;
};

// The class named (case-blind), or null.
const ClassDef* FindClass(std::string_view name);

// The readers, one per class (in ClassTable.cpp's table).
extern const ClassDef kProcessClass;
extern const ClassDef kOperatingSystemClass;
extern const ClassDef kComputerSystemClass;
extern const ClassDef kProcessorClass;
extern const ClassDef kLogicalDiskClass;
extern const ClassDef kBiosClass;
extern const ClassDef kBaseBoardClass;
extern const ClassDef kEnvironmentClass;
extern const ClassDef kUserAccountClass;
extern const ClassDef kLocalTimeClass;
extern const ClassDef kUtcTimeClass;

}  // namespace zq::wmi
