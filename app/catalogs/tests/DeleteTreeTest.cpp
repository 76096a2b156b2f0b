// Deleting a catalog tree: links go as links, what they lead to stays.
#include <gtest/gtest.h>

#include "DialogAnswers.h"
#include "PassFixture.h"
#include "app/Catalogs.h"

namespace {

using zqtest::media_tree_detail::Put;

class DeleteTree : public PassFixture {};

TEST_F(DeleteTree, AMissingFolderCountsAsDeletedAndABlankPathFails) {
  EXPECT_EQ(DELETETREE("T:\\Nothing\\", 1), 0);
  EXPECT_EQ(DELETETREE("", 1), -1);
}

TEST_F(DeleteTree, RemovesLinksAsLinksAndNeverEntersALinkedFolder) {
  Put(Root() / "Media/Film/Film.mkv", 100);
  Put(Root() / "Cat/A/Entry/dune_folder.txt", 10);
  Put(Root() / "Cat/.hidden", 1);
  fs::create_directory_symlink(Root() / "Media", Root() / "Cat/A/Media");
  fs::create_directory_symlink("../..", Root() / "Cat/A/Up");
  fs::create_symlink(Root() / "Media/Film/Film.mkv", Root() / "Cat/A/Film.mkv");
  fs::create_symlink(Root() / "Gone", Root() / "Cat/Dangling");
  const auto media = Contents(Root() / "Media");
  EXPECT_EQ(DELETETREE("T:\\Cat\\", 1), 0);
  EXPECT_FALSE(fs::exists(fs::symlink_status(Root() / "Cat")));
  EXPECT_EQ(Contents(Root() / "Media"), media);
}

TEST_F(DeleteTree, AFileThatCannotGoMakesItsFolderFailAndTheCodeTravelsUp) {
  Put(Root() / "Cat/A/Entry/kept.txt", 10);
  Put(Root() / "Cat/B/gone.txt", 10);
  fs::permissions(Root() / "Cat/A/Entry/kept.txt", fs::perms::owner_read);
  EXPECT_NE(DELETETREE("T:\\Cat\\", 1), 0);  // the folder is not empty
  EXPECT_TRUE(fs::exists(Root() / "Cat/A/Entry/kept.txt"));
}

TEST_F(DeleteTree, WithoutQuietAFailedFileIsShownAndIgnoreAllSilencesTheRest) {
  Put(Root() / "Cat/a.txt", 10);
  Put(Root() / "Cat/b.txt", 10);
  for (const char* f : {"Cat/a.txt", "Cat/b.txt"}) fs::permissions(Root() / f, fs::perms::owner_read);
  orvid::test::DialogWatcher answers([](const orvid::test::ErrorSeen& e) {
    return e.message == "Error Deleting File." ? orvid::test::Reply::IgnoreAll : orvid::test::Reply::Ignore;
  });
  EXPECT_NE(DELETETREE("T:\\Cat\\", 0), 0);
  EXPECT_EQ(answers.Errors(), (std::vector<std::string>{"Error Deleting File.", "Error Removing Folder."}));
}

}  // namespace
