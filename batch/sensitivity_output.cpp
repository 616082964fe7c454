#include "batch/sensitivity_output.h"

#include "batch/unit_shard_design.h"
#include "run_description/number_text.h"
#include "run_description/output_text.h"
#include "run_description/parameter_table.h"

namespace batch {
namespace {

constexpr std::string_view kDrawName = "seed";

// One column of a results table: its name and the number it shows.
template <typename Row>
struct Column {
  const char* name;
  double Row::*member;
};

const Column<SobolIndex> kSobolColumns[] = {
    {"first", &SobolIndex::first},          {"first_low", &SobolIndex::firstLow},
    {"first_high", &SobolIndex::firstHigh}, {"total", &SobolIndex::total},
    {"total_low", &SobolIndex::totalLow},   {"total_high", &SobolIndex::totalHigh},
};

const Column<MorrisEffect> kMorrisColumns[] = {
    {"mu", &MorrisEffect::mu},
    {"mu_star", &MorrisEffect::muStar},
    {"sigma", &MorrisEffect::sigma},
};

void AppendNumber(std::string& text, double value, TableFormat format) {
  if (format == TableFormat::kJson) {
    run::AppendJsonNumber(text, value);
  } else {
    run::AppendRoundTrip(text, value);
  }
}

// The rows of a results table, each a name, a range (none for the draw) and
// its statistics.
template <typename Row, std::size_t N>
std::string Table(const SensitivityPlan& plan, std::span<const Row> rows,
                  const Column<Row> (&columns)[N], TableFormat format) {
  const std::vector<Factor>& factors = plan.context.factors;
  const std::string command = SensitivityCommand(plan);
  std::string text;
  if (format == TableFormat::kCsv) {
    text.append("# ").append(command).append("\nfactor,lower,upper");
    for (const Column<Row>& column : columns) text.append(",").append(column.name);
    text += '\n';
  } else {
    // The command holds no quote or backslash: option names and numbers.
    text.append("{\"command\":\"").append(command).append("\",\"factors\":[");
  }
  for (std::size_t r = 0; r < rows.size(); ++r) {
    const bool draw = r >= factors.size();
    const std::string name = draw ? std::string(kDrawName) : std::string(FactorName(factors[r]));
    if (format == TableFormat::kCsv) {
      text.append(name).append(",");
      if (!draw) {
        run::AppendRoundTrip(text, factors[r].lower);
        text += ',';
        run::AppendRoundTrip(text, factors[r].upper);
      } else {
        text += ',';
      }
      for (const Column<Row>& column : columns) {
        text += ',';
        AppendNumber(text, rows[r].*column.member, format);
      }
      text += '\n';
      continue;
    }
    if (r > 0) text += ',';
    text.append("{\"factor\":\"").append(name).append("\"");
    if (!draw) {
      text.append(",\"lower\":");
      run::AppendJsonNumber(text, factors[r].lower);
      text.append(",\"upper\":");
      run::AppendJsonNumber(text, factors[r].upper);
    }
    for (const Column<Row>& column : columns) {
      text.append(",\"").append(column.name).append("\":");
      AppendNumber(text, rows[r].*column.member, format);
    }
    text += '}';
  }
  if (format == TableFormat::kJson) text += "]}\n";
  return text;
}

}  // namespace

std::string SobolTable(const SensitivityPlan& plan, std::span<const SobolIndex> indices,
                       TableFormat format) {
  return Table(plan, indices, kSobolColumns, format);
}

std::string MorrisTable(const SensitivityPlan& plan, std::span<const MorrisEffect> effects,
                        TableFormat format) {
  return Table(plan, effects, kMorrisColumns, format);
}

std::string ResultTable(const SensitivityPlan& plan, const SensitivityDesign& design,
                        std::span<const double> records, TableFormat format) {
  if (plan.method == SensitivityMethod::kSobol) {
    const auto& sobol = static_cast<const SobolModelDesign&>(design);
    return SobolTable(plan, SobolIndicesOf(sobol, records, plan.resamples, plan.level), format);
  }
  const auto& morris = static_cast<const MorrisModelDesign&>(design);
  return MorrisTable(plan, EstimateMorrisEffects(morris.Trajectories(), records), format);
}

std::string DesignTableHead(const SensitivityPlan& plan, const SensitivityDesign& design) {
  std::string text = "# " + SensitivityCommand(plan) + '\n';
  text.append(design.PlaceColumns()).append(",replicate");
  for (const Factor& factor : design.Context().factors) {
    text.append(",").append(FactorName(factor));
  }
  text.append(",seed,measure\n");
  return text;
}

void AppendDesignRunStart(std::string& text, const SensitivityDesign& design,
                          const model::RunArguments& arguments, std::uint64_t record,
                          std::uint64_t run) {
  design.AppendPlace(text, record);
  text += ',';
  run::AppendInteger(text, run);
  for (const Factor& factor : design.Context().factors) {
    text += ',';
    run::AppendRoundTrip(text,
                         run::ParameterValue(run::ParameterTable()[factor.parameter], arguments));
  }
  text += ',';
  run::AppendInteger(text, design.Seed(record, run));
  text += ',';
}

std::string DesignCsv(const SensitivityPlan& plan, const SensitivityDesign& design,
                      const MeasuredDesign& measured, Shard shard) {
  const UnitShardDesign part(design, shard);
  std::string text = DesignTableHead(plan, design);
  const std::uint64_t runs = design.RunsPerRecord();
  for (std::uint64_t local = 0; local < part.RecordCount(); ++local) {
    const std::uint64_t record = part.WholeRecord(local);
    const model::RunArguments arguments = design.Arguments(record);
    for (std::uint64_t run = 0; run < runs; ++run) {
      AppendDesignRunStart(text, design, arguments, record, run);
      run::AppendRoundTrip(text, measured.runs[local * runs + run]);
      text += '\n';
    }
  }
  return text;
}

}  // namespace batch
