// Pictures whose names stand on disk in another case than the settings': the folder file and
// the catalog entries name them as they stand, and a conversion into one replaces it under
// its own name.
#include <gtest/gtest.h>

#include <cctype>
#include <set>

#include "DialogAnswers.h"
#include "PassFixture.h"
#include "zqtest/FileBytes.h"

namespace {

using orvid::test::DialogWatcher;
using zqtest::media_tree_detail::Put;

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// The names in the folder that read name without regard to case.
std::vector<std::string> NamesAnyCase(const fs::path& folder, const std::string& name) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(folder))
    if (Lower(e.path().filename().string()) == name) names.push_back(e.path().filename().string());
  return names;
}

// Every file below root but the pictures and the folder files, with its bytes.
std::map<std::string, std::string> Media(const fs::path& root) {
  std::map<std::string, std::string> files = Contents(root);
  std::erase_if(files, [](const auto& e) {
    const std::string name = Lower(fs::path(e.first).filename().string());
    return name.starts_with("folder.") || name.starts_with("background.") || name == "dune_folder.txt";
  });
  return files;
}

class NamesOnDisk : public PassFixture {};

TEST_F(NamesOnDisk, LinksNameThePicturesAsTheyStandAndAConversionKeepsTheOldFilesName) {
  struct Case {
    std::vector<std::pair<std::string, fs::path>> pictures;  // names in the film's folder
    std::string icon, background;                             // the AAI names afterwards
    std::string iconSize;                                     // the icon as ImageMagick reads it
  };
  const fs::path& aai = Pictures().aai;
  const Case cases[] = {
      {{{"Folder.AAI", aai}}, "Folder.AAI", "", "300 450"},
      {{{"FOLDER.aai", aai}, {"Background.AAI", aai}}, "FOLDER.aai", "Background.AAI", "300 450"},
      // Converted into the old AAI files of another case.
      {{{"folder.jpg", Pictures().cover}, {"Folder.AAI", aai}}, "Folder.AAI", "", "400 600"},
      {{{"Folder.Jpg", Pictures().cover}, {"folder.AAI", aai}, {"background.png", Pictures().background},
        {"BACKGROUND.aai", aai}},
       "folder.AAI", "BACKGROUND.aai", "400 600"},
  };
  RMC = 0;
  for (const Case& c : cases) {
    fs::remove_all(Root());
    fs::create_directories(Root());
    const fs::path film = Root() / "Films/Alien";
    Put(film / "Alien.mkv", 1500);
    Put(film / "Alien.nfo", 30);
    for (const auto& [name, picture] : c.pictures) fs::copy_file(picture, film / name);
    const auto media = Media(Root() / "Films");
    Scan();
    DialogWatcher answers;
    Pass();
    EXPECT_EQ(answers.Errors(), std::vector<std::string>{}) << c.icon;

    EXPECT_EQ(NamesAnyCase(film, "folder.aai"), std::vector<std::string>{c.icon});
    EXPECT_EQ(SizeByImageMagick(film / c.icon), c.iconSize) << c.icon;
    std::string text = "icon_path         = " + c.icon +
                       "\r\nicon_valign       = center\r\nicon_scale_factor = 1\r\nmedia_url         = Alien.mkv\r\n";
    if (!c.background.empty()) {
      EXPECT_EQ(NamesAnyCase(film, "background.aai"), std::vector<std::string>{c.background});
      text += "\r\nbackground_path   = " + c.background +
              "\r\nbackground_x      = 0\r\nbackground_y      = 0\r\nbackground_width  = 1920\r\n"
              "background_height = 1080\r\n";
    }
    EXPECT_EQ(zqtest::FileBytes(film / "dune_folder.txt"), text);
    const std::string entry = "icon_path = ../../../Films/Alien/" + c.icon +
                              "\r\nicon_valign = center\r\nmedia_url = ../../../Films/Alien/Alien.mkv\r\n";
    EXPECT_EQ(zqtest::FileBytes(Root() / "_CatVideo/A/Alien/dune_folder.txt"), entry);
    EXPECT_EQ(zqtest::FileBytes(Root() / "_CatVideo/(All)/Alien/dune_folder.txt"), entry);

    EXPECT_EQ(Media(Root() / "Films"), media) << c.icon;
  }
}

