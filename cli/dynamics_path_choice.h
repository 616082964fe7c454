#pragma once

#include <optional>
#include <ostream>
#include <string>

namespace cli {

// The environment variable that makes the runner take a given path of the
// dynamics instead of the widest the processor has, to compare the paths.
inline constexpr const char* kPathVariable = "CORVELLAN_PATH";

// Takes the path named by the variable's value, if it is set. Unset or empty
// leaves the choice to the processor; a name the build does not know, or a
// path this processor cannot run, writes one error line and returns false.
bool ApplyPathChoice(const char* value, std::ostream& err);

// "dynamics: <path>" and the paths this processor could take.
std::string DescribeDynamicsPath();

}  // namespace cli
