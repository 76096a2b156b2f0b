// Whole-file reads and writes through FIReadFile and FIWriteFile against plain POSIX read and
// write of the same bytes (open, transfer, cut, close), at 1 KB, 1 MB and 100 MB.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "zqplatform/files.h"
#include "zqvantor/files.h"

#include "RatioReport.h"

namespace {

constexpr uint32_t kAccess = 0xC0000000, kDisp = 4, kFlags = 0x80;  // normal file, no write-through

std::string folder;

std::string Posix() { return folder + "/bench.bin"; }
const char* Win() { return "B:\\bench.bin"; }

std::vector<char>& Bytes(std::size_t n) {
  static std::map<std::size_t, std::vector<char>> buffers;
  auto& b = buffers[n];
  if (b.size() != n) b.assign(n, 'x');
  return b;
}

void FIWrite(benchmark::State& state) {
  auto& data = Bytes(static_cast<std::size_t>(state.range(0)));
  std::filesystem::remove(Posix());
  int32_t h = FICreate();
  int32_t n = static_cast<int32_t>(data.size());
  FIWriteFile(h, 12, Win(), n, data.data(), 0, 0, kAccess, 0, kDisp, kFlags);  // the file exists, as in PosixWrite
  for (auto _ : state)
    if (FIWriteFile(h, 12, Win(), n, data.data(), 0, 0, kAccess, 0, kDisp, kFlags) != n) state.SkipWithError("write");
  FIDestroy(h);
  state.SetBytesProcessed(state.iterations() * state.range(0));
}

void PosixWrite(benchmark::State& state) {
  auto& data = Bytes(static_cast<std::size_t>(state.range(0)));
  std::filesystem::remove(Posix());
  int32_t h = FICreate();
  FIWriteFile(h, 12, Win(), static_cast<int32_t>(data.size()), data.data(), 0, 0, kAccess, 0, kDisp, kFlags);
  FIDestroy(h);
  for (auto _ : state) {
    int fd = open(Posix().c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (write(fd, data.data(), data.size()) != static_cast<ssize_t>(data.size())) state.SkipWithError("write");
    if (ftruncate(fd, static_cast<off_t>(data.size())) != 0) state.SkipWithError("cut");
    close(fd);
  }
  state.SetBytesProcessed(state.iterations() * state.range(0));
}

void FIRead(benchmark::State& state) {
  auto& data = Bytes(static_cast<std::size_t>(state.range(0)));
  int32_t h = FICreate();
  int32_t n = static_cast<int32_t>(data.size());
  FIWriteFile(h, 12, Win(), n, data.data(), 0, 0, kAccess, 0, kDisp, kFlags);
  for (auto _ : state)
    if (FIReadFile(h, 12, Win(), n, data.data(), 0, 0, kAccess, 0, kDisp, kFlags) != n) state.SkipWithError("read");
  FIDestroy(h);
  state.SetBytesProcessed(state.iterations() * state.range(0));
}

void PosixRead(benchmark::State& state) {
  auto& data = Bytes(static_cast<std::size_t>(state.range(0)));
  int32_t h = FICreate();
  FIWriteFile(h, 12, Win(), static_cast<int32_t>(data.size()), data.data(), 0, 0, kAccess, 0, kDisp, kFlags);
  FIDestroy(h);
  for (auto _ : state) {
    int fd = open(Posix().c_str(), O_RDWR | O_CLOEXEC);
    if (read(fd, data.data(), data.size()) != static_cast<ssize_t>(data.size())) state.SkipWithError("read");
    close(fd);
  }
  state.SetBytesProcessed(state.iterations() * state.range(0));
}

void Sizes(benchmark::internal::Benchmark* b) { b->Arg(1 << 10)->Arg(1 << 20)->Arg(100 << 20)->UseRealTime(); }

BENCHMARK(FIWrite)->Apply(Sizes);
BENCHMARK(PosixWrite)->Apply(Sizes);
BENCHMARK(FIRead)->Apply(Sizes);
BENCHMARK(PosixRead)->Apply(Sizes);

}  // namespace

int main(int argc, char** argv) {
  std::string pattern = (std::filesystem::temp_directory_path() / "zqbench.XXXXXX").string();
  folder = mkdtemp(pattern.data());
  setenv("ZQ_DRIVES", ("B=" + folder).c_str(), 1);
  zq::fs::ReloadDriveMap();
  std::vector<zqbench::Ratio> ratios;
  for (std::string size : {"1024", "1048576", "104857600"}) {
    for (auto [fi, posix] : {std::pair{"FIWrite", "PosixWrite"}, std::pair{"FIRead", "PosixRead"}}) {
      ratios.push_back({std::string(fi) + "/" + size + "/real_time", std::string(posix) + "/" + size + "/real_time",
                        std::string(fi) + " against " + posix + " of " + size + " bytes (aim: within 1.2x)"});
    }
  }
  zqbench::RunWithRatios(argc, argv, ratios);
  std::filesystem::remove_all(folder);
  return 0;
}
