#include "run_description/saved_run.h"

#include <gtest/gtest.h>

#include <array>
#include <sstream>
#include <string>

#include "run_description/parameter_table.h"
#include "run_description/series_writers.h"
#include "tests/support/case_name.h"
#include "tests/support/sample_arguments.h"

namespace run {
namespace {

constexpr std::int32_t kSeed = -123456;

using SeriesValues = std::array<std::array<float, model::kStepCount>, model::kSeriesCount>;

// Made-up series, all within [0, 1].
const SeriesValues& MadeUpSeries() {
  static const SeriesValues values = [] {
    SeriesValues v{};
    for (int s = 0; s < model::kSeriesCount; ++s) {
      for (int k = 0; k < model::kStepCount; ++k) {
        v[s][k] = 0.009f * static_cast<float>(k) + 0.01f * static_cast<float>(s);
      }
    }
    return v;
  }();
  return values;
}

// A file as WriteCsv writes it, with made-up series.
std::string SavedText(const model::RunArguments& arguments, std::int32_t seed = kSeed) {
  const SeriesValues& values = MadeUpSeries();
  model::SeriesPointers series{};
  for (int s = 0; s < model::kSeriesCount; ++s) series[s] = values[s].data();
  std::ostringstream out;
  WriteCsv(out, {seed, arguments, series});
  return out.str();
}

std::string WithByteAt(std::string text, std::size_t at, char byte) {
  if (at < text.size()) text[at] = byte;
  return text;
}

// The row of step with row in its place.
std::string ReplaceRow(const std::string& text, int step, std::string_view row) {
  std::string start(1, '\n');
  start.append(std::to_string(step)).append(1, ',');
  const std::size_t found = text.find(start);
  const std::size_t end = found == std::string::npos ? found : text.find('\n', found + 1);
  if (end == std::string::npos) {
    ADD_FAILURE() << "no row of step " << step;
    return text;
  }
  std::string spoiled(text, 0, found + 1);
  spoiled.append(row);
  spoiled.append(text, end);
  return spoiled;
}

std::string Replace(std::string text, std::string_view from, std::string_view to) {
  const std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

TEST(SavedRun, ReadsBackTheSeedAndEveryArgument) {
  model::RunArguments arguments = test_support::AllNormalArguments();
  arguments.paramJ = 0.35000000000000003;
  arguments.requestedCountR = 28;
  const SavedRunReading read = ReadSavedRun(SavedText(arguments));
  ASSERT_TRUE(read.run.has_value()) << read.error;
  EXPECT_EQ(read.run->seed, kSeed);
  for (const ParameterRow& parameter : ParameterTable()) {
    EXPECT_EQ(ParameterValue(parameter, read.run->arguments), ParameterValue(parameter, arguments))
        << parameter.name;
  }
}

TEST(SavedRun, TakesDefaultsForOptionsLeftOutAndWindowsLineEnds) {
  std::string text = SavedText(DefaultRunArguments());
  text = Replace(text, text.substr(0, text.find('\n')), "# corvellan-run --seed 9 --paramJ 0.25");
  std::string crlf;
  for (const char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  const SavedRunReading read = ReadSavedRun(crlf);
  ASSERT_TRUE(read.run.has_value()) << read.error;
  EXPECT_EQ(read.run->seed, 9);
  EXPECT_EQ(read.run->arguments.paramJ, 0.25);
  EXPECT_EQ(read.run->arguments.paramX, DefaultRunArguments().paramX);
}

// The values as written (nine significant digits) read back to the same floats.
TEST(SavedRun, ReadsBackTheSeries) {
  const SavedRunReading read = ReadSavedRun(SavedText(DefaultRunArguments()));
  ASSERT_TRUE(read.run.has_value()) << read.error;
  ASSERT_EQ(read.run->series.size(), static_cast<std::size_t>(model::kSeriesCount) *
                                         static_cast<std::size_t>(model::kStepCount));
  for (int s = 0; s < model::kSeriesCount; ++s) {
    for (int k = 0; k < model::kStepCount; ++k) {
      EXPECT_EQ(read.run->series[static_cast<std::size_t>(s * model::kStepCount + k)],
                MadeUpSeries()[s][k]);
    }
  }
}

// An editor or a spreadsheet may save without the last line end.
TEST(SavedRun, TakesALastLineWithoutItsEnd) {
  const std::string text = SavedText(DefaultRunArguments());
  const SavedRunReading read = ReadSavedRun(text.substr(0, text.size() - 1));
  EXPECT_TRUE(read.run.has_value()) << read.error;
}

// A rate is a sum of shares: one rounding error above 1 is still a rate.
TEST(SavedRun, TakesARateARoundingErrorAboveOne) {
  const std::string text =
      ReplaceRow(SavedText(DefaultRunArguments()), 5, "5,1.00000012,0,0.5,0.5,0.5");
  const SavedRunReading read = ReadSavedRun(text);
  EXPECT_TRUE(read.run.has_value()) << read.error;
}

struct BadFile {
  const char* name;
  std::string (*spoil)(const std::string& text);
  std::string error;
};

const BadFile kBadFiles[] = {
    {"Empty", [](const std::string&) { return std::string(); }, "the file is empty"},
    {"Binary", [](const std::string& t) { return WithByteAt(t, 40, '\0'); },
     "the file is not text: byte 41 is no printable character"},
    {"Latin1", [](const std::string& t) { return WithByteAt(t, 3, '\xe9'); },
     "the file is not text: byte 4 is no printable character"},
    {"NoCommand", [](const std::string& t) { return t.substr(t.find('\n') + 1); },
     "line 1 is not the \"# corvellan-run ...\" command that repeats the run"},
    {"OtherProgram",
     [](const std::string& t) { return Replace(t, "corvellan-run", "corvellan-runner"); },
     "line 1 is not the \"# corvellan-run ...\" command that repeats the run"},
    {"UnknownOption", [](const std::string& t) { return Replace(t, "--paramX", "--paramY"); },
     "line 1: unknown option --paramY"},
    {"BadValue", [](const std::string& t) { return Replace(t, "--paramJ 0.5", "--paramJ abc"); },
     "line 1: --paramJ: expected a number, got \"abc\""},
    {"OptionTwice", [](const std::string& t) { return Replace(t, "--paramX 0", "--paramJ 0.5"); },
     "line 1: --paramJ is given twice"},
    {"NoSeed", [](const std::string& t) { return Replace(t, "--seed -123456 ", ""); },
     "line 1: the command has no --seed, so the run cannot be repeated"},
    {"OptionWithoutValue", [](const std::string& t) { return Replace(t, " 10\n", "\n"); },
     "line 1: --slopeM has no value"},
    {"BadHeader",
     [](const std::string& t) { return Replace(t, "step,firstOrderRate", "step,first"); },
     "line 2 is not the header \"step,firstOrderRate,secondOrderRate,meanPropensityVolunteers,"
     "meanPropensityNonVolunteers,meanPropensity\""},
    {"StepOutOfOrder", [](const std::string& t) { return Replace(t, "\n54,", "\n55,"); },
     "line 57, field step: \"55\" where step 54 belongs"},
    {"NotANumber", [](const std::string& t) { return ReplaceRow(t, 7, "7,zero,1,1,1,1"); },
     "line 10, field firstOrderRate: \"zero\" is not a number"},
    {"MissingField", [](const std::string& t) { return ReplaceRow(t, 3, "3,1,1,1,1"); },
     "line 6 has 5 fields where the step and 5 series belong"},
    {"MissingRows", [](const std::string& t) { return t.substr(0, t.find("\n80,") + 1); },
     "the file ends after line 82, before the row of step 80"},
    {"ExtraRow", [](const std::string& t) { return t + "101,1,1,1,1,1\n"; },
     "line 104 follows the row of the last step"},
    {"NaN", [](const std::string& t) { return ReplaceRow(t, 7, "7,0.5,nan,1,1,1"); },
     "line 10, field secondOrderRate: \"nan\" is not a finite number"},
    {"Infinity", [](const std::string& t) { return ReplaceRow(t, 9, "9,0.5,0,1,-inf,1"); },
     "line 12, field meanPropensityNonVolunteers: \"-inf\" is not a finite number"},
    {"RateOutOfRange", [](const std::string& t) { return ReplaceRow(t, 40, "40,7.5,0,1,1,1"); },
     "line 43, field firstOrderRate: \"7.5\" lies outside 0 to 1"},
    {"NegativeRate", [](const std::string& t) { return ReplaceRow(t, 40, "40,0.5,-0.01,1,1,1"); },
     "line 43, field secondOrderRate: \"-0.01\" lies outside 0 to 1"},
    {"MeanAboveOne",
     [](const std::string& t) { return ReplaceRow(t, 100, "100,0.5,0,1,1,1.00000012"); },
     "line 103, field meanPropensity: \"1.00000012\" lies outside 0 to 1"},
    {"Huge", [](const std::string& t) { return t + std::string(kMaxSavedRunBytes, ' '); },
     "the file is larger than a series CSV can be (1048576 bytes)"},
};

class RefusedSavedRun : public testing::TestWithParam<BadFile> {};

TEST_P(RefusedSavedRun, NamesTheFirstFault) {
  const SavedRunReading read = ReadSavedRun(GetParam().spoil(SavedText(DefaultRunArguments())));
  EXPECT_FALSE(read.run.has_value());
  EXPECT_EQ(read.error, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(Cases, RefusedSavedRun, testing::ValuesIn(kBadFiles),
                         test_support::CaseName());

}  // namespace
}  // namespace run
