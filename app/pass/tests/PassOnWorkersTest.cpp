// The pass converting on worker threads leaves the disk byte for byte as the pass converting on
// its own thread does, and asks the same questions in the same order: with every option on and
// each off in turn, with conversion errors answered Cancel, Ignore and Ignore All, with a stop
// or the program's close after a folder, and with the pictures deleted after conversion.
#include <gtest/gtest.h>

#include <functional>
#include <thread>

#include "DialogAnswers.h"
#include "PassFixture.h"
#include "hostlib/ConversionPool.h"

namespace {

using orvid::test::DialogWatcher;
using orvid::test::ErrorSeen;
using orvid::test::Reply;

constexpr uint32_t kWorkers = 8;

// What a pass leaves: the whole tree, the questions it asked, its last status and its events.
struct Outcome {
  std::map<std::string, std::string> disk;
  std::vector<ErrorSeen> questions;
  std::string status;
  std::vector<uint32_t> events;
};

using Prepare = std::function<void()>;
using Rule = std::function<Reply(const ErrorSeen&)>;

class PassOnWorkers : public PassFixture {
 protected:
  void TearDown() override {
    hostlib::SetConversionThreads(std::thread::hardware_concurrency());
    PassFixture::TearDown();
  }

  // A fresh tree (with real pictures or the stand-in ones), prepared, scanned and passed with
  // the conversions on that many worker threads (0: on the pass's own thread).
  Outcome Run(uint32_t workers, const Prepare& prepare, const Rule& rule, bool realPictures) {
    PassFixture::TearDown();
    for (const auto& e : fs::directory_iterator(Root())) fs::remove_all(e.path());
    SetUp();
    BuildTree(realPictures);
    prepare();
    Scan();
    hostlib::SetConversionThreads(workers);
    DialogWatcher answers(rule);
    Outcome outcome;
    outcome.events = Pass();
    outcome.disk = Contents(Root());
    outcome.questions = answers.Seen();
    outcome.status = STATUSNOW().PROCSTAT;
    return outcome;
  }

  // The pass on workers against the pass on its own thread, for the same tree and answers.
  void ExpectTheSameDisk(const Prepare& prepare, const Rule& rule = {}, bool realPictures = true) {
    const Outcome one = Run(0, prepare, rule, realPictures);
    const Outcome many = Run(kWorkers, prepare, rule, realPictures);
    EXPECT_EQ(many.questions, one.questions);
    EXPECT_EQ(many.status, one.status);
    EXPECT_EQ(many.events, one.events);
    EXPECT_EQ(many.disk.size(), one.disk.size());
    for (const auto& [name, bytes] : one.disk) {
      auto it = many.disk.find(name);
      if (it == many.disk.end())
        ADD_FAILURE() << name << " missing";
      else if (it->second != bytes)
        ADD_FAILURE() << name << " differs";
    }
    for (const auto& [name, bytes] : many.disk)
      if (!one.disk.contains(name)) ADD_FAILURE() << name << " written only by the workers";
  }

  // Pictures that do not convert, early, in the middle and late in the folder list.
  void BreakPictures() const {
    for (const char* picture : {"Films/Alien (1979)/Background.PNG", "Films/Kill Bill/Folder.Jpg",
                                "Music/Abba - Gold/folder.jpg", "Series/Lost/Season 2/folder.jpg"}) {
      std::ofstream(Root() / picture, std::ios::binary | std::ios::trunc) << "\xFF\xD8\xFF\xE0 no picture";
    }
  }
};

TEST_F(PassOnWorkers, EveryOptionOnAndEachOffInTurnLeaveTheDiskOfTheOneThreadPass) {
  struct Case {
    const char* name;
    uint8_t* option;
  };
  const Case cases[] = {{"every option on", nullptr}, {"RMC", &RMC},           {"DOICCONV", &DOICCONV},
                        {"AUTOICRESIZE", &AUTOICRESIZE}, {"DOBGCONV", &DOBGCONV}, {"AUTOBGRESIZE", &AUTOBGRESIZE},
                        {"DELSCRIPT", &DELSCRIPT},       {"UPDSCRIPT", &UPDSCRIPT}, {"PROCESSV", &PROCESSV},
                        {"DOINDEXV", &DOINDEXV},         {"REMEMPTYV", &REMEMPTYV}, {"PROCESSA", &PROCESSA},
                        {"DOINDEXA", &DOINDEXA},         {"REMEMPTYA", &REMEMPTYA}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ExpectTheSameDisk([&] {
      if (c.option) *c.option = 0;
    });
  }
}

TEST_F(PassOnWorkers, ConversionErrorsAnsweredCancelIgnoreAndIgnoreAllLeaveTheDiskOfTheOneThreadPass) {
  struct Case {
    const char* name;
    Rule rule;
  };
  const Case cases[] = {
      // Cancel at an error in the middle, after folders with and without errors were written.
      {"Cancel", [](const ErrorSeen& e) {
         return e.details.find("Kill Bill") != std::string::npos ? Reply::Cancel : Reply::Ignore;
       }},
      {"Ignore", [](const ErrorSeen&) { return Reply::Ignore; }},
      {"Ignore All", [](const ErrorSeen& e) { return e.message.starts_with("Error Converting") ? Reply::IgnoreAll
                                                                                               : Reply::Ignore; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ExpectTheSameDisk([&] { BreakPictures(); }, c.rule);
  }
  // No picture converts at all: the first error's Cancel ends the pass at once.
  ExpectTheSameDisk([] {}, [](const ErrorSeen&) { return Reply::Cancel; }, false);
}

TEST_F(PassOnWorkers, AStopOrTheCloseAfterAFolderLeavesTheDiskOfTheOneThreadPass) {
  {
    SCOPED_TRACE("a stop after the first folder");
    ExpectTheSameDisk([] { T2ABORT = 1; });
  }
  // A stop and the program's close while the pass waits at an error in the middle of the list.
  for (std::atomic<uint8_t>* flag : {&T2ABORT, &ABORTALL}) {
    SCOPED_TRACE(flag == &T2ABORT ? "a stop in the middle" : "the close in the middle");
    ExpectTheSameDisk([this] { BreakPictures(); },
                      [flag](const ErrorSeen& e) {
                        if (e.details.find("Kill Bill") != std::string::npos) *flag = 1;
                        return Reply::Ignore;
                      });
  }
}

TEST_F(PassOnWorkers, PicturesDeletedAfterConversionLeaveTheDiskOfTheOneThreadPass) {
  ExpectTheSameDisk([] { ST.Change([](SETTINGSGROUP& st) { st.DELAC = 1; }); });
}

}  // namespace
