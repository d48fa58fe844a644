#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/command_line.h"
#include "commit/output_set.h"
#include "support/scratch_folder.h"

namespace dedup {
namespace {

// What the setters of the table below were given, in order.
std::vector<std::string> seen;

std::string note(CommandLine&, std::string_view value) {
  seen.emplace_back(value);
  return {};
}

std::string refuse_x(CommandLine&, std::string_view value) { return value == "x" ? "x is refused" : ""; }

// The kinds of option the list-format options will need: one without a value,
// one that may repeat, one that needs another, and labels that fit the help's
// first column with two blanks to spare, with one (too close), and not at all.
constexpr Argument kTable[] = {
    {.name = "LIST", .help = "read", .set = note},
    {.name = "KEPT", .help = "kept", .set = note},
    {.name = "REMOVED", .help = "removed", .set = note},
    {.name = "--skip", .help = "leave rows out\nwhen empty", .set = note},
    {.name = "--missing", .value = "VALUE", .value_is = "a value", .help = "at most {kMaxStations}", .set = note,
     .repeats = true},
    {.name = "--id", .value = "ID_COLUMN", .value_is = "a column", .help = "identifier", .set = refuse_x},
    {.name = "--longitude", .value = "COLUMN", .value_is = "a column", .help = "longitude", .set = note,
     .needs = "--id"},
};

CommandLine parse(std::vector<const char*> args) {
  seen.clear();
  args.insert(args.begin(), "station-dedup");
  return parse_command_line(static_cast<int>(args.size()), args.data(), kTable);
}

TEST(ArgumentTable, FlagsRepeatsAndNeedsAreHonouredByTheParser) {
  const CommandLine run = parse({"--missing", "NA", "--skip", "--id", "c", "--missing", "9", "--longitude", "lon",
                                 "l", "k", "r"});
  EXPECT_EQ(run.action, CommandLine::Action::kRun) << run.problem;
  EXPECT_EQ(seen, (std::vector<std::string>{"NA", "", "9", "lon", "l", "k", "r"}));
  const std::vector<std::pair<std::vector<const char*>, std::string>> refusals = {
      {{"--longitude", "lon", "l", "k", "r"}, "--longitude needs --id"},
      {{"--id", "a", "--id", "b", "l", "k", "r"}, "--id is given twice"},
      {{"--skip", "--skip", "l", "k", "r"}, "--skip is given twice"},
      {{"l", "k", "r", "--missing"}, "--missing: an argument after the three file names; give exactly three, with "
                                      "any option before them"},
      {{"--missing"}, "--missing needs a value"},
      {{"--id", "x", "l", "k", "r"}, "x is refused"},
  };
  for (const auto& [args, problem] : refusals) {
    const CommandLine refused = parse(args);
    EXPECT_EQ(refused.action, CommandLine::Action::kUsageError) << problem;
    EXPECT_EQ(refused.problem, problem);
  }
  EXPECT_EQ(parse({"--skip", "l", "k"}).problem, "");
  EXPECT_EQ(parse({"--", "--skip", "k", "r"}).action, CommandLine::Action::kRun);
  EXPECT_EQ(seen, (std::vector<std::string>{"--skip", "k", "r"}));
}

TEST(ArgumentTable, UsageAndHelpShowEveryEntryFromTheTable) {
  EXPECT_EQ(usage_text(kTable),
            "usage: station-dedup [--skip] [--missing VALUE]... [--id ID_COLUMN] [--longitude COLUMN] [--] LIST KEPT "
            "REMOVED\n");
  const std::string help = help_text(kTable);
  EXPECT_NE(help.find("\n\n  LIST            read\n  KEPT            kept\n  REMOVED         removed\n\n"
                      "  --skip          leave rows out\n                  when empty\n"
                      "  --missing VALUE\n                  at most 30000\n  --id ID_COLUMN  identifier\n"
                      "  --longitude COLUMN\n                  longitude\n  --              end"),
            std::string::npos)
      << help;
}

// More outputs than any run has today: each gets its temporary, all are put
// in place, and a signal while they are listed removes every one.
TEST(ManyOutputs, EachGetsATemporaryThatASignalRemoves) {
  testing::ScratchFolder folder;
  std::vector<OutputRequest> requests;
  for (int k = 0; k < 12; ++k) requests.push_back({folder.path("out" + std::to_string(k)), {"output"}});
  {
    OutputSet outputs(requests);
    for (std::size_t k = 0; k < requests.size(); ++k) outputs.file(k).done(outputs.file(k).room(1) + 0);
    EXPECT_TRUE(outputs.commit().empty());
  }
  EXPECT_EQ(testing::entry_names(folder.root()).size(), 12u);
  testing::ScratchFolder signalled;
  for (auto& request : requests) request.name = signalled.path(request.name.substr(request.name.rfind('/') + 1));
  const pid_t child = ::fork();
  if (child == 0) {
    const OutputSet outputs(requests);
    ::raise(SIGTERM);
    ::_exit(0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
  EXPECT_TRUE(testing::entry_names(signalled.root()).empty());
}

}  // namespace
}  // namespace dedup
