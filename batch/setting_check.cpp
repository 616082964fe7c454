#include "batch/setting_check.h"

#include "batch/model_limits.h"
#include "run_description/parameter_table.h"

namespace batch {

std::string CheckSettingText(const run::ParameterRow& entry, const std::string& text,
                             double& value) {
  model::RunArguments scratch = run::DefaultRunArguments();
  if (std::string reason = run::ReadParameterValue(entry, text, scratch); !reason.empty())
    return reason;
  value = run::ParameterValue(entry, scratch);
  const ModelLimit* limit = FindModelLimit(entry.name);
  if (limit && !WithinModelLimit(*limit, value)) {
    std::string reason = text + " fails the model's check \"";
    reason.append(limit->message).append("\"");
    return reason;
  }
  return {};
}

}  // namespace batch
