#include "app/output_names.h"

#include <filesystem>
#include <system_error>

#include "stations/fatal_error.h"

namespace dedup {
namespace {

namespace fs = std::filesystem;

void check_not_empty(const std::string& name, const char* what) {
  if (name.empty()) throw FatalError(std::string("the name of the ") + what + " is empty");
}

void check_writable_place(const std::string& name, const char* what) {
  std::error_code error;
  if (fs::is_directory(name, error)) {
    throw FatalError(name + ": cannot write the " + what + ": it is a folder");
  }
  fs::path folder = fs::path(name).parent_path();
  if (folder.empty()) folder = ".";
  if (!fs::is_directory(folder, error)) {
    const std::string problem = fs::exists(folder, error) ? folder.string() + " is not a folder"
                                                          : "folder " + folder.string() + " does not exist";
    throw FatalError(name + ": cannot write the " + what + ": " + problem);
  }
}

// The name as an absolute path, its links and dot folders resolved as far as
// they exist; empty when that fails, as for a relative name in a working
// folder that has been removed.
fs::path resolved(const std::string& name) {
  std::error_code error;
  const fs::path absolute = fs::absolute(name, error);
  if (error) return {};
  const fs::path canonical = fs::weakly_canonical(absolute, error);
  return error ? fs::path() : canonical;
}

bool same_file(const std::string& a, const std::string& b) {
  if (a == b) return true;
  std::error_code error;
  if (fs::equivalent(a, b, error)) return true;
  const fs::path resolved_a = resolved(a);
  return !resolved_a.empty() && resolved_a == resolved(b);
}

}  // namespace

void check_names(const RunNames& names) {
  check_not_empty(names.station_list, "station list");
  check_not_empty(names.kept, "kept-stations file");
  check_not_empty(names.removed, "removed-stations report");
  check_writable_place(names.kept, "kept-stations file");
  check_writable_place(names.removed, "removed-stations report");
  if (same_file(names.kept, names.removed)) {
    throw FatalError(names.removed + ": the removed-stations report would overwrite the kept-stations file " +
                     names.kept + "; name two different files");
  }
}

}  // namespace dedup
