#pragma once

#include <string>
#include <vector>

namespace kv {

// Where an installed program keeps its shared files (the sample dictionary, the help page),
// relative to the folder of its executable: bin/ and share/ of one prefix, so that a copy
// installed under any prefix or DESTDIR finds its own.
inline constexpr char kInstalledDataFromExecutable[] = "../share/kavivani";

// Where a program without a given dictionary folder looks, for its --help.
inline constexpr char kDictionarySearchHelp[] =
    "Without a given folder the dictionary is read from the first folder that holds\n"
    "kvlist.txt, kvindx.txt and kvtot2.txt, looked for in this order:\n"
    "  the current directory\n"
    "  the program's own directory\n"
    "  each folder in $XDG_DATA_HOME/kavivani (default ~/.local/share/kavivani)\n"
    "  each folder in DIR/kavivani for each DIR of $XDG_DATA_DIRS\n"
    "    (default /usr/local/share:/usr/share)\n"
    "  each folder in share/kavivani of the program's own prefix (the installed sample)\n";

// What the search for dictionaries depends on, given by the caller so that it can be tested:
// the executable's folder (empty when unknown) and the environment's HOME, XDG_DATA_HOME and
// XDG_DATA_DIRS (empty when unset).
struct DictionaryEnvironment {
  std::string currentDir = ".";
  std::string executableDir;
  std::string home;
  std::string xdgDataHome;
  std::string xdgDataDirs;
};

// A place to look in: a folder that may hold a dictionary itself, or one whose every
// subfolder may (a collection such as ~/.local/share/kavivani/).
struct DictionaryPlace {
  std::string path;
  bool subfolders = false;

  bool operator==(const DictionaryPlace&) const = default;
};

// A folder that holds all three files, with the name a user knows it by: the folder's own
// name ("sample" for .../kavivani/sample).
struct DictionaryFolder {
  std::string path;
  std::string name;
};

// $XDG_DATA_HOME/kavivani (default ~/.local/share/kavivani): the user's own dictionaries, each
// in a folder of its own, where kvdict import writes them. Empty when neither XDG_DATA_HOME nor
// HOME is an absolute path.
std::string UserDictionariesFolder(const DictionaryEnvironment& environment);

// The places in the order they are searched: the current directory, the executable's folder,
// $XDG_DATA_HOME/kavivani (default ~/.local/share/kavivani), each $XDG_DATA_DIRS entry's
// kavivani folder (default /usr/local/share:/usr/share) and the executable's own
// share/kavivani. Relative XDG entries are ignored, as XDG asks.
std::vector<DictionaryPlace> DictionaryPlaces(const DictionaryEnvironment& environment);

// Every folder of those places that holds the three files, in search order, subfolders of one
// place by name, each folder once even when two places lead to it.
std::vector<DictionaryFolder> FindDictionaries(const DictionaryEnvironment& environment);

// True when `folder` holds the three files.
bool HoldsDictionary(const std::string& folder);

// True when `path` (a link followed) is one of the three files of a folder that holds all
// three: a file no command of the program may write over.
bool IsDictionaryFile(const std::string& path);

// The path a dictionary folder is known by wherever it was reached from: absolute, links
// resolved. A choice of dictionary is remembered by it.
std::string DictionaryIdentity(const std::string& folder);

// Which of the dictionaries `found` (in FindDictionaries order) to open at start: the one in
// `currentDir` when there is one, as always; else the one whose identity is `remembered` (the
// last choice) when it is still found; else the first. -1 when none is found.
int ChooseStartDictionary(const std::vector<DictionaryFolder>& found, const std::string& currentDir,
                          const std::string& remembered);

// This process's environment, with the executable's folder given by the caller.
DictionaryEnvironment ProcessDictionaryEnvironment(std::string executableDir);

}  // namespace kv
