// The settings file and the data files: loading, the edge cases of their keys, a round trip of
// every key and the file a save writes.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "DialogWatcher.h"
#include "app/IniFile.h"
#include "app/State.h"
#include "hostlib/QueueFiles.h"
#include "zqtest/ScratchFolder.h"

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

class IniFile : public ::testing::Test {
 protected:
  void SetUp() override {
    RESETSTATE();
    INIPATH = folder_.path().string() + "/";
  }
  std::string Path(const std::string& name) const { return folder_.path().string() + "/" + name; }
  void WriteText(const std::string& name, const std::string& text) const { std::ofstream(Path(name)) << text; }
  std::string ReadText(const std::string& name) const {
    std::ifstream in(Path(name), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  // GETINI with its dialogs answered; the error messages shown.
  Lines Load() {
    orvid::test::DialogWatcher watcher;
    GETINI();
    return watcher.Errors();
  }
  Lines Save() {
    orvid::test::DialogWatcher watcher;
    PUTINI();
    return watcher.Errors();
  }
  std::string Row(uint32_t n, const char* field) {
    std::optional<zq::rt::Record> r = QSCRIPT.Peek(n);
    return r ? r->Text(field) : "(none)";
  }

  zqtest::ScratchFolder folder_{"orvid-ini"};
};

TEST_F(IniFile, AFirstStartWithoutFilesReportsTheThreeDataFilesAndCompletesTheDefaults) {
  EXPECT_EQ(Load(), (Lines{"Error Reading Script.dat", "Error Reading VExtensions.dat", "Error Reading AExtensions.dat"}));
  ASSERT_EQ(QSCRIPT.Records(), kLayoutRows);
  for (uint32_t n = 1; n <= kLayoutRows; ++n) {
    EXPECT_EQ(Row(n, "NR"), std::to_string(n));
    EXPECT_EQ(Row(n, "DIR"), std::to_string(n + 1));
    EXPECT_EQ(Row(n, "ALIGN"), "");
    EXPECT_EQ(Row(n, "SCALE"), "0");
  }
  EXPECT_EQ(ST.CAT1.ALLIGN, "Center");
  EXPECT_EQ(ST.CAT1.FSIZE, "Small");
  EXPECT_EQ(ST.CAT2.ALLIGN, "Center");
  EXPECT_EQ(ST.CAT2.FSIZE, "Small");
  EXPECT_EQ(ST.EXPFONTSIZE, 8);
  EXPECT_EQ(ST.RESIZEIMAGE, 4);
  EXPECT_EQ(ST.BACKGROUND, 0);
  EXPECT_TRUE(ROOTDIR.empty());
  EXPECT_EQ(QNOSCAN.Records(), 0u);
}

TEST_F(IniFile, ThreeLayoutRowsGainFourCopiesOfTheThird) {
  for (uint32_t n = 1; n <= 3; ++n) {
    QSCRIPT.ClearBuffer();
    QSCRIPTF.ALIGN.Set(QSCRIPT.Buffer(), n == 3 ? "Bottom" : "Top");
    QSCRIPTF.SCALE.Set(QSCRIPT.Buffer(), n * 0.5);
    QSCRIPTF.COLS.Set(QSCRIPT.Buffer(), n);
    QSCRIPT.Add();
  }
  ASSERT_GT(WRITEQUEUE(QSCRIPT, Path("Script.dat")), 0);
  QSCRIPT.Free();
  EXPECT_EQ(Load(), (Lines{"Error Reading VExtensions.dat", "Error Reading AExtensions.dat"}));
  ASSERT_EQ(QSCRIPT.Records(), kLayoutRows);
  EXPECT_EQ(Row(1, "ALIGN"), "Top");
  for (uint32_t n = 3; n <= kLayoutRows; ++n) {
    EXPECT_EQ(Row(n, "ALIGN"), "Bottom") << n;
    EXPECT_EQ(Row(n, "SCALE"), "1.5") << n;
    EXPECT_EQ(Row(n, "COLS"), "3") << n;
    EXPECT_EQ(Row(n, "NR"), std::to_string(n));
    EXPECT_EQ(Row(n, "DIR"), std::to_string(n + 1));
  }
}

TEST_F(IniFile, KeysFixedOnReading) {
  struct Case {
    const char* section;
    const char* key;
    const char* stored;
    std::function<int()> loaded;
    int expected;
  };
  const Case cases[] = {
      {"EXPLORER", "ExpFontSize", "20", [] { return ST.EXPFONTSIZE; }, 8},
      {"EXPLORER", "ExpFontSize", "7", [] { return ST.EXPFONTSIZE; }, 8},
      {"EXPLORER", "ExpFontSize", "12", [] { return ST.EXPFONTSIZE; }, 12},
      {"EXPLORER", "ExpFontSize", "16", [] { return ST.EXPFONTSIZE; }, 16},
      {"EXPLORER", "Resize", "5", [] { return ST.RESIZEIMAGE; }, 5},
      {"EXPLORER", "Resize", "0", [] { return ST.RESIZEIMAGE; }, 4},
      {"EXPLORER", "Resize", "3", [] { return ST.RESIZEIMAGE; }, 7},
      {"EXPLORER", "Resize", "x", [] { return ST.RESIZEIMAGE; }, 4},
      {"MAIN", "BackGround", "258", [] { return ST.BACKGROUND; }, 2},  // a BYTE keeps its low 8 bits
      {"CATALOG", "CatBkGrnd", "1|2|3|4|1", [] { return ST.CATBG.W; }, 3},
      {"CATALOG", "CatBkGrnd", "1|2", [] { return ST.CATBG.H; }, 0},
      {"CATALOG", "CatBkGrnd", "1|2|65539", [] { return ST.CATBG.W; }, 3},  // a SHORT its low 16
  };
  for (const Case& c : cases) {
    RESETSTATE();
    INIPATH = folder_.path().string() + "/";
    WriteText("Orvid.INI", std::string("[") + c.section + "]\n" + c.key + "=" + c.stored + "\n");
    Load();
    EXPECT_EQ(c.loaded(), c.expected) << c.key << "=" << c.stored;
  }
}

TEST_F(IniFile, AFontSizeOfTwelveIsWrittenBackAsTwelve) {
  WriteText("Orvid.INI", "[EXPLORER]\nExpFontSize=12\n");
  Load();
  Save();
  EXPECT_NE(ReadText("Orvid.INI").find("\nExpFontSize=12\n"), std::string::npos);  // the line as it stood
}

TEST_F(IniFile, ARootWithBlanksKeepsThemInsideItsQuotes) {
  Load();
  ROOTDIR = "  D:\\My Films  ";
  Save();
  EXPECT_NE(ReadText("Orvid.INI").find("Root=\"  D:\\My Films\"\r\n"), std::string::npos);
  RESETSTATE();
  INIPATH = folder_.path().string() + "/";
  Load();
  EXPECT_EQ(ROOTDIR, "  D:\\My Films");
}

TEST_F(IniFile, ABarInTheIconNameShiftsTheOtherItems) {
  Load();
  ST.ACR = {"fol|der", "Smaller", 1, "Bicubic", 400, 600};
  Save();
  RESETSTATE();
  INIPATH = folder_.path().string() + "/";
  Load();
  EXPECT_EQ(ST.ACR.NAME, "fol");
  EXPECT_EQ(ST.ACR.RESIZE, "der");
  EXPECT_EQ(ST.ACR.KEEPAR, 0);  // "Smaller" is no number
  EXPECT_EQ(ST.ACR.FILTER, "1");
  EXPECT_EQ(ST.ACR.WIDTH, 0);  // "Bicubic"
  EXPECT_EQ(ST.ACR.HEIGHT, 400);
}

// Every key with a value of its own, saved and loaded again.
void FillEveryKey() {
  ST.CAT1 = {"Top", 1, 2, 1.25, 3, 4, 5, 6, -7, "Normal"};
  ST.CAT2 = {"Bot", 11, 12, 0.5, 13, 14, 15, 16, 17, "Small"};
  ST.CATBG = {21, 22, 23, 24, 1};
  ST.ACR = {"folder", "Smaller", 1, "Bicubic", 400, 600};
  ST.ABR.NAME = "fanart";
  ST.ABR.RESIZE = "Both";
  ST.ABR.KEEPAR = 0;
  ST.ABR.FILTER = "Fast";
  ST.ABR.WIDTH = 1920;
  ST.ABR.HEIGHT = 1080;
  ST.ABR.DFX = 31;
  ST.ABR.DFY = 32;
  ST.ABR.DFW = 1280;
  ST.ABR.DFH = 720;
  ST.DELAC = 1;
  ST.EXPFONTSIZE = 11;
  ST.CONFIRMDELETE = 1;
  ST.RESIZEIMAGE = 6;
  ST.STRIPALPHA = 1;
  ST.BACKGROUND = 2;
  for (uint8_t* o : {&RMC, &DOICCONV, &AUTOICRESIZE, &DOBGCONV, &AUTOBGRESIZE, &DELSCRIPT, &UPDSCRIPT, &PROCESSV,
                     &DOINDEXV, &REMEMPTYV, &PROCESSA, &DOINDEXA, &REMEMPTYA}) {
    *o = 1;
  }
  ROOTDIR = "D:\\Media";
  EWPOS = "10,20,600,400";
  LPPATH = "C:\\Left\\";
  RPPATH = "D:\\Right\\";
  MWPOS = "1,2,678,432";
  for (const char* name : {"$RECYCLE.BIN", "_CATVIDEO"}) {
    QNOSCANF.FNAME.Set(QNOSCAN.Buffer(), name);
    QNOSCAN.Add();
  }
}

TEST_F(IniFile, EveryKeySurvivesASaveAndALoad) {
  Load();
  FillEveryKey();
  EXPECT_EQ(Save(), Lines{});
  RESETSTATE();
  INIPATH = folder_.path().string() + "/";
  EXPECT_EQ(Load(), Lines{});
  SETTINGSGROUP loaded = ST;
  std::string noScan = QNOSCANF.FNAME(*QNOSCAN.Peek(1)) + "," + QNOSCANF.FNAME(*QNOSCAN.Peek(2));
  std::array<uint8_t, 13> options{RMC,      DOICCONV,  AUTOICRESIZE, DOBGCONV, AUTOBGRESIZE, DELSCRIPT, UPDSCRIPT,
                                  PROCESSV, DOINDEXV, REMEMPTYV,    PROCESSA, DOINDEXA,     REMEMPTYA};
  std::array<std::string, 5> paths{ROOTDIR, EWPOS, LPPATH, RPPATH, MWPOS};
  RESETSTATE();
  FillEveryKey();
  EXPECT_EQ(loaded.CAT1.ALLIGN, ST.CAT1.ALLIGN);
  EXPECT_EQ(loaded.CAT1.SCALE, ST.CAT1.SCALE);
  EXPECT_EQ(loaded.CAT1.TEXTBOT, ST.CAT1.TEXTBOT);
  EXPECT_EQ(loaded.CAT1.FSIZE, ST.CAT1.FSIZE);
  EXPECT_EQ(loaded.CAT2.DX, ST.CAT2.DX);
  EXPECT_EQ(loaded.CAT2.SCALE, ST.CAT2.SCALE);
  EXPECT_EQ(loaded.CATBG.H, ST.CATBG.H);
  EXPECT_EQ(loaded.CATBG.ACT, ST.CATBG.ACT);
  EXPECT_EQ(loaded.ACR.NAME, ST.ACR.NAME);
  EXPECT_EQ(loaded.ACR.FILTER, ST.ACR.FILTER);
  EXPECT_EQ(loaded.ACR.HEIGHT, ST.ACR.HEIGHT);
  EXPECT_EQ(loaded.ABR.RESIZE, ST.ABR.RESIZE);
  EXPECT_EQ(loaded.ABR.DFW, ST.ABR.DFW);
  EXPECT_EQ(loaded.ABR.DFH, ST.ABR.DFH);
  EXPECT_EQ(loaded.DELAC, ST.DELAC);
  EXPECT_EQ(loaded.EXPFONTSIZE, ST.EXPFONTSIZE);
  EXPECT_EQ(loaded.CONFIRMDELETE, ST.CONFIRMDELETE);
  EXPECT_EQ(loaded.RESIZEIMAGE, ST.RESIZEIMAGE);
  EXPECT_EQ(loaded.STRIPALPHA, ST.STRIPALPHA);
  EXPECT_EQ(loaded.BACKGROUND, ST.BACKGROUND);
  EXPECT_EQ(noScan, "$RECYCLE.BIN,_CATVIDEO");
  for (uint8_t o : options) EXPECT_EQ(o, 1);
  EXPECT_EQ(paths, (std::array<std::string, 5>{ROOTDIR, EWPOS, LPPATH, RPPATH, MWPOS}));
}

TEST_F(IniFile, ASaveWritesTheKeysInTheirOrder) {
  Load();
  FillEveryKey();
  Save();
  EXPECT_EQ(ReadText("Orvid.INI"),
            "[CATALOG]\r\n"
            "Catalog1=Top|1|2|1.25|3|4|5|6|-7|Normal\r\n"
            "Catalog2=Bot|11|12|0.5|13|14|15|16|17|Small\r\n"
            "CatBkGrnd=21|22|23|24|1\r\n"
            "[PROCESS]\r\n"
            "NoScan=$RECYCLE.BIN\xFE_CATVIDEO\r\n"
            "AutoRSIcon=folder|Smaller|1|Bicubic|400|600\r\n"
            "AutoRSBack=fanart|Both|0|Fast|1920|1080|31|32|1280|720\r\n"
            "Root=\"D:\\Media\"\r\n"
            "DelAfterConv=1\r\n"
            "Replace=1\r\n"
            "DoICConv=1\r\n"
            "AutoICResize=1\r\n"
            "DoBGConv=1\r\n"
            "AutoBGResize=1\r\n"
            "DelScript=1\r\n"
            "UpdScript=1\r\n"
            "ProcessV=1\r\n"
            "MakeIndexV=1\r\n"
            "RemEmptyV=1\r\n"
            "ProcessA=1\r\n"
            "MakeIndexA=1\r\n"
            "RemEmptyA=1\r\n"
            "[EXPLORER]\r\n"
            "ExpFontSize=11\r\n"
            "ConfirmDel=1\r\n"
            "Resize=6\r\n"
            "StripAlpha=1\r\n"
            "ExplWinPos=10,20,600,400\r\n"
            "LPPath=C:\\Left\\\r\n"
            "RPPath=D:\\Right\\\r\n"
            "[MAIN]\r\n"
            "BackGround=2\r\n"
            "MainWinPos=1,2,678,432\r\n");
}

TEST_F(IniFile, ASettingsFileThatCannotBeWrittenIsReportedOnce) {
  Load();
  fs::create_directory(Path("Orvid.INI"));  // a folder in the file's place
  EXPECT_EQ(Save(), Lines{"Error Writing Orvid.INI"});
  EXPECT_TRUE(fs::exists(Path("Script.dat")));
}

TEST_F(IniFile, ADataFileThatCannotBeWrittenIsReportedAndTheOthersAreSaved) {
  Load();
  fs::create_directory(Path("VExtensions.dat"));
  EXPECT_EQ(Save(), Lines{"Error Writing\tVExtensions.dat"});
  EXPECT_TRUE(fs::exists(Path("Script.dat")));
  EXPECT_TRUE(fs::exists(Path("AExtensions.dat")));
  EXPECT_TRUE(fs::exists(Path("Orvid.INI")));
}

}  // namespace
