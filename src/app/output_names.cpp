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
    throw FatalError(name + ": cannot write the " + what + ": folder " + folder.string() +
                     " does not exist");
  }
}

bool same_file(const std::string& a, const std::string& b) {
  if (a == b) return true;
  std::error_code error;
  if (fs::equivalent(a, b, error)) return true;
  std::error_code error_a;
  std::error_code error_b;
  const fs::path canonical_a = fs::weakly_canonical(fs::absolute(a), error_a);
  const fs::path canonical_b = fs::weakly_canonical(fs::absolute(b), error_b);
  return !error_a && !error_b && canonical_a == canonical_b;
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
