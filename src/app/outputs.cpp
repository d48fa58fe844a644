#include "app/outputs.h"

#include <array>

#include "output/audit_file.h"
#include "output/map_file.h"
#include "output/result_files.h"

namespace dedup {
namespace {

constexpr std::array<OutputDescription, kOutputCount> kOutputs{{
    {{"kept-stations file"}, false, [](const WriteInput& in, TextFile& file) { write_kept(in.table, file); }},
    {{"removed-stations report", false, kReportHeader},
     false,
     [](const WriteInput& in, TextFile& file) { write_removed(in.table, file); }},
    {{"audit file", false, kAuditHeader},
     true,
     [](const WriteInput& in, TextFile& file) { write_audit(in.table, in.events, in.first_lines, file); }},
    {{"map file", false, kMapStart},
     true,
     [](const WriteInput& in, TextFile& file) { write_map(in.table, in.events, in.first_lines, file); }},
}};

}  // namespace

const OutputDescription& output_description(OutputId id) { return kOutputs[id]; }

}  // namespace dedup
