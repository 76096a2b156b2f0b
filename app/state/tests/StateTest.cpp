#include <gtest/gtest.h>

#include <tuple>

#include "app/State.h"

TEST(ProgramState, ThreadParametersKeepTheirWholeWidth) {
  EXPECT_EQ(T1GROUPTYPE().Size(), 260u);
  EXPECT_EQ(T2GROUPTYPE().Size(), sizeof(void*) + 4);
  T2GROUPF.QDIR.Set(T2GROUP, &QDIR);
  T2GROUPF.THREADNR.Set(T2GROUP, 77);
  zq::rt::Record copy(SharedLayout(T2GROUPTYPE()));
  copy.AssignBytes(T2GROUP.Bytes());
  EXPECT_EQ(T2GROUPF.QDIR(copy), &QDIR);
  EXPECT_EQ(T2GROUPF.THREADNR(copy), 77);
}

TEST(ProgramState, StartsEmptyAndResetsToTheStart) {
  RESETSTATE();
  for (zq::rt::Queue* q : {&QDIR, &MFQ, &QSCRIPT, &VEXTENSIONS, &AEXTENSIONS, &QNOSCAN}) EXPECT_EQ(q->Records(), 0u);
  EXPECT_TRUE(ST.Get().CAT1.ALLIGN.empty());
  EXPECT_EQ(DEEPSCAN, 0);
  QDIRF.NAME.Set(QDIR.Buffer(), "Alien");
  QDIR.Add();
  DEEPSCAN = 1;
  ABORTALL = 1;
  ROOTDIR.Set("D:\\Films");
  RESETSTATE();
  EXPECT_EQ(QDIR.Records(), 0u);
  EXPECT_EQ(DEEPSCAN, 0);
  EXPECT_EQ(ABORTALL, 0);
  EXPECT_TRUE(ROOTDIR.Get().empty());
}

TEST(ProgramState, LayoutsNameTheFieldsTheProceduresUse) {
  EXPECT_EQ(QDIRF.NAME.Number(), kQDirName);
  EXPECT_EQ(QDIRF.ICON.Number(), kQDirIcon);
  EXPECT_EQ(QDIRF.LEVEL.Number(), kQDirLevel);
  EXPECT_EQ(QDIRTYPE().FieldCount(), 18u);
  EXPECT_EQ(MFQTYPE().FieldCount(), 9u);
  EXPECT_EQ(QSCRIPTTYPE().FieldCount(), 14u);
  EXPECT_EQ(VEXTTYPE().FieldCount(), 3u);
  EXPECT_EQ(QNOSCANTYPE().FieldCount(), 1u);
}

TEST(ProgramState, LayoutsKeepTheirRecordSizes) {
  const std::pair<const zq::rt::RecordLayout*, uint32_t> sizes[] = {
      {&QDIRTYPE(), 1041}, {&MFQTYPE(), 851},    {&QSCRIPTTYPE(), 60}, {&VEXTTYPE(), 75},
      {&AEXTTYPE(), 97},   {&QNOSCANTYPE(), 64}, {&T1GROUPTYPE(), 260}};
  for (const auto& [layout, size] : sizes) EXPECT_EQ(layout->Size(), size);
}

TEST(ProgramState, TheFieldCheckNamesAMisspeltField) {
  struct Misspelt : zq::rt::RecordView {
    Misspelt() : RecordView(QDIRTYPE()) {}
    zq::rt::WholeField DFNEXT{*this, "DFNEXT"};
    zq::rt::WholeField DFNXT{*this, "DFNXT"};
    zq::rt::TextField MTYPE{*this, "MTYPE"};  // a number, not a text
  } misspelt;
  EXPECT_EQ(UNBOUNDFIELDS({{"QDIR", &QDIRF}, {"BAD", &misspelt}}), "BAD.DFNXT, BAD.MTYPE");
  zq::rt::Record r(SharedLayout(QDIRTYPE()));
  EXPECT_FALSE(misspelt.DFNXT.Set(r, 1));
  EXPECT_TRUE(misspelt.DFNEXT.Set(r, 1));
  EXPECT_EQ(QDIRF.DFNEXT(r), 1);
}

TEST(ProgramState, MediaCodesKeepTheirStoredNumbers) {
  zq::rt::Record folder(SharedLayout(QDIRTYPE()));
  const std::pair<FolderMedia, int64_t> kinds[] = {{FolderMedia::None, 0},          {FolderMedia::BluRayRip, 1},
                                                   {FolderMedia::DvdRip, 2},        {FolderMedia::OneVideo, 3},
                                                   {FolderMedia::SeveralVideos, 4}, {FolderMedia::Audio, 10}};
  for (const auto& [kind, stored] : kinds) {
    QDIRF.MTYPE.Set(folder, kind);
    EXPECT_EQ(folder.Whole(QDIRF.MTYPE.Number()), stored);
  }
  zq::rt::Record medium(SharedLayout(MFQTYPE()));
  const std::pair<MediumType, int64_t> types[] = {{MediumType::Unknown, 0},   {MediumType::BdRip, 1},
                                                  {MediumType::DvdRip, 2},    {MediumType::VideoFile, 3},
                                                  {MediumType::MusicFile, 4}};
  for (const auto& [type, stored] : types) {
    MFQF.MTYPE.Set(medium, type);
    EXPECT_EQ(medium.Whole(MFQF.MTYPE.Number()), stored);
  }
}

TEST(ProgramState, MediaKindsAnswerTheirPredicatesAndTexts) {
  const std::tuple<FolderMedia, bool, bool> folders[] = {
      {FolderMedia::None, false, false},         {FolderMedia::BluRayRip, true, false},
      {FolderMedia::DvdRip, true, false},        {FolderMedia::OneVideo, true, false},
      {FolderMedia::SeveralVideos, true, false}, {FolderMedia{5}, false, false},
      {FolderMedia::Audio, false, true}};
  for (const auto& [kind, video, audio] : folders) {
    EXPECT_EQ(IsVideoFolder(kind), video) << static_cast<int>(kind);
    EXPECT_EQ(IsAudioFolder(kind), audio) << static_cast<int>(kind);
  }
  const std::pair<MediumType, std::string_view> types[] = {{MediumType::Unknown, "Unknown"},
                                                           {MediumType::BdRip, "BD-Rip"},
                                                           {MediumType::DvdRip, "DVD-Rip"},
                                                           {MediumType::VideoFile, "Video-File"},
                                                           {MediumType::MusicFile, "Music-File"}};
  for (const auto& [type, text] : types) {
    EXPECT_EQ(MediumTypeText(type), text);
    EXPECT_EQ(MediumTypeOfText(text), type);
  }
  EXPECT_EQ(MediumTypeText(MediumType{9}), "Unknown");
  for (std::string_view other : {"", "bd-rip", "BD-Rip ", "Video"}) {
    EXPECT_EQ(MediumTypeOfText(other), MediumType::Unknown);
  }
  EXPECT_EQ(CategoryLetter(MediaCategory::Video), "V");
  EXPECT_EQ(CategoryLetter(MediaCategory::Audio), "A");
  EXPECT_EQ(CategoryLetter(MediaCategory::Unknown), "U");
}
