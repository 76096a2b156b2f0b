// The pass with every option on over the media tree, scanned first: the folder files, the
// AAI pictures as ImageMagick reads them, the catalogs, and the media untouched.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "DialogAnswers.h"
#include "PassFixture.h"
#include "app/FolderFile.h"
#include "zqtest/FileBytes.h"

namespace {

using orvid::test::DialogWatcher;

// A line of the padded form.
std::string Line(const std::string& key, const std::string& value) {
  return key + std::string(17 - key.size(), ' ') + " = " + value + "\r\n";
}

bool HasBytes(const fs::path& file) { return fs::is_regular_file(file) && fs::file_size(file) > 0; }

// The name as it stands on disk of a file of the folder with bytes, found by its name in any
// letter case as the disk's Windows view finds it; empty when there is none.
std::string NameAnyCase(const fs::path& folder, const std::string& name) {
  auto lower = [](std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
  };
  for (const auto& e : fs::directory_iterator(folder))
    if (lower(e.path().filename().string()) == lower(name) && HasBytes(e.path())) return e.path().filename().string();
  return {};
}

// The folder's file as the rules say, from its record after the pass and the default layout
// rows of a fresh program folder (level 1: 6 columns and 3 rows, deeper 5 and 2).
std::string ExpectedFolderFile(const zq::rt::Record& r, const fs::path& folder) {
  std::string icon, view, background;
  const std::string iconName = NameAnyCase(folder, "folder.aai");
  if (QDIRF.DFCUR(r) != 0 && !iconName.empty()) {
    icon = Line("icon_path", iconName) + Line("icon_valign", "center") + Line("icon_scale_factor", "1");
    if (QDIRF.MTYPE(r) == FolderMedia::OneVideo) icon += Line("media_url", TrimmedText(QDIRF.MNAME(r)));
  }
  if (QDIRF.DFNEXT(r) != 0) {
    const bool first = QDIRF.LEVEL(r) == 1;
    view = Line("use_icon_view", "yes") + Line("num_cols", first ? "6" : "5") + Line("num_rows", first ? "3" : "2") +
           Line("icon_top", "10") + Line("icon_bottom", "10") + Line("caption_font_size", "small");
  }
  const std::string backgroundName = NameAnyCase(folder, "background.aai");
  if (QDIRF.BNACT(r) != 0 && !backgroundName.empty()) {
    background = Line("background_path", backgroundName) + Line("background_x", "0") +
                 Line("background_y", "0") + Line("background_width", "1920") + Line("background_height", "1080");
  }
  std::string text;
  for (const std::string* block : {&icon, &view, &background}) {
    if (block->empty()) continue;
    if (!text.empty()) text += "\r\n";
    text += *block;
  }
  return text;
}

bool IsPictureOrFolderFile(const std::string& relative) {
  const std::string name = fs::path(relative).filename().string();
  std::string lower = name;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower.starts_with("folder.") || lower.starts_with("background.") || lower == "dune_folder.txt" ||
         relative.starts_with("_Cat");
}

std::map<std::string, std::string> Media(const fs::path& root) {
  std::map<std::string, std::string> media = Contents(root);
  std::erase_if(media, [](const auto& entry) { return IsPictureOrFolderFile(entry.first); });
  return media;
}

// The POSIX folder of a record's Windows path below T:.
fs::path PosixOf(const fs::path& root, std::string dirname) {
  dirname = TrimmedText(dirname).substr(3);  // "T:\"
  std::replace(dirname.begin(), dirname.end(), '\\', '/');
  return root / dirname;
}

class PassEndToEnd : public PassFixture {};

TEST_F(PassEndToEnd, EveryOptionOnWritesEachFolderFileByTheRulesConvertsThePicturesAndBuildsBothCatalogs) {
  BuildTree();
  const auto mediaBefore = Media(Root());
  Scan();
  DialogWatcher answers;
  const std::vector<uint32_t> events = Pass();
  EXPECT_EQ(answers.Errors(), std::vector<std::string>{});
  EXPECT_NE(std::find(events.begin(), events.end(), static_cast<uint32_t>(kPassEnded)), events.end());
  EXPECT_EQ(STATUSNOW().PROCSTAT, "Ready.");

  // Every folder of the list: its file byte for byte, none where no block applies.
  int written = 0;
  for (uint32_t i = 1; i <= QDIR.Records(); ++i) {
    const zq::rt::Record r = *QDIR.Peek(i);
    if (QDIRF.SCRIPT(r) == 0) continue;
    const fs::path folder = PosixOf(Root(), QDIRF.DIRNAME(r));
    const std::string expected = ExpectedFolderFile(r, folder);
    if (expected.empty()) {
      EXPECT_FALSE(fs::exists(folder / "dune_folder.txt")) << folder;
    } else {
      EXPECT_EQ(zqtest::FileBytes(folder / "dune_folder.txt"), expected) << folder;
      ++written;
    }
  }
  EXPECT_GE(written, 20);
  EXPECT_EQ(zqtest::FileBytes(Root() / "Films/Alien (1979)/dune_folder.txt"),
            "icon_path         = folder.aai\r\nicon_valign       = center\r\nicon_scale_factor = 1\r\n"
            "media_url         = Alien.mkv\r\n\r\nbackground_path   = background.aai\r\nbackground_x      = 0\r\n"
            "background_y      = 0\r\nbackground_width  = 1920\r\nbackground_height = 1080\r\n");
  EXPECT_EQ(zqtest::FileBytes(Root() / "Films/dune_folder.txt"),
            "icon_path         = folder.aai\r\nicon_valign       = center\r\nicon_scale_factor = 1\r\n\r\n"
            "use_icon_view     = yes\r\nnum_cols          = 5\r\nnum_rows          = 2\r\nicon_top          = 10\r\n"
            "icon_bottom       = 10\r\ncaption_font_size = small\r\n");

  // The icons and backgrounds as ImageMagick reads them: converted ones fitted to 400 x 600
  // (only smaller) and 1920 x 1080 (both ways), copied covers and kept AAI files as they were.
  const std::pair<const char*, const char*> sizes[] = {{"Films/Alien (1979)/folder.aai", "400 600"},
                                                       {"Films/Alien (1979)/background.aai", "1920 1080"},
                                                       {"Films/alien resurrection/folder.aai", "400 225"},
                                                       {"Films/Kill Bill/folder.aai", "400 600"},
                                                       {"Films/千と千尋の神隠し/folder.aai", "400 225"},
                                                       {"Music/Björk - Homogenic/Folder.aai", "300 450"},
                                                       {"Music/Björk - Homogenic/Background.aai", "300 450"},
                                                       {"background.aai", "720 1080"},
                                                       {"Films/Ran (1985)/folder.aai", "240 360"},
                                                       {"Films/Heat [DVD]/folder.aai", "400 600"},
                                                       {"Series/Lost/Season 1/folder.aai", "240 360"},
                                                       {"Films/dune_folder.txt", ""}};
  for (const auto& [file, size] : sizes) {
    if (*size == '\0') continue;
    EXPECT_EQ(SizeByImageMagick(Root() / file), size) << file;
  }
  // The default covers by media kind: an ISO film's extension cover, a series cover.
  EXPECT_EQ(zqtest::FileBytes(Root() / "Films/Ran (1985)/folder.aai"),
            zqtest::FileBytes(fs::path(ORVID_PROGRAM_FOLDER) / "Covers/ISO.aai"));
  EXPECT_EQ(zqtest::FileBytes(Root() / "Series/Lost/Season 1/folder.aai"),
            zqtest::FileBytes(fs::path(ORVID_PROGRAM_FOLDER) / "Covers/Series.aai"));

  // The video catalog: its top folder, the index folders that received entries only, the
  // entries' links leading to the media from the entry folder.
  const fs::path video = Root() / "_CatVideo";
  for (const char* picture : {".Main.aai", ".Back.aai", ".BackS.aai"})
    EXPECT_TRUE(HasBytes(video / picture)) << picture;
  EXPECT_EQ(zqtest::FileBytes(video / ".Main.aai"), zqtest::FileBytes(fs::path(ORVID_PROGRAM_FOLDER) / "Chars/.MainV.aai"));
  EXPECT_EQ(zqtest::FileBytes(video / "dune_folder.txt"),
            "icon_path = .Main.aai\r\nicon_valign = center\r\n\r\nuse_icon_view = yes\r\nnum_cols = 6\r\n"
            "num_rows = 3\r\nicon_top = 10\r\nicon_bottom = 10\r\ncaption_font_size = small\r\ntext_bottom = 0\r\n\r\n"
            "background_path = .Back.aai\r\nbackground_x = 0\r\nbackground_y = 0\r\nbackground_width = 1920\r\n"
            "background_height = 1080\r\n");
  std::set<std::string> indexes;
  for (const auto& e : fs::directory_iterator(video))
    if (e.is_directory()) indexes.insert(e.path().filename().string());
  EXPECT_EQ(indexes, (std::set<std::string>{"(All)", "0", "A", "H", "I", "K", "L", "R", "S", "T"}));
  EXPECT_EQ(zqtest::FileBytes(video / "A/.A.aai"), zqtest::FileBytes(fs::path(ORVID_PROGRAM_FOLDER) / "Chars/.A.aai"));
  EXPECT_EQ(zqtest::FileBytes(video / "A/dune_folder.txt"),
            "icon_path = .A.aai\r\nicon_valign = center\r\n\r\nuse_icon_view = yes\r\nnum_cols = 5\r\n"
            "num_rows = 2\r\nicon_top = 10\r\nicon_bottom = 10\r\ncaption_font_size = small\r\ntext_bottom = 0\r\n\r\n"
            "background_path = ../.BackS.aai\r\nbackground_x = 0\r\nbackground_y = 0\r\nbackground_width = 1920\r\n"
            "background_height = 1080\r\n");
  EXPECT_EQ(zqtest::FileBytes(video / "A/Alien (1979)/dune_folder.txt"),
            "icon_path = ../../../Films/Alien (1979)/folder.aai\r\nicon_valign = center\r\n"
            "media_url = ../../../Films/Alien (1979)/Alien.mkv\r\n");
  EXPECT_EQ(zqtest::FileBytes(video / "I/Inception [BluRay]/dune_folder.txt"),
            "icon_path = ../../../Films/Inception [BluRay]/folder.aai\r\nicon_valign = center\r\n"
            "media_url = ../../../Films/Inception [BluRay]/\r\n");
  int entries = 0;
  for (const fs::path& catalog : {video, Root() / "_CatAudio"}) {
    for (const auto& index : fs::directory_iterator(catalog)) {
      if (!index.is_directory()) continue;
      for (const auto& entry : fs::directory_iterator(index.path())) {
        if (!entry.is_directory()) continue;
        // Read whole: a link may be longer than the editor's 255 characters.
        const std::string text = zqtest::FileBytes(entry.path() / "dune_folder.txt");
        EXPECT_TRUE(HasBytes(entry.path() / RDFI(text, "icon_path"))) << entry.path();
        EXPECT_TRUE(fs::exists(entry.path() / RDFI(text, "media_url"))) << entry.path();
        ++entries;
      }
    }
  }
  EXPECT_EQ(entries, 2 * 13 + 2 * 2);  // 13 video and 2 audio folders, each under its letter and "(All)"
  EXPECT_TRUE(fs::exists(Root() / "_CatAudio/B/Björk - Homogenic/dune_folder.txt"));
  EXPECT_FALSE(fs::exists(Root() / "_CatAudio/(All)/Alien (1979)"));  // the old catalog is gone

  EXPECT_EQ(Media(Root()), mediaBefore);
}

TEST_F(PassEndToEnd, ASecondPassOverAnUnchangedDiskLeavesEveryFileByteIdentical) {
  BuildTree();
  ST.Change([&](SETTINGSGROUP& st) { st.DELAC = 1; });  // the first pass removes the converted pictures; the second has none to convert
  Scan();
  DialogWatcher answers;
  Pass();
  const auto first = Contents(Root());
  EXPECT_FALSE(fs::exists(Root() / "Films/Alien (1979)/folder.jpg"));
  Scan();
  Pass();
  EXPECT_EQ(Contents(Root()), first);
  EXPECT_EQ(answers.Errors(), std::vector<std::string>{});
}

}  // namespace
