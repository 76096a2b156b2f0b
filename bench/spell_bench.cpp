// Spell checkers: the SP exports against the same work on hunspell's checker directly
// (checking words, suggesting, and loading a user-word file against adding its words).
#include <benchmark/benchmark.h>
#include <hunspell.hxx>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "zqplatform/oleauto.h"
#include "zqvantor/spell.h"

#include "RatioReport.h"

namespace {

const std::string kAff = std::string(ZQ_EN_US_DICT_DIR) + "/en_US.aff";
const std::string kDic = std::string(ZQ_EN_US_DICT_DIR) + "/en_US.dic";

int32_t Len(const std::string& s) { return static_cast<int32_t>(s.size()); }

// Every step-th word of the dictionary, without its flags, with a wrong twin for each.
const std::vector<std::string>& Words() {
  static const std::vector<std::string> words = [] {
    std::vector<std::string> list;
    std::ifstream in(kDic);
    std::string line;
    std::getline(in, line);
    for (int i = 0; std::getline(in, line) && list.size() < 2000; ++i) {
      if (i % 37 != 0) continue;
      std::string word = line.substr(0, line.find('/'));
      list.push_back(word);
      list.push_back(word + "qx");
    }
    return list;
  }();
  return words;
}

std::string UserFile() {
  static const std::string path = [] {
    std::string name = (std::filesystem::temp_directory_path() / "zq_spell_bench_user.dic").string();
    std::string text;
    for (int i = 0; i < 10000; ++i) text += (i ? "\xFE" : "") + std::string("benchword") + std::to_string(i);
    std::ofstream(name, std::ios::binary) << text;
    return name;
  }();
  return path;
}

struct Built {
  Built() : handle(SPCreate()) { SPInit(handle, Len(kAff), kAff.data(), Len(kDic), kDic.data(), 0, nullptr); }
  ~Built() { SPDestroy(handle); }
  int32_t handle;
};

void SPCheckWords(benchmark::State& state) {
  Built c;
  for (auto _ : state)
    for (const std::string& w : Words()) benchmark::DoNotOptimize(SPCheck(c.handle, Len(w), w.data()));
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(Words().size()));
}

void SPCheckReferenceHunspell(benchmark::State& state) {
  Hunspell h(kAff.c_str(), kDic.c_str());
  for (auto _ : state)
    for (const std::string& w : Words()) benchmark::DoNotOptimize(h.spell(w));
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(Words().size()));
}

const std::vector<std::string> kWrong = {"helo", "hous", "walkd", "spelingg", "recieve", "definately"};

void SPSuggestWords(benchmark::State& state) {
  Built c;
  for (auto _ : state)
    for (const std::string& w : kWrong) SysFreeString(SPSuggest(c.handle, Len(w), w.data()));
}

void SPSuggestReferenceHunspell(benchmark::State& state) {
  Hunspell h(kAff.c_str(), kDic.c_str());
  for (auto _ : state)
    for (const std::string& w : kWrong) benchmark::DoNotOptimize(h.suggest(w));
}

void SPLoadUserDictWords(benchmark::State& state) {
  std::string path = UserFile();
  for (auto _ : state) {
    state.PauseTiming();
    auto c = std::make_unique<Built>();
    state.ResumeTiming();
    benchmark::DoNotOptimize(SPLoadUserDict(c->handle, Len(path), path.data()));
    state.PauseTiming();
    c.reset();
    state.ResumeTiming();
  }
}

void SPLoadUserDictReferenceHunspellAdd(benchmark::State& state) {
  std::string path = UserFile();
  for (auto _ : state) {
    state.PauseTiming();
    auto h = std::make_unique<Hunspell>(kAff.c_str(), kDic.c_str());
    state.ResumeTiming();
    std::ifstream in(path, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::size_t start = 0;
    while (start <= text.size()) {
      std::size_t end = text.find('\xFE', start);
      if (end == std::string::npos) end = text.size();
      h->add(text.substr(start, end - start));
      start = end + 1;
    }
    state.PauseTiming();
    h.reset();
    state.ResumeTiming();
  }
}

BENCHMARK(SPCheckWords)->Unit(benchmark::kMicrosecond);
BENCHMARK(SPCheckReferenceHunspell)->Unit(benchmark::kMicrosecond);
BENCHMARK(SPSuggestWords)->Unit(benchmark::kMillisecond);
BENCHMARK(SPSuggestReferenceHunspell)->Unit(benchmark::kMillisecond);
BENCHMARK(SPLoadUserDictWords)->Unit(benchmark::kMillisecond);
BENCHMARK(SPLoadUserDictReferenceHunspellAdd)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  zqbench::RunWithRatios(argc, argv,
                         {{"SPCheckWords", "SPCheckReferenceHunspell", "SPCheck against Hunspell::spell"},
                          {"SPSuggestWords", "SPSuggestReferenceHunspell", "SPSuggest against Hunspell::suggest"},
                          {"SPLoadUserDictWords", "SPLoadUserDictReferenceHunspellAdd",
                           "SPLoadUserDict against reading the file and Hunspell::add"}});
  std::remove(UserFile().c_str());
  return 0;
}
