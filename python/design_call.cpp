#include "python/design_call.h"

#include <pybind11/pybind11.h>

#include <chrono>
#include <future>

#include "batch/record_engine.h"

namespace py = pybind11;

namespace pymodule {
namespace {

// How often a long call looks for a signal: often enough that Ctrl-C feels
// immediate, rarely enough that taking the GIL costs nothing measurable.
constexpr std::chrono::milliseconds kSignalInterval{50};

// Asks Python, with the GIL taken for the moment, whether a signal handler
// raised an exception; once one did, the stop flag stays up.
class SignalWatch {
 public:
  explicit SignalWatch(std::atomic<bool>& stop) : stop_(stop) {}

  void Poll() {
    const auto now = std::chrono::steady_clock::now();
    if (raised_ || now - last_ < kSignalInterval) return;
    last_ = now;
    py::gil_scoped_acquire gil;
    if (PyErr_CheckSignals() != 0) {
      raised_ = true;
      stop_ = true;
    }
  }

  // Called with the GIL held: the exception the handler set, if any.
  void RaiseIfSignalled() const {
    if (raised_) throw py::error_already_set();
  }

 private:
  std::atomic<bool>& stop_;
  std::chrono::steady_clock::time_point last_ = std::chrono::steady_clock::now();
  bool raised_ = false;
};

}  // namespace

void RunDesignReleased(const batch::Design& design, batch::RecordConsumer& consumer,
                       unsigned jobs) {
  std::atomic<bool> stop{false};
  SignalWatch watch(stop);
  batch::EngineSettings settings;
  settings.jobs = jobs;
  settings.progress = [&](std::uint64_t) { watch.Poll(); };
  batch::DesignOutcome outcome;
  {
    py::gil_scoped_release released;
    outcome = batch::RunDesign(design, consumer, settings, stop);
  }
  watch.RaiseIfSignalled();
  if (outcome.end == batch::DesignEnd::kRunFailed) throw py::value_error(outcome.failure);
}

void RunStoppableReleased(const std::function<bool(const std::atomic<bool>& stop)>& work,
                          const char* failure) {
  std::atomic<bool> stop{false};
  SignalWatch watch(stop);
  bool finished = false;
  {
    py::gil_scoped_release released;
    std::future<bool> result = std::async(std::launch::async, [&] { return work(stop); });
    while (result.wait_for(kSignalInterval) != std::future_status::ready) watch.Poll();
    finished = result.get();
  }
  watch.RaiseIfSignalled();
  if (!finished) throw py::value_error(failure);
}

}  // namespace pymodule
