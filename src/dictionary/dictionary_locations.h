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

// This process's environment, with the executable's folder given by the caller.
DictionaryEnvironment ProcessDictionaryEnvironment(std::string executableDir);

}  // namespace kv
