// The process's peak resident memory, as the kernel counts it.
#pragma once
#include <cstdlib>
#include <fstream>
#include <string>

// Kilobytes of VmHWM in /proc/self/status; -1 when it cannot be read.
inline long PeakKilobytes() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
  return -1;
}
