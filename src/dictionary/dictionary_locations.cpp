#include "dictionary/dictionary_locations.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <system_error>

#include "dictionary/dictionary.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

constexpr char kDataSubfolder[] = "kavivani";
constexpr char kDefaultDataHome[] = ".local/share";
constexpr char kDefaultDataDirs[] = "/usr/local/share:/usr/share";

bool IsAbsolute(const std::string& path) { return !path.empty() && path.front() == '/'; }

std::string Join(const std::string& folder, const std::string& name) {
  return (fs::path(folder) / name).lexically_normal().string();
}

std::string FromEnvironment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// The subfolders of `path`, sorted by name; none when it cannot be read.
std::vector<std::string> Subfolders(const std::string& path) {
  std::vector<std::string> folders;
  std::error_code error;
  for (fs::directory_iterator it(path, error), end; !error && it != end; it.increment(error)) {
    if (it->is_directory(error)) folders.push_back(it->path().string());
  }
  std::sort(folders.begin(), folders.end());
  return folders;
}

// The name a folder is known by: the last part of its path (a link keeps its own name, as
// the user made it), resolved only where that part is "." or ".." ("bin/.." names the folder
// it stands for).
std::string FolderName(const std::string& path) {
  const std::string own = fs::path(path).lexically_normal().filename().string();
  if (!own.empty() && own != "." && own != "..") return own;
  std::error_code error;
  fs::path resolved = fs::weakly_canonical(path, error);
  if (error) resolved = fs::path(path).lexically_normal();
  std::string name = resolved.filename().string();
  return name.empty() ? resolved.string() : name;
}

}  // namespace

std::string UserDictionariesFolder(const DictionaryEnvironment& environment) {
  std::string dataHome = environment.xdgDataHome;
  if (!IsAbsolute(dataHome)) {
    dataHome = IsAbsolute(environment.home) ? Join(environment.home, kDefaultDataHome) : "";
  }
  return dataHome.empty() ? "" : Join(dataHome, kDataSubfolder);
}

std::vector<DictionaryPlace> DictionaryPlaces(const DictionaryEnvironment& environment) {
  std::vector<DictionaryPlace> places;
  places.push_back({environment.currentDir, false});
  if (!environment.executableDir.empty()) places.push_back({environment.executableDir, false});

  const std::string userFolder = UserDictionariesFolder(environment);
  if (!userFolder.empty()) places.push_back({userFolder, true});

  std::string dataDirs =
      environment.xdgDataDirs.empty() ? kDefaultDataDirs : environment.xdgDataDirs;
  size_t start = 0;
  while (start <= dataDirs.size()) {
    size_t end = std::min(dataDirs.find(':', start), dataDirs.size());
    std::string dir = dataDirs.substr(start, end - start);
    if (IsAbsolute(dir)) places.push_back({Join(dir, kDataSubfolder), true});
    start = end + 1;
  }

  if (!environment.executableDir.empty()) {
    places.push_back({Join(environment.executableDir, kInstalledDataFromExecutable), true});
  }
  return places;
}

std::vector<DictionaryFolder> FindDictionaries(const DictionaryEnvironment& environment) {
  std::vector<DictionaryFolder> found;
  std::vector<fs::path> seen;
  auto consider = [&](const std::string& folder) {
    if (!HoldsDictionary(folder)) return;
    const fs::path identity = DictionaryIdentity(folder);
    if (std::find(seen.begin(), seen.end(), identity) != seen.end()) return;
    seen.push_back(identity);
    found.push_back({folder, FolderName(folder)});
  };
  for (const DictionaryPlace& place : DictionaryPlaces(environment)) {
    if (!place.subfolders) {
      consider(place.path);
      continue;
    }
    for (const std::string& folder : Subfolders(place.path)) consider(folder);
  }
  return found;
}

bool HoldsDictionary(const std::string& folder) {
  std::error_code error;
  return std::all_of(
      std::begin(kDictionaryFileNames), std::end(kDictionaryFileNames),
      [&](const char* name) { return fs::is_regular_file(Join(folder, name), error); });
}

bool IsDictionaryFile(const std::string& path) {
  std::error_code error;
  fs::path file = fs::weakly_canonical(fs::absolute(path, error), error);
  if (error) file = fs::path(path).lexically_normal();
  const std::string name = file.filename().string();
  return std::any_of(std::begin(kDictionaryFileNames), std::end(kDictionaryFileNames),
                     [&](const char* fileName) { return name == fileName; }) &&
         HoldsDictionary(file.parent_path().string());
}

std::string DictionaryIdentity(const std::string& folder) {
  std::error_code error;
  fs::path identity = fs::weakly_canonical(fs::absolute(folder, error), error);
  if (error) identity = fs::path(folder).lexically_normal();
  return identity.string();
}

int ChooseStartDictionary(const std::vector<DictionaryFolder>& found, const std::string& currentDir,
                          const std::string& remembered) {
  if (found.empty()) return -1;
  if (found.front().path == currentDir || remembered.empty()) return 0;
  for (std::size_t i = 0; i < found.size(); ++i) {
    if (DictionaryIdentity(found[i].path) == remembered) return static_cast<int>(i);
  }
  return 0;
}

DictionaryEnvironment ProcessDictionaryEnvironment(std::string executableDir) {
  DictionaryEnvironment environment;
  environment.executableDir = std::move(executableDir);
  environment.home = FromEnvironment("HOME");
  environment.xdgDataHome = FromEnvironment("XDG_DATA_HOME");
  environment.xdgDataDirs = FromEnvironment("XDG_DATA_DIRS");
  return environment;
}

}  // namespace kv
