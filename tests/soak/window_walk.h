// A seeded random walk of user actions on the real main dialog, through Qt
// input events, with every invariant checked after each action.
#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <iterator>
#include <random>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/run_arguments.h"
#include "platform/message_box.h"
#include "tests/soak/model_checks.h"
#include "tests/soak/overlay_watch.h"
#include "ui/main_dialog.h"

class QWidget;

namespace soak {

// What one action did, as the log shows it, and what it promises.
struct ActionOutcome {
  std::string text;
  bool onEnabledControl = true;  // a command or scroll must follow, else nothing may run
  Violations violations;         // found while acting (the slope dialog's own checks)
};

class WindowWalk {
 public:
  explicit WindowWalk(std::uint32_t seed);
  ~WindowWalk();
  WindowWalk(const WindowWalk&) = delete;
  WindowWalk& operator=(const WindowWalk&) = delete;

  // What keeps the walk from starting: no overlay file, no start-up run, or
  // a start-up state that already breaks an invariant.
  Violations CheckStart();
  // Performs one random action; `out` receives every invariant it broke.
  std::string Step(Violations& out);
  int Runs() const { return runs_; }
  // How far the walk reached: panel states seen, runs with a correlation
  // redrawing shares, how often each kind of action came.
  std::string Coverage() const;

 private:
  // One kind of action and how often the walk picks it, relative to the others.
  struct ActionKind {
    std::string_view name;
    int weight;
    ActionOutcome (WindowWalk::*perform)();
  };
  static constexpr std::size_t kActionKindCount = 7;
  static const std::array<ActionKind, kActionKindCount> kActionKinds;

  const ActionKind& PickActionKind();
  int Uniform(int low, int high);
  template <class Table>
  const auto& Pick(const Table& table) {
    return table[static_cast<std::size_t>(Uniform(0, static_cast<int>(std::size(table)) - 1))];
  }
  // Mostly one of the enabled rows, as a user aims at what is usable, and
  // now and then any row, disabled or not.
  template <class Row, class IdOf>
  const Row& PickAimed(std::span<const Row> rows, IdOf idOf);
  QWidget* Control(int id) const;
  void ClickControl(int id);

  ActionOutcome PressTrackbarKey();
  ActionOutcome DragTrackbarThumb();
  ActionOutcome ClickRadioButton();
  ActionOutcome ClickSanctions();
  ActionOutcome ClickSeriesBox();
  ActionOutcome ClickDumpData();
  ActionOutcome OpenAndCloseSlopeDialog();

  void OnRun(const model::RunArguments& arguments);
  void CheckAfter(const ActionOutcome& outcome, int runsBefore, Violations& out);
  void NoteState();

  std::mt19937 random_;
  OverlayWatch overlay_;
  std::vector<std::string> messages_;
  platform::MessageBoxHandler previousHandler_;
  int runs_ = 0;
  model::RunArguments lastRun_{};
  Violations runViolations_;
  ui::CMainDlg dialog_;

  // Kinds and sanctions: 3^5 kind choices, each with sanctions off and on.
  static constexpr std::size_t kPanelStateCount = 486;
  std::bitset<kPanelStateCount> statesSeen_;
  int correlatedRuns_ = 0;
  std::array<int, kActionKindCount> actionCounts_{};
};

}  // namespace soak
