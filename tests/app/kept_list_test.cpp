#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/process.h"
#include "support/scratch_folder.h"

namespace dedup {
namespace {

using testing::run_tool;
using testing::ScratchFolder;

struct KeptListCase {
  const char* what;
  std::vector<std::string> options;  // before the three names
  std::string list;
  std::string kept_list;  // the list less the removed records' lines
};

std::vector<std::string> with_names(std::vector<std::string> options, const std::string& list) {
  for (const char* name : {"--kept-list", "kept-list.out"}) options.emplace_back(name);
  options.insert(options.end(), {list, "kept.txt", "removed.txt"});
  return options;
}

// Each list holds records the screening removes; the kept list must be the
// list with exactly those records' lines taken out, every other byte kept,
// and read again with the same options it must give the same kept file and
// no removed record.
TEST(KeptList, IsTheListLessTheRemovedRecordsLinesAndReadsBackWithNothingRemoved) {
  const std::vector<std::string> columns{"--id", "STATION", "--lon", "LONGITUDE", "--lat", "LATITUDE",
                                         "--prec", "PRCP", "--skip-missing"};
  const std::vector<KeptListCase> cases{
      {"free-form: a byte-order mark, a removed record over two lines with a blank line inside, CR LF, "
       "a partial record at the end",
       {},
       "\xEF\xBB\xBF"
       "A1 ANA -45.5 -23.25 12.3 first\r\n\r\n"
       "A1 ANA\r\n\r\n -45.5 -23.25 12.3\r\n"
       "'B 2' INMET -46.0 -22.0 7.5\n"
       "B3 INMET -46.0 -22.0 7.5\n"
       "C4 'SEMA RS'",
       "\xEF\xBB\xBF"
       "A1 ANA -45.5 -23.25 12.3 first\r\n\r\n"
       "'B 2' INMET -46.0 -22.0 7.5\n"
       "C4 'SEMA RS'"},
      {"a quoted ',' export: notes, a quoted name holding a line end in a removed row and in a kept one, a "
       "row left out for a missing value, no final line end",
       columns,
       "Downloaded 2026-12-01\n"
       "STATION,NAME,LATITUDE,LONGITUDE,PRCP\n"
       "US1,\"CORBIN,\nVA US\",38.2,-77.4,1.5\n"
       "US1,\"CORBIN,\r\nVA US\",38.2,-77.4,1.5\n"
       "US2,\"DALE, VA\",38.3,-77.5,\n"
       "US3,\"\"\"X\"\", VA\",38.4,-77.6,0.2\r\n"
       "US3,HERE,38.4,-77.6,0.2",
       "Downloaded 2026-12-01\n"
       "STATION,NAME,LATITUDE,LONGITUDE,PRCP\n"
       "US1,\"CORBIN,\nVA US\",38.2,-77.4,1.5\n"
       "US2,\"DALE, VA\",38.3,-77.5,\n"
       "US3,\"\"\"X\"\", VA\",38.4,-77.6,0.2\r\n"},
  };
  for (const KeptListCase& c : cases) {
    SCOPED_TRACE(c.what);
    ScratchFolder folder;
    folder.write("list.txt", c.list);
    const auto first = run_tool(folder.root(), with_names(c.options, "list.txt"));
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(folder.read("kept-list.out"), c.kept_list);
    EXPECT_EQ(folder.read("list.txt"), c.list);
    const std::string kept = folder.read("kept.txt");
    folder.write("again.txt", c.kept_list);
    const auto again = run_tool(folder.root(), with_names(c.options, "again.txt"));
    ASSERT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(folder.read("kept.txt"), kept);
    EXPECT_EQ(folder.read("removed.txt"), " ID  ORGAO  LONGITUDE  LATITUDE  PRECIP  MOTIVO\n");
  }
}

TEST(KeptList, MayReplaceTheListItselfWhichThenLosesOnlyItsRemovedRecords) {
  ScratchFolder folder;
  folder.write("list.csv", "id;lon;lat;chuva\nA;-45,5;-23,25;1\nA;-45,5;-23,25;1\nB;-46;-22;0\n");
  const auto result = run_tool(folder.root(), {"--id", "id", "--lon", "lon", "--lat", "lat", "--prec", "chuva",
                                               "--kept-list", "list.csv", "list.csv", "kept.txt", "removed.txt"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, " kept.txt  e  removed.txt\n");
  EXPECT_EQ(folder.read("list.csv"), "id;lon;lat;chuva\nA;-45,5;-23,25;1\nB;-46;-22;0\n");
}

}  // namespace
}  // namespace dedup