// Names the Windows view cannot hold exactly ("Twin " beside "Twin", a lone "Solo ", "Film.mkv "
// beside "Film.mkv") are left out and listed; a scan and a whole pass reach only the names as
// they stand: no folder twice, no catalog entry twice, no link to a file that is not there.
TEST_F(NamesOnDisk, NamesNotHeldExactlyAreLeftOutAndTheirNeighboursAreProcessedOnce) {
  Put(Root() / "Films/Twin/Twin.mkv", 1000);
  Put(Root() / "Films/Twin /Other.mkv", 2000);
  Put(Root() / "Films/Solo /Solo.mkv", 3000);
  Put(Root() / "Films/Film/Film.mkv", 4000);
  Put(Root() / "Films/Film/Film.mkv ", 5000);
  const auto before = Tree(Root());
  Scan();
  DialogWatcher answers;
  Pass();
  EXPECT_EQ(answers.Errors(), std::vector<std::string>{});

  EXPECT_EQ(zqtest::FileBytes(home_ / "ScanLeftOut.txt"),
            "3 entries left out of the scan of T:\\\r\n"
            "Name Windows cannot hold\tT:\\Films\\Film\\Film.mkv \r\n"
            "Name Windows cannot hold\tT:\\Films\\Solo \r\n"
            "Name Windows cannot hold\tT:\\Films\\Twin \r\n");
  std::set<std::string> folders;
  for (uint32_t i = 1; i <= QDIR.Records(); ++i) {
    const zq::rt::Record r = *QDIR.Peek(i);
    if (QDIRF.SCRIPT(r) != 1) continue;
    EXPECT_TRUE(folders.insert(QDIRF.DIRNAME(r)).second) << QDIRF.DIRNAME(r);
  }
  EXPECT_EQ(folders, (std::set<std::string>{"T:\\", "T:\\Films", "T:\\Films\\Film", "T:\\Films\\Twin"}));
  std::vector<std::pair<std::string, double>> media;
  for (uint32_t i = 1; i <= MFQ.Records(); ++i) media.emplace_back(MFQF.MNAME(*MFQ.Peek(i)), MFQF.RSIZE(*MFQ.Peek(i)));
  EXPECT_EQ(media, (std::vector<std::pair<std::string, double>>{{"Film.mkv", 4000}, {"Twin.mkv", 1000}}));

  // What stood on disk keeps its bytes; the odd names' trees gain nothing.
  const auto after = Tree(Root());
  for (const auto& [path, entry] : before) EXPECT_EQ(after.count(path) ? after.at(path) : "gone", entry) << path;
  std::set<std::string> added;
  for (const auto& [path, entry] : after)
    if (!before.count(path)) added.insert(path);
  for (const std::string& path : added) {
    EXPECT_FALSE(path.starts_with("Films/Twin /") || path.starts_with("Films/Solo /")) << path;
    EXPECT_EQ(path.find("(2)"), std::string::npos) << path;
  }
  EXPECT_TRUE(added.count("Films/Film/dune_folder.txt"));
  EXPECT_TRUE(added.count("Films/Twin/dune_folder.txt"));
  EXPECT_EQ(zqtest::FileBytes(Root() / "Films/Film/dune_folder.txt").find("media_url         = Film.mkv\r\n") !=
                std::string::npos,
            true);
  std::set<std::string> entries;
  for (const auto& e : fs::directory_iterator(Root() / "_CatVideo/(All)")) {
    if (!e.is_directory()) continue;
    entries.insert(e.path().filename().string());
    const std::string text = zqtest::FileBytes(e.path() / "dune_folder.txt");
    EXPECT_TRUE(fs::is_regular_file(e.path() / RDFI(text, "media_url"))) << e.path();
  }
  EXPECT_EQ(entries, (std::set<std::string>{"Film", "Twin"}));
}

}  // namespace
