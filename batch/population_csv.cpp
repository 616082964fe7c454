#include "batch/population_csv.h"

#include "run_description/number_text.h"
#include "run_description/output_text.h"
#include "run_description/rerun_command.h"

namespace batch {
namespace {

void AppendHeader(std::string& csv, bool sanctionsOn) {
  csv += "step,agent,propensity,volunteered";
  if (sanctionsOn) csv += ",sanctionPropensity,sanctioned";
  for (const char* name : kAttributeNames) {
    csv += ',';
    csv += name;
  }
  csv += '\n';
}

void AppendRow(std::string& csv, const PopulationRecord& record, int step, int agent) {
  const std::size_t at = record.Index(step, agent);
  run::AppendInteger(csv, step);
  csv += ',';
  run::AppendInteger(csv, agent);
  csv += ',';
  run::AppendRoundTrip(csv, record.propensity[at]);
  csv += record.volunteered[at] != 0 ? ",1" : ",0";
  if (record.sanctionsOn) {
    csv += ',';
    run::AppendRoundTrip(csv, record.sanctionPropensity[at]);
    csv += record.sanctioned[at] != 0 ? ",1" : ",0";
  }
  for (const auto& values : record.attributes) {
    csv += ',';
    run::AppendRoundTrip(csv, values[static_cast<std::size_t>(agent)]);
  }
  csv += '\n';
}

}  // namespace

std::string PopulationCsv(const PopulationRecord& record) {
  std::string csv = "# " + run::ShortRerunCommand(record.seed, record.arguments) + '\n';
  AppendHeader(csv, record.sanctionsOn);
  const std::size_t steps =
      record.agentCount > 0 ? record.propensity.size() / static_cast<std::size_t>(record.agentCount)
                            : 0;
  for (std::size_t k = 0; k < steps; ++k) {
    for (int i = 0; i < record.agentCount; ++i) AppendRow(csv, record, static_cast<int>(k), i);
  }
  return csv;
}

}  // namespace batch
