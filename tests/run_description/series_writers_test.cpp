#include "run_description/series_writers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "run_description/parameter_table.h"
#include "run_description/rerun_command.h"

namespace run {
namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Five series with odd values in the first steps.
class SeriesWriters : public testing::Test {
 protected:
  SeriesWriters() {
    for (int s = 0; s < model::kSeriesCount; ++s) {
      auto& values = storage_[static_cast<std::size_t>(s)];
      values.resize(model::kStepCount);
      for (int k = 0; k < model::kStepCount; ++k) {
        values[static_cast<std::size_t>(k)] = static_cast<float>(std::sin(k * 0.37 + s)) / (1 + s);
      }
      series_[static_cast<std::size_t>(s)] = values.data();
    }
    storage_[0][1] = std::numeric_limits<float>::denorm_min();
    storage_[0][2] = -0.0F;
    storage_[0][3] = std::numeric_limits<float>::quiet_NaN();
    storage_[0][4] = -std::numeric_limits<float>::infinity();
    storage_[0][5] = 0.1F;
  }

  RunRecord Record() const { return {-12, DefaultRunArguments(), series_}; }

  std::array<std::vector<float>, model::kSeriesCount> storage_;
  model::SeriesPointers series_{};
};

TEST_F(SeriesWriters, CsvHasTheRerunLineAHeaderAndOneRowPerStep) {
  std::ostringstream out;
  WriteCsv(out, Record());
  const std::vector<std::string> lines = Lines(out.str());
  ASSERT_EQ(lines.size(), 2U + model::kStepCount);
  EXPECT_EQ(lines[0], "# " + RerunCommand(-12, DefaultRunArguments()));
  EXPECT_EQ(lines[1],
            "step,firstOrderRate,secondOrderRate,meanPropensityVolunteers,"
            "meanPropensityNonVolunteers,meanPropensity");
  EXPECT_TRUE(lines[2].starts_with("0,")) << lines[2];
  EXPECT_TRUE(lines[3].starts_with("1,1.40129846e-45,")) << lines[3];
  EXPECT_TRUE(lines[4].starts_with("2,-0,")) << lines[4];
  EXPECT_TRUE(lines[5].starts_with("3,nan,")) << lines[5];
  EXPECT_TRUE(lines[6].starts_with("4,-inf,")) << lines[6];
  EXPECT_TRUE(lines[7].starts_with("5,0.100000001,")) << lines[7];
}

TEST_F(SeriesWriters, CsvValuesReadBackAsTheSameFloats) {
  std::ostringstream out;
  WriteCsv(out, Record());
  const std::vector<std::string> lines = Lines(out.str());
  for (int k = 0; k < model::kStepCount; ++k) {
    std::istringstream row(lines[static_cast<std::size_t>(k) + 2]);
    std::string cell;
    std::getline(row, cell, ',');
    EXPECT_EQ(std::stoi(cell), k);
    for (int s = 0; s < model::kSeriesCount; ++s) {
      std::getline(row, cell, ',');
      const float expected = series_[static_cast<std::size_t>(s)][k];
      if (std::isnan(expected)) continue;
      EXPECT_EQ(std::strtof(cell.c_str(), nullptr), expected) << "step " << k << " series " << s;
    }
  }
}

TEST_F(SeriesWriters, JsonCarriesSeedCommandParametersAndSeries) {
  std::ostringstream out;
  WriteJson(out, Record());
  const std::string json = out.str();
  EXPECT_EQ(json.rfind("{\"seed\":-12,\"command\":\"corvellan-run --seed -12 --paramJ 0.5 ", 0),
            0U);
  EXPECT_NE(json.find("\"parameters\":{\"paramJ\":0.5,\"paramX\":0,"), std::string::npos);
  EXPECT_NE(json.find(",\"slopeM\":10},\"series\":{\"step\":[0,1,2,"), std::string::npos);
  // Not-a-number and infinity are not JSON numbers.
  EXPECT_NE(json.find("\"firstOrderRate\":[0,1.40129846e-45,-0,null,null,0.100000001,"),
            std::string::npos);
  EXPECT_TRUE(json.ends_with("]}}\n"));
}

TEST_F(SeriesWriters, JsonLinesAreOneFlatObjectPerStep) {
  std::ostringstream out;
  WriteJsonLines(out, Record());
  const std::vector<std::string> lines = Lines(out.str());
  ASSERT_EQ(lines.size(), static_cast<std::size_t>(model::kStepCount));
  // Every row carries what repeats the run, then its step and values.
  EXPECT_EQ(lines[0].rfind("{\"seed\":-12,\"paramJ\":0.5,\"paramX\":0,", 0), 0U);
  EXPECT_NE(lines[0].find(",\"slopeM\":10,\"step\":0,\"firstOrderRate\":0,"), std::string::npos);
  EXPECT_NE(lines[3].find(",\"step\":3,\"firstOrderRate\":null,\"secondOrderRate\":"),
            std::string::npos);
  EXPECT_NE(lines[5].find("\"firstOrderRate\":0.100000001,"), std::string::npos);
  for (const std::string& line : lines) {
    EXPECT_TRUE(line.ends_with("}")) << line;
    EXPECT_EQ(line.find('['), std::string::npos) << "not flat: " << line;
  }
}

}  // namespace
}  // namespace run
