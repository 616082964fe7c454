#include "cli/dynamics_path_choice.h"

#include <string_view>

#include "cli/error_line.h"
#include "model/dynamics_path.h"

namespace cli {
namespace {

std::string AvailablePaths() {
  std::string names;
  for (const model::DynamicsPath path : model::kDynamicsPaths) {
    if (!model::PathAvailable(path)) continue;
    if (!names.empty()) names += ", ";
    names += model::PathName(path);
  }
  return names;
}

}  // namespace

bool ApplyPathChoice(const char* value, std::ostream& err) {
  if (value == nullptr || *value == '\0') return true;
  const std::optional<model::DynamicsPath> path = model::PathNamed(value);
  if (path && model::SelectDynamicsPath(*path)) return true;
  WriteErrorLine(err, std::string(kPathVariable) + "=" + value + ": " +
                          (path ? "this processor cannot run that path" : "no such path") +
                          " (available: " + AvailablePaths() + ")");
  return false;
}

std::string DescribeDynamicsPath() {
  return "dynamics: " + std::string(model::PathName(model::ActiveDynamicsPath())) +
         " (available: " + AvailablePaths() + ")";
}

}  // namespace cli
