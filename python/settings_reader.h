#pragma once

#include <pybind11/pybind11.h>

#include <cstdint>
#include <string_view>
#include <vector>

#include "model/run_arguments.h"

namespace pymodule {

// Python's reading of what the runner reads from its options. Every refusal
// raises ValueError with the runner's message for the same value.

// The defaults with parameters (name to value; None keeps the default)
// applied as the runner applies its options: unknown names first, then the
// values in the table's order.
model::RunArguments ReadParameters(const pybind11::dict& parameters);

// count settings: base with the values of columns (name to a sequence of
// count values, None keeping base's) applied, each value read as the plain
// option reads it and checked against the model's limits up front, as a
// sweep checks its values; refusals name the setting by its index.
std::vector<model::RunArguments> ReadSettingColumns(const pybind11::dict& columns,
                                                    std::size_t count,
                                                    const model::RunArguments& base);

// The index of the parameter called name in the table, or ValueError.
std::size_t ParameterIndex(std::string_view name);

// --seed (None: the clock's, as the runner takes it), --replicates and --jobs
// (None: the number of cores).
std::int32_t ReadSeed(pybind11::handle seed);
std::uint64_t ReadReplicates(pybind11::handle replicates);
unsigned ReadJobs(pybind11::handle jobs);

}  // namespace pymodule
