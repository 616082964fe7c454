#pragma once

#include <gtest/gtest.h>

#include <string>

namespace test_support {

// Names each instance of a parameterised test after its case's `name`:
// INSTANTIATE_TEST_SUITE_P(Cases, Suite, testing::ValuesIn(kCases), test_support::CaseName());
struct CaseName {
  template <typename Case>
  std::string operator()(const ::testing::TestParamInfo<Case>& info) const {
    return std::string(info.param.name);
  }
};

}  // namespace test_support
