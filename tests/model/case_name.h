#pragma once

#include <gtest/gtest.h>

#include <string>

namespace model::testing {

// Test-name generator for parameter structs that carry a `name`.
template <typename Case>
std::string CaseName(const ::testing::TestParamInfo<Case>& info) {
  return info.param.name;
}

}  // namespace model::testing
