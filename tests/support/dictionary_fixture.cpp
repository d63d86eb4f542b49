#include "dictionary_fixture.h"

namespace kv::test {

void CDictionaryTest::ExpectSearches(const std::string& name) {
  for (const auto& [files, searches] : ReadRows(name)) {
    const std::vector<std::string> contents = Split(files, " | ");
    ASSERT_EQ(contents.size(), 3u) << files;
    const CTempDir dir;
    const char* const names[] = {kListFileName, kIndexFileName, kTextFileName};
    for (std::size_t i = 0; i < 3; ++i) {
      if (contents[i] == "<folder>") std::filesystem::create_directory(dir.Path() / names[i]);
      if (contents[i] != "<folder>" && contents[i] != "<missing>") dir.Write(names[i], contents[i]);
    }
    m_dictionary.Open(dir.Path().string());
    for (const std::string& search : Split(searches, " // ")) {
      const std::string key = search.substr(0, search.find(": "));
      const bool itrans = key.starts_with("itrans ");
      const bool loose = key.starts_with("loose ");
      std::string shown = key + ": ";
      if (key.starts_with("@")) {
        const std::string entry = EntryAt(std::stoll(key.substr(1)));
        EXPECT_EQ(shown + (entry.empty() ? "-" : entry), search) << files;
        continue;
      }
      const SearchOutcome outcome = Search(key.c_str() + (itrans  ? 7
                                                          : loose ? 6
                                                                  : 0),
                                           itrans, loose);
      if (outcome == SearchOutcome::kRefused) {
        EXPECT_EQ(shown + "refused", search) << files;
        continue;
      }
      if (outcome == SearchOutcome::kNoMatch) shown += "no match";
      if (outcome == SearchOutcome::kFoundLoose) shown += "~ ";
      if (outcome == SearchOutcome::kMissingFile) shown += m_entry.get();
      for (const std::string& entry : Entries()) {
        shown += (shown.ends_with(": ") || shown.ends_with("~ ") ? "" : " / ") +
                 (entry.empty() ? "-" : entry);
      }
      EXPECT_EQ(shown, search) << files;
    }
  }
}

}  // namespace kv::test
