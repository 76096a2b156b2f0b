// Media trees for end-to-end tests. BuildMediaTree(folder) fills an empty folder with a
// small but realistic media disk: films as single files and in parts, a Blu-ray rip ("BDMV"),
// a DVD rip ("VIDEO_TS" beside "AUDIO_TS"), an ISO of exactly 8 GiB and an IMG one byte
// smaller (both sparse), a transport stream, series with seasons, music albums, covers and
// backgrounds named "folder" and "background" in mixed case and formats (jpg, png, aai),
// accented and CJK names, an existing catalog ("_CatVideo", "_CatAudio"), a "recycler"
// folder, symbolic links to a parent and to a sibling folder, names Windows cannot hold
// ("..\..\Escape", "Alien.", "AC\DC - Back in Black", "Ran Notes."), and under "Deep" a
// chain whose Windows paths, counted from a drive root mapped to the folder ("T:\"), reach
// exactly 250 bytes for one film and 256 for another, with a sub-folder too long to hold a
// "dune_folder.txt". Every path and size is listed in the code below. BuildBulkTree(folder,
// categories, filmsPerCategory) makes a large regular tree for benchmarks: per category a
// folder with a cover, a background and a note, and per film a folder with a film, a cover
// and a note (200 and 99 give 20,000 folders and 60,000 files).
#pragma once
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

