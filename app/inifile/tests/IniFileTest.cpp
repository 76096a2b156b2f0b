// The settings file and the data files: loading, the edge cases of their keys, a round trip of
// every key and the file a save writes.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>

#include "DialogAnswers.h"
#include "app/IniFile.h"
#include "app/State.h"
#include "hostlib/QueueFiles.h"
#include "zqtest/FileBytes.h"
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
  std::string ReadText(const std::string& name) const { return zqtest::FileBytes(Path(name)); }
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
  EXPECT_EQ(ST.Get().CAT1.ALLIGN, "Center");
  EXPECT_EQ(ST.Get().CAT1.FSIZE, "Small");
  EXPECT_EQ(ST.Get().CAT2.ALLIGN, "Center");
  EXPECT_EQ(ST.Get().CAT2.FSIZE, "Small");
  EXPECT_EQ(ST.Get().EXPFONTSIZE, 8);
  EXPECT_EQ(ST.Get().RESIZEIMAGE, 4);
  EXPECT_EQ(ST.Get().BACKGROUND, 0);
  EXPECT_TRUE(ROOTDIR.Get().empty());
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
      {"EXPLORER", "ExpFontSize", "20", [] { return ST.Get().EXPFONTSIZE; }, 8},
      {"EXPLORER", "ExpFontSize", "7", [] { return ST.Get().EXPFONTSIZE; }, 8},
      {"EXPLORER", "ExpFontSize", "12", [] { return ST.Get().EXPFONTSIZE; }, 12},
      {"EXPLORER", "ExpFontSize", "16", [] { return ST.Get().EXPFONTSIZE; }, 16},
      {"EXPLORER", "Resize", "5", [] { return ST.Get().RESIZEIMAGE; }, 5},
      {"EXPLORER", "Resize", "0", [] { return ST.Get().RESIZEIMAGE; }, 4},
      {"EXPLORER", "Resize", "3", [] { return ST.Get().RESIZEIMAGE; }, 7},
      {"EXPLORER", "Resize", "x", [] { return ST.Get().RESIZEIMAGE; }, 4},
      {"MAIN", "BackGround", "258", [] { return ST.Get().BACKGROUND; }, 2},  // a BYTE keeps its low 8 bits
      {"CATALOG", "CatBkGrnd", "1|2|3|4|1", [] { return ST.Get().CATBG.W; }, 3},
      {"CATALOG", "CatBkGrnd", "1|2", [] { return ST.Get().CATBG.H; }, 0},
      {"CATALOG", "CatBkGrnd", "1|2|65539", [] { return ST.Get().CATBG.W; }, 3},  // a SHORT its low 16
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
  ROOTDIR.Set("  D:\\My Films  ");
  Save();
  EXPECT_NE(ReadText("Orvid.INI").find("Root=\"  D:\\My Films\"\r\n"), std::string::npos);
  RESETSTATE();
  INIPATH = folder_.path().string() + "/";
  Load();
  EXPECT_EQ(ROOTDIR.Get(), "  D:\\My Films");
}

TEST_F(IniFile, ABarInTheIconNameShiftsTheOtherItems) {
  Load();
  ST.Change([&](SETTINGSGROUP& st) { st.ACR = {"fol|der", "Smaller", 1, "Bicubic", 400, 600}; });
  Save();
  RESETSTATE();
  INIPATH = folder_.path().string() + "/";
  Load();
  EXPECT_EQ(ST.Get().ACR.NAME, "fol");
  EXPECT_EQ(ST.Get().ACR.RESIZE, "der");
  EXPECT_EQ(ST.Get().ACR.KEEPAR, 0);  // "Smaller" is no number
  EXPECT_EQ(ST.Get().ACR.FILTER, "1");
  EXPECT_EQ(ST.Get().ACR.WIDTH, 0);  // "Bicubic"
  EXPECT_EQ(ST.Get().ACR.HEIGHT, 400);
}

