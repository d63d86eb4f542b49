#include "dictionary/dictionary_locations.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dictionary/dictionary.h"
#include "test_files.h"

namespace kv {
namespace {

TEST(DictionaryLocationsTest, PlacesInOrderWithXdgDefaultsAndRelativeEntriesIgnored) {
  DictionaryEnvironment defaults{".", "/opt/kv/bin", "/home/u", "", ""};
  EXPECT_EQ(DictionaryPlaces(defaults),
            (std::vector<DictionaryPlace>{{".", false},
                                          {"/opt/kv/bin", false},
                                          {"/home/u/.local/share/kavivani", true},
                                          {"/usr/local/share/kavivani", true},
                                          {"/usr/share/kavivani", true},
                                          {"/opt/kv/share/kavivani", true}}));

  DictionaryEnvironment set{".", "", "/home/u", "/data", "rel:/a/:/b"};
  EXPECT_EQ(
      DictionaryPlaces(set),
      (std::vector<DictionaryPlace>{
          {".", false}, {"/data/kavivani", true}, {"/a/kavivani", true}, {"/b/kavivani", true}}));

  DictionaryEnvironment relativeHome{".", "", "", "relative", ""};
  EXPECT_EQ(DictionaryPlaces(relativeHome).size(), 3u);
}

TEST(DictionaryLocationsTest, FindsCompleteFoldersInSearchOrderOnce) {
  test::CTempDir root;
  auto dictionary = [&](const std::string& folder, int files = 3) {
    std::filesystem::create_directories(root.Path() / folder);
    for (int i = 0; i < files; ++i) root.Write(folder + "/" + kDictionaryFileNames[i], "x");
  };
  const std::string top = root.Path().string();
  dictionary("cwd");
  dictionary("prefix/bin");
  dictionary("prefix/share/kavivani/sample");
  dictionary("home/.local/share/kavivani/mine");
  dictionary("home/.local/share/kavivani/half", 2);
  dictionary("system/kavivani/zeta");
  dictionary("system/kavivani/alpha");
  std::filesystem::create_directories(root.Path() / "cwd/empty");

  // The prefix's share folder is also listed in XDG_DATA_DIRS: it is found once, first there.
  DictionaryEnvironment environment{top + "/cwd", top + "/prefix/bin", top + "/home", "",
                                    top + "/system:" + top + "/prefix/share"};
  std::vector<std::string> found;
  for (const DictionaryFolder& folder : FindDictionaries(environment)) {
    found.push_back(folder.name + " " + folder.path.substr(top.size()));
  }
  EXPECT_EQ(found, (std::vector<std::string>{
                       "cwd /cwd", "bin /prefix/bin", "mine /home/.local/share/kavivani/mine",
                       "alpha /system/kavivani/alpha", "zeta /system/kavivani/zeta",
                       "sample /prefix/share/kavivani/sample"}));

  environment.currentDir = top + "/cwd/empty";
  environment.executableDir = top + "/prefix/bin/../bin";
  environment.xdgDataDirs = top + "/nowhere";
  found.clear();
  for (const DictionaryFolder& folder : FindDictionaries(environment)) found.push_back(folder.name);
  EXPECT_EQ(found, (std::vector<std::string>{"bin", "mine", "sample"}));
}

// The dictionary opened at start: the current directory's as always, else the last choice
// while it is found (by where it is, whatever path reached it), else the first found.
TEST(DictionaryLocationsTest, StartChoiceCurrentDirectoryThenRememberedThenFirst) {
  test::CTempDir root;
  for (const char* folder : {"a", "b"}) std::filesystem::create_directory(root.Path() / folder);
  const std::string top = root.Path().string();
  const std::vector<DictionaryFolder> found = {{top + "/a", "a"}, {top + "/./b", "b"}};
  const std::string rememberedB = DictionaryIdentity(top + "/b/");
  EXPECT_EQ(ChooseStartDictionary(found, ".", rememberedB), 1);
  EXPECT_EQ(ChooseStartDictionary(found, ".", ""), 0);
  EXPECT_EQ(ChooseStartDictionary(found, ".", DictionaryIdentity(top + "/gone")), 0);
  EXPECT_EQ(ChooseStartDictionary(found, top + "/a", rememberedB), 0);
  EXPECT_EQ(ChooseStartDictionary({}, ".", rememberedB), -1);
}

}  // namespace
}  // namespace kv
