// A fake system tree (proc/, sys/ and etc/) for the management service's classes, with the files
// a small machine shows: two processors in one package, memory and swap, a boot time, firmware
// tables, an OS release, three accounts and one system variable. Tests add processes and
// change files, then point the service at it (zq::wmi::SetSystemRoot(fake.Root())).
#pragma once
#include <filesystem>
#include <fstream>
#include <string>

#include "zqtest/ScratchFolder.h"

namespace zqtest {

class FakeSystem {
 public:
  // The boot time of the fake /proc/stat (2021-03-04 05:06:07 UTC) and the clock's ticks per second.
  static constexpr long long kBootTime = 1614834367;

  FakeSystem() : folder_("zqfakesys") {
    Write("proc/stat", "cpu  1 2 3 4\nbtime " + std::to_string(kBootTime) + "\nprocesses 100\n");
    Write("proc/meminfo", "MemTotal:       16000000 kB\nMemFree:         1000000 kB\nMemAvailable:    8000000 kB\n"
                          "SwapTotal:       2000000 kB\nSwapFree:        1500000 kB\n");
    Write("proc/cpuinfo", Cpu(0) + "\n" + Cpu(1) + "\n");
    Write("proc/sys/kernel/osrelease", "6.1.0-fake-amd64\n");
    Write("proc/sys/kernel/version", "#1 SMP Fake 6.1.99-1\n");
    Write("proc/sys/kernel/hostname", "fakehost\n");
    Write("proc/sys/kernel/domainname", "(none)\n");
    Write("sys/devices/system/cpu/cpu0/cpufreq/cpuinfo_max_freq", "3600000\n");
    for (auto [name, value] : {std::pair{"bios_vendor", "Fake Firmware Inc."}, {"bios_version", "1.2.3"},
                               {"bios_release", "5.17"}, {"bios_date", "03/15/2021"},
                               {"sys_vendor", "Fake Computers"}, {"product_name", "Model 7"},
                               {"product_family", "Sevens"}, {"board_vendor", "Fake Boards"},
                               {"board_name", "FB-100"}, {"board_version", "Rev A"}}) {
      Write(std::string("sys/class/dmi/id/") + name, std::string(value) + "\n");
    }
    Write("etc/os-release", "PRETTY_NAME=\"Fake Linux 12 (test)\"\nNAME=\"Fake Linux\"\nVERSION_ID=\"12\"\n");
    Write("etc/passwd", "root:x:0:0:root:/root:/bin/bash\n"
                        "daemon:x:1:1:daemon:/usr/sbin:/usr/sbin/nologin\n"
                        "anna:x:1000:1000:Anna Berg,Room 4,,:/home/anna:/bin/bash\n");
    Write("etc/environment", "FAKE_SYSTEM_PATH=\"/opt/fake/bin\"\n");
  }

  std::string Root() const { return folder_.path().string(); }

  void Write(const std::string& relative, const std::string& text) {
    auto path = folder_ / relative;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
  }

  // The program file a process runs (proc/<pid>/exe); the target need not exist.
  void LinkExecutable(int pid, const std::string& target) {
    std::filesystem::create_symlink(target, folder_ / ("proc/" + std::to_string(pid) + "/exe"));
  }

  // A process with its status, stat and command line (arguments separated by NUL bytes).
  void AddProcess(int pid, const std::string& name, int ppid = 1, const std::string& cmdline = "",
                  unsigned long long startTicks = 100, int threads = 1) {
    std::string folder = "proc/" + std::to_string(pid) + "/";
    Write(folder + "status", "Name:\t" + name + "\nState:\tS (sleeping)\nPPid:\t" + std::to_string(ppid) +
                                 "\nVmSize:\t    2048 kB\nVmRSS:\t     512 kB\nThreads:\t" + std::to_string(threads) + "\n");
    // Fields from 3: state ppid pgrp session tty tpgid flags minflt cminflt majflt cmajflt utime stime ...
    Write(folder + "stat", std::to_string(pid) + " (" + name + ") S " + std::to_string(ppid) +
                               " 1 1 0 -1 0 0 0 0 0 250 50 0 0 20 0 " + std::to_string(threads) + " 0 " +
                               std::to_string(startTicks) + " 2097152 128\n");
    Write(folder + "cmdline", cmdline);
  }

 private:
  static std::string Cpu(int n) {
    return "processor\t: " + std::to_string(n) +
           "\nvendor_id\t: GenuineIntel\ncpu family\t: 6\nmodel\t\t: 85\nmodel name\t: Fake CPU @ 3.60GHz\n"
           "stepping\t: 7\ncpu MHz\t\t: 2999.6\nphysical id\t: 0\ncpu cores\t: 2\n";
  }

  ScratchFolder folder_;
};

}  // namespace zqtest
