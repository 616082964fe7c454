#include <pybind11/pybind11.h>

#include "model/result_series.h"
#include "python/bindings.h"

PYBIND11_MODULE(_core, module) {
  module.doc() =
      "The compiled core of the corvellan package: the model, its parameter table and the "
      "record engine. Use the functions of corvellan itself; these take checked, plain "
      "arguments.";
  pybind11::tuple series(static_cast<std::size_t>(model::kSeriesCount));
  for (int s = 0; s < model::kSeriesCount; ++s)
    series[static_cast<std::size_t>(s)] = model::kSeriesNames[s];
  module.attr("series_names") = series;
  module.attr("step_count") = model::kStepCount;
  pymodule::BindRun(module);
  pymodule::BindSweeps(module);
}
