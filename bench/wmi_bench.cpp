// The WMI query over 2,000 processes of a fake /proc, against reading the same status files
// directly and joining their names and ids (the least any query must do).
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>

#include "RatioReport.h"
#include "zqplatform/wmi.h"
#include "zqtest/FakeSystem.h"
#include "zqvantor/system.h"

namespace {

constexpr int kProcesses = 2000;

zqtest::FakeSystem& Fake() {
  static zqtest::FakeSystem* fake = [] {
    auto* f = new zqtest::FakeSystem;
    for (int pid = 1; pid <= kProcesses; ++pid) f->AddProcess(pid, "process" + std::to_string(pid));
    return f;
  }();
  return *fake;
}

void BM_WmiProcessQuery(benchmark::State& state) {
  zq::wmi::SetSystemRoot(Fake().Root());
  const std::string query = "SELECT Name, ProcessId FROM Win32_Process", properties = "Name|ProcessId";
  for (auto _ : state) {
    int32_t code = 0;
    BSTR result = UTDoWMIQuery(static_cast<int32_t>(query.size()), query.data(), static_cast<int32_t>(properties.size()),
                               properties.data(), &code, 0, nullptr, 0, nullptr, 0, nullptr, 0, nullptr);
    benchmark::DoNotOptimize(result);
    SysFreeString(result);
  }
}
BENCHMARK(BM_WmiProcessQuery)->Unit(benchmark::kMillisecond);

void BM_ReadStatusFiles(benchmark::State& state) {
  const std::string root = Fake().Root();
  for (auto _ : state) {
    std::string text;
    for (int pid = 1; pid <= kProcesses; ++pid) {
      std::ifstream in(root + "/proc/" + std::to_string(pid) + "/status");
      std::string status((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      std::size_t name = status.find("Name:\t") + 6;
      if (pid <= 1024) text += status.substr(name, status.find('\n', name) - name) + '\xFD' + std::to_string(pid) + '\xFE';
    }
    benchmark::DoNotOptimize(text);
  }
}
BENCHMARK(BM_ReadStatusFiles)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  zqbench::RunWithRatios(argc, argv,
                         {{"BM_WmiProcessQuery", "BM_ReadStatusFiles",
                           "WMI query of 2,000 processes against reading their status files directly"}});
}
