#include "app/outputs.h"

#include <algorithm>
#include <array>

#include "output/audit_file.h"
#include "output/kept_list.h"
#include "output/map_file.h"
#include "output/result_files.h"

namespace dedup {
namespace {

constexpr std::array<OutputDescription, kOutputCount> kOutputs{{
    {{"kept-stations file"}, false, false, [](const WriteInput& in, TextFile& file) { write_kept(in.table, file); }},
    {{"kept list"},
     false,
     true,
     [](const WriteInput& in, TextFile& file) { write_kept_list(in.list, in.spans, in.table, file); }},
    {{"removed-stations report", false, kReportHeader},
     false,
     false,
     [](const WriteInput& in, TextFile& file) { write_removed(in.table, file); }},
    {{"audit file", false, kAuditHeader},
     true,
     false,
     [](const WriteInput& in, TextFile& file) { write_audit(in.table, in.events, in.first_lines, file); }},
    {{"map file", false, kMapStart},
     true,
     false,
     [](const WriteInput& in, TextFile& file) { write_map(in.table, in.events, in.first_lines, file); }},
}};
static_assert(std::ranges::all_of(kOutputs, [](const OutputDescription& output) { return output.write != nullptr; }),
              "every output has its writer");

}  // namespace

const OutputDescription& output_description(OutputId id) { return kOutputs[id]; }

}  // namespace dedup
