#pragma once
// Runs the real binary in a scratch folder and keeps what the run left
// behind: exit status, standard output and error, and the content of
// kept.txt and removed.txt there, or nothing where the run did not create it.
// run_on_list does so on a station list given as bytes, in a fresh folder, as
// `station-dedup list.txt kept.txt removed.txt`.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "support/process.h"
#include "support/scratch_folder.h"

namespace dedup::testing {

inline constexpr std::string_view kReportHeader = " ID  ORGAO  LONGITUDE  LATITUDE  PRECIP  MOTIVO\n";

// A list of three records whose third is an exact copy of the first, and
// what a run writes for it.
inline constexpr const char* kList = "A AG 1 2 3\nB AG 4 5 6\nA AG 1 2 3\n";
inline constexpr const char* kKept =
    "A  AG      1.000000      2.000000      3.00\n"
    "B  AG      4.000000      5.000000      6.00\n";
inline constexpr const char* kRemoved = "A  AG    1.000000    2.000000      3.00  Duplicata exata\n";

// The line a successful run prints for its two output names.
inline std::string summary_line(std::string_view kept, std::string_view removed) {
  std::string line = " ";
  line += kept;
  line += "  e  ";
  line += removed;
  line += '\n';
  return line;
}

struct ListRun {
  ProcessResult result;
  std::optional<std::string> kept;
  std::optional<std::string> removed;
};

inline ListRun run_in(const ScratchFolder& folder, const std::vector<std::string>& args) {
  ListRun run{run_tool(folder.root(), args), {}, {}};
  if (folder.exists("kept.txt")) run.kept = folder.read("kept.txt");
  if (folder.exists("removed.txt")) run.removed = folder.read("removed.txt");
  return run;
}

inline ListRun run_on_list(std::string_view list) {
  ScratchFolder folder;
  folder.write("list.txt", list);
  return run_in(folder, {"list.txt", "kept.txt", "removed.txt"});
}

// A run that failed before writing: status 2, one diagnostic line, no
// summary, neither output created.
inline void expect_failure_before_writing(const ListRun& run, std::string_view diagnostic) {
  EXPECT_EQ(run.result.status, 2);
  EXPECT_EQ(run.result.out, "");
  EXPECT_EQ(run.result.err, "station-dedup: " + std::string(diagnostic) + "\n");
  EXPECT_FALSE(run.kept.has_value());
  EXPECT_FALSE(run.removed.has_value());
}

// A successful run: status 0, the summary line, nothing on standard error,
// and both files with the given contents (the report after its header).
inline void expect_written(const ListRun& run, std::string_view kept, std::string_view removed_lines) {
  EXPECT_EQ(run.result.status, 0) << run.result.err;
  EXPECT_EQ(run.result.out, summary_line("kept.txt", "removed.txt"));
  EXPECT_EQ(run.result.err, "");
  EXPECT_EQ(run.kept, std::string(kept));
  EXPECT_EQ(run.removed, std::string(kReportHeader) + std::string(removed_lines));
}

}  // namespace dedup::testing
