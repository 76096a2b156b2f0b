// The keys of "Orvid.INI" in the order they are written, each with the globals it holds.
#pragma once
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "app/State.h"
#include "zqruntime/window.h"

namespace orvid::ini {

// One key: its items, joined by "|" in the file, and what reading does after the items are in.
struct Key {
  std::string_view section;
  std::string_view key;
  std::vector<zq::rt::Binding> items;
  std::function<void()> afterReading;
  bool quoted = false;  // written between double quotes
};

// The keys in writing order, the settings group's items bound to st; "NoScan" is not among
// them (it holds a queue).
std::vector<Key> Keys(SETTINGSGROUP& st);

}  // namespace orvid::ini