// Every key with a value of its own, saved and loaded again.
void FillEveryKey() {
  ST.Change([&](SETTINGSGROUP& st) {
    st.CAT1 = {"Top", 1, 2, 1.25, 3, 4, 5, 6, -7, "Normal"};
    st.CAT2 = {"Bot", 11, 12, 0.5, 13, 14, 15, 16, 17, "Small"};
    st.CATBG = {21, 22, 23, 24, 1};
    st.ACR = {"folder", "Smaller", 1, "Bicubic", 400, 600};
    st.ABR.NAME = "fanart";
    st.ABR.RESIZE = "Both";
    st.ABR.KEEPAR = 0;
    st.ABR.FILTER = "Fast";
    st.ABR.WIDTH = 1920;
    st.ABR.HEIGHT = 1080;
    st.ABR.DFX = 31;
    st.ABR.DFY = 32;
    st.ABR.DFW = 1280;
    st.ABR.DFH = 720;
    st.DELAC = 1;
    st.EXPFONTSIZE = 11;
    st.CONFIRMDELETE = 1;
    st.RESIZEIMAGE = 6;
    st.STRIPALPHA = 1;
    st.BACKGROUND = 2;
  });
  for (uint8_t* o : {&RMC, &DOICCONV, &AUTOICRESIZE, &DOBGCONV, &AUTOBGRESIZE, &DELSCRIPT, &UPDSCRIPT, &PROCESSV,
                     &DOINDEXV, &REMEMPTYV, &PROCESSA, &DOINDEXA, &REMEMPTYA}) {
    *o = 1;
  }
  ROOTDIR.Set("D:\\Media");
  EWPOS = "10,20,600,400";
  LPPATH.Set("C:\\Left\\");
  RPPATH.Set("D:\\Right\\");
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
  SETTINGSGROUP loaded = ST.Get();
  std::string noScan = QNOSCANF.FNAME(*QNOSCAN.Peek(1)) + "," + QNOSCANF.FNAME(*QNOSCAN.Peek(2));
  std::array<uint8_t, 13> options{RMC,      DOICCONV,  AUTOICRESIZE, DOBGCONV, AUTOBGRESIZE, DELSCRIPT, UPDSCRIPT,
                                  PROCESSV, DOINDEXV, REMEMPTYV,    PROCESSA, DOINDEXA,     REMEMPTYA};
  std::array<std::string, 5> paths{ROOTDIR.Get(), EWPOS, LPPATH.Get(), RPPATH.Get(), MWPOS};
  RESETSTATE();
  FillEveryKey();
  EXPECT_EQ(loaded.CAT1.ALLIGN, ST.Get().CAT1.ALLIGN);
  EXPECT_EQ(loaded.CAT1.SCALE, ST.Get().CAT1.SCALE);
  EXPECT_EQ(loaded.CAT1.TEXTBOT, ST.Get().CAT1.TEXTBOT);
  EXPECT_EQ(loaded.CAT1.FSIZE, ST.Get().CAT1.FSIZE);
  EXPECT_EQ(loaded.CAT2.DX, ST.Get().CAT2.DX);
  EXPECT_EQ(loaded.CAT2.SCALE, ST.Get().CAT2.SCALE);
  EXPECT_EQ(loaded.CATBG.H, ST.Get().CATBG.H);
  EXPECT_EQ(loaded.CATBG.ACT, ST.Get().CATBG.ACT);
  EXPECT_EQ(loaded.ACR.NAME, ST.Get().ACR.NAME);
  EXPECT_EQ(loaded.ACR.FILTER, ST.Get().ACR.FILTER);
  EXPECT_EQ(loaded.ACR.HEIGHT, ST.Get().ACR.HEIGHT);
  EXPECT_EQ(loaded.ABR.RESIZE, ST.Get().ABR.RESIZE);
  EXPECT_EQ(loaded.ABR.DFW, ST.Get().ABR.DFW);
  EXPECT_EQ(loaded.ABR.DFH, ST.Get().ABR.DFH);
  EXPECT_EQ(loaded.DELAC, ST.Get().DELAC);
  EXPECT_EQ(loaded.EXPFONTSIZE, ST.Get().EXPFONTSIZE);
  EXPECT_EQ(loaded.CONFIRMDELETE, ST.Get().CONFIRMDELETE);
  EXPECT_EQ(loaded.RESIZEIMAGE, ST.Get().RESIZEIMAGE);
  EXPECT_EQ(loaded.STRIPALPHA, ST.Get().STRIPALPHA);
  EXPECT_EQ(loaded.BACKGROUND, ST.Get().BACKGROUND);
  EXPECT_EQ(noScan, "$RECYCLE.BIN,_CATVIDEO");
  for (uint8_t o : options) EXPECT_EQ(o, 1);
  EXPECT_EQ(paths, (std::array<std::string, 5>{ROOTDIR.Get(), EWPOS, LPPATH.Get(), RPPATH.Get(), MWPOS}));
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
