#pragma once
// A fresh temporary folder for one test, removed with everything in it when
// the test ends, with helpers to write and read whole files by name, and to
// take every file it holds with its content; the names in any folder.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <string_view>

#include <unistd.h>

namespace dedup::testing {

// The names of every entry of `folder`, hidden ones too.
inline std::set<std::string> entry_names(const std::filesystem::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) names.insert(entry.path().filename());
  return names;
}

class ScratchFolder {
 public:
  ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "station-dedup-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data());
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  std::string path(std::string_view name) const { return (path_ / name).string(); }
  const std::filesystem::path& root() const { return path_; }

  std::string write(std::string_view name, std::string_view content) const {
    std::ofstream out(path(name), std::ios::binary);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    return path(name);
  }

  std::string read(std::string_view name) const {
    std::ifstream in(path(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  bool exists(std::string_view name) const { return std::filesystem::exists(path(name)); }

  // Every entry of the folder, hidden ones too, by name, with its content.
  std::map<std::string, std::string> contents() const {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(path_)) {
      const std::string name = entry.path().filename().string();
      files[name] = read(name);
    }
    return files;
  }

 private:
  std::filesystem::path path_;
};

}  // namespace dedup::testing