namespace zqtest {

namespace media_tree_detail {

inline void Put(const std::filesystem::path& file, uintmax_t bytes) {
  std::filesystem::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  if (bytes <= 1 << 20) {
    out << std::string(static_cast<size_t>(bytes), 'x');
  } else {
    out.close();
    std::filesystem::resize_file(file, bytes);  // sparse: the size without the blocks
  }
}

inline void PutText(const std::filesystem::path& file, const std::string& text) {
  std::filesystem::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
}

// A folder name of exactly length bytes.
inline std::string NameOfLength(const std::string& stem, size_t length) {
  std::string name;
  while (name.size() < length) name += stem;
  name.resize(length);
  if (name.back() == ' ') name.back() = '_';
  return name;
}

}  // namespace media_tree_detail

// Sizes of the media files, for tests that compare them.
struct MediaTreeSizes {
  static constexpr uintmax_t kAlienMkv = 1500;
  static constexpr uintmax_t kBdmvIndex = 100;
  static constexpr uintmax_t kBdmvStream = 30000;
  static constexpr uintmax_t kVideoTsIfo = 2048;
  static constexpr uintmax_t kVideoTsVob = 1048576;
  static constexpr uintmax_t kIso = 8589934592;  // 8 GiB: a Blu-ray image
  static constexpr uintmax_t kImg = 8589934591;  // one byte less: a DVD image
};

inline void BuildMediaTree(const std::filesystem::path& root) {
  namespace fs = std::filesystem;
  using media_tree_detail::NameOfLength;
  using media_tree_detail::Put;
  using media_tree_detail::PutText;
  using S = MediaTreeSizes;

  Put(root / "background.jpg", 4000);
  Put(root / "desktop.ini", 50);

  const fs::path films = root / "Films";
  Put(films / "Alien (1979)" / "Alien.mkv", S::kAlienMkv);
  Put(films / "Alien (1979)" / "Alien.nfo", 300);
  Put(films / "Alien (1979)" / "folder.jpg", 900);
  Put(films / "Alien (1979)" / "Background.PNG", 1200);
  PutText(films / "Alien (1979)" / "dune_folder.txt", "icon_path = folder.aai\r\n");
  Put(films / "Alien (1979)" / "Featurettes" / "Making Of.mkv", 700);
  Put(films / "alien resurrection" / "Alien Resurrection.avi", 2500);
  Put(films / "alien resurrection" / "folder.png", 800);
  Put(films / "Amélie (2001)" / "Amélie.avi", 2000);
  Put(films / "Amélie (2001)" / "FOLDER.JPG", 600);
  Put(films / "千と千尋の神隠し" / "Spirited Away.mp4", 3000);
  Put(films / "千と千尋の神隠し" / "folder.aai", 5000);
  Put(films / "千と千尋の神隠し" / "folder.png", 700);
  Put(films / "Kill Bill" / "Kill Bill.part1.mkv", 4000);
  Put(films / "Kill Bill" / "Kill Bill.part2.mkv", 4100);
  Put(films / "Kill Bill" / "Folder.Jpg", 500);
  Put(films / "Inception [BluRay]" / "BDMV" / "index.bdmv", S::kBdmvIndex);
  Put(films / "Inception [BluRay]" / "BDMV" / "STREAM" / "00000.m2ts", S::kBdmvStream);
  Put(films / "Inception [BluRay]" / "folder.jpg", 650);
  Put(films / "Heat [DVD]" / "VIDEO_TS" / "VIDEO_TS.IFO", S::kVideoTsIfo);
  Put(films / "Heat [DVD]" / "VIDEO_TS" / "VTS_01_1.VOB", S::kVideoTsVob);
  fs::create_directories(films / "Heat [DVD]" / "AUDIO_TS");
  Put(films / "Heat [DVD]" / "folder.jpg", 640);
  Put(films / "Ran (1985)" / "Ran.iso", S::kIso);
  Put(films / "Ran (1985)" / "Ran Notes.", 10);
  Put(films / "Brazil (1985)" / "Brazil.IMG", S::kImg);
  Put(films / "Live Aid (1985)" / "Live Aid.ts", 3500);
  Put(films / "Trailers" / "Alien Trailer.mkv", 100);
  Put(films / "Alien." / "Alien.mkv", 10);
  Put(films / "..\\..\\Escape" / "Escape.mkv", 10);

  const fs::path lost = root / "Series" / "Lost";
  Put(lost / "folder.jpg", 700);
  Put(lost / "Season 1" / "Lost S01E01.mkv", 1000);
  Put(lost / "Season 1" / "Lost S01E02.mkv", 1001);
  Put(lost / "Season 2" / "Lost S02E01.mkv", 1002);
  Put(lost / "Season 2" / "folder.jpg", 300);
  fs::create_directory_symlink("Season 2", lost / "Current Season");

  const fs::path music = root / "Music";
  Put(music / "Abba - Gold" / "01 Dancing Queen.mp3", 5000);
  Put(music / "Abba - Gold" / "02 Mamma Mia.mp3", 4000);
  Put(music / "Abba - Gold" / "folder.jpg", 800);
  Put(music / "Björk - Homogenic" / "01 Hunter.flac", 9000);
  Put(music / "Björk - Homogenic" / "02 Jóga.flac", 8000);
  Put(music / "Björk - Homogenic" / "Folder.aai", 2000);
  Put(music / "Björk - Homogenic" / "Background.aai", 3000);
  Put(music / "AC\\DC - Back in Black" / "01 Hells Bells.mp3", 10);

  PutText(root / "_CatVideo" / "(All)" / "Alien (1979)" / "dune_folder.txt", "media_url = ../../../Films/Alien (1979)/\r\n");
  PutText(root / "_CatAudio" / "A" / "Abba - Gold" / "dune_folder.txt", "media_url = ../../../Music/Abba - Gold/\r\n");
  Put(root / "recycler" / "old.mkv", 10);
  fs::create_directories(root / "Loop");
  Put(root / "Loop" / "readme.txt", 10);
  fs::create_directory_symlink("..", root / "Loop" / "Up");

  // "T:\Deep\<E>" is 200 bytes; in it "<F>" (230 bytes, room for its folder file) holds a film
  // at exactly 250 bytes and one at 256; "<H>" (240 bytes) has no room for a folder file.
  const std::string e = NameOfLength("The Long Way Round ", 200 - 8);
  const fs::path deep = root / "Deep" / e;
  const std::string f = NameOfLength("Long Film Folder ", 29);
  const std::string h = NameOfLength("Even Longer Film Folder ", 39);
  Put(deep / f / "Long Film Title.mkv", 100);
  Put(deep / f / "Long Film Title Extra.mkv", 100);
  Put(deep / h / "Short.mkv", 100);
}

inline void BuildBulkTree(const std::filesystem::path& root, int categories, int filmsPerCategory) {
  using media_tree_detail::Put;
  for (int c = 0; c < categories; ++c) {
    const std::filesystem::path category = root / ("Category " + std::to_string(c));
    Put(category / "folder.jpg", 500);
    Put(category / "background.jpg", 900);
    Put(category / "notes.txt", 40);
    for (int f = 0; f < filmsPerCategory; ++f) {
      const std::filesystem::path film = category / ("Film " + std::to_string(f));
      Put(film / ("Film " + std::to_string(f) + ".mkv"), 1000 + static_cast<uintmax_t>(f));
      Put(film / "folder.jpg", 300);
      Put(film / "film.nfo", 80);
    }
  }
}

}  // namespace zqtest
