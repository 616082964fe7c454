#include "tests/soak/window_walk.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <memory>
#include <numeric>
#include <optional>
#include <utility>

#include "platform/active_dialogs.h"
#include "platform/dialog_window.h"
#include "platform/trackbar.h"
#include "res/control_ids.h"
#include "run_description/rerun_command.h"
#include "tests/soak/panel_checks.h"
#include "tests/soak/panel_tables.h"
#include "tests/soak/text.h"
#include "ui/slope_dialog.h"

namespace soak {
namespace {

// Share of picks that aim at enabled controls, in percent.
constexpr int kAimedPercent = 80;
constexpr int kPercent = 100;

// Where a key takes an enabled trackbar's thumb. Page steps are left to the
// platform's page size and only checked to stay in range.
enum class KeyTarget : std::uint8_t { kLineBack, kLineOn, kPage, kMinimum, kMaximum };

// Keys a user steps a focused trackbar with.
struct TrackbarKey {
  Qt::Key key;
  std::string_view name;
  KeyTarget target;
};
constexpr TrackbarKey kTrackbarKeys[] = {
    {Qt::Key_Left, "Left", KeyTarget::kLineBack}, {Qt::Key_Right, "Right", KeyTarget::kLineOn},
    {Qt::Key_Up, "Up", KeyTarget::kLineBack},     {Qt::Key_Down, "Down", KeyTarget::kLineOn},
    {Qt::Key_PageUp, "PageUp", KeyTarget::kPage}, {Qt::Key_PageDown, "PageDown", KeyTarget::kPage},
    {Qt::Key_Home, "Home", KeyTarget::kMinimum},  {Qt::Key_End, "End", KeyTarget::kMaximum},
};

// The position a key leaves, or nothing when only the range is promised.
std::optional<int> KeyedPosition(KeyTarget target, const TrackbarRow& row, int before) {
  switch (target) {
    case KeyTarget::kLineBack:
      return std::max(row.minimum, before - 1);
    case KeyTarget::kLineOn:
      return std::min(row.maximum, before + 1);
    case KeyTarget::kMinimum:
      return row.minimum;
    case KeyTarget::kMaximum:
      return row.maximum;
    case KeyTarget::kPage:
      break;
  }
  return std::nullopt;
}

// A drag goes up to this far beyond the trackbar's width either way, so that
// thumbs are also pulled past both ends; a user's mouse reports a drag in a
// few moves, not pixel by pixel.
constexpr int kDragOvershoot = 20;
constexpr int kMaxDragMoves = 4;

// The two ways the walk closes the slope dialog.
struct SlopeClosing {
  int buttonId;
  std::string_view name;
};
constexpr SlopeClosing kSlopeClosings[] = {
    {res::kIdSlopeOk, "OK"},
    {res::kIdSlopeCancel, "Cancel"},
};
constexpr std::string_view kSlopeShown = "10";

// The queued work that closes the slope dialog re-queues itself this often
// while the dialog is not open yet.
constexpr int kSlopeWaitRounds = 1000;

int TrackbarId(const TrackbarRow& row) {
  return row.trackbarId;
}

std::string_view OnOff(bool on) {
  return on ? "on" : "off";
}

std::string_view Disabled(bool enabled) {
  return enabled ? "" : " (disabled)";
}

// What the queued closer saw of one opening of the slope dialog.
struct SlopeVisit {
  bool pending = true;  // cleared when the click has returned: a late closer does nothing
  bool opened = false;
  bool closed = false;
  bool ownerWasEnabled = false;
  std::string shownText;
};

void ClickWidget(QWidget* widget) {
  QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
}

void CloseSlopeWhenOpen(std::shared_ptr<SlopeVisit> visit, const ui::CMainDlg* owner,
                        int closeButton, int roundsLeft) {
  QTimer::singleShot(0, [visit, owner, closeButton, roundsLeft] {
    if (!visit->pending) {
      return;
    }
    auto* slope = dynamic_cast<ui::CAdvDlg*>(platform::ActiveDialog());
    if (slope == nullptr) {
      if (roundsLeft > 0) {
        CloseSlopeWhenOpen(visit, owner, closeButton, roundsLeft - 1);
      }
      return;
    }
    visit->opened = true;
    visit->shownText = slope->ControlText(res::kIdSlopeEdit);
    visit->ownerWasEnabled = owner->IsWindowEnabled();
    ClickWidget(slope->Window()->Control(closeButton));
    visit->closed = platform::ActiveDialog() != slope;
    if (!visit->closed) {
      slope->EndDialog(platform::kIdCancel);  // keeps a broken button from hanging the walk
    }
  });
}

}  // namespace

// How often each action comes, out of the sum of the weights.
const std::array<WindowWalk::ActionKind, WindowWalk::kActionKindCount> WindowWalk::kActionKinds = {{
    {"trackbar key", 30, &WindowWalk::PressTrackbarKey},
    {"thumb drag", 25, &WindowWalk::DragTrackbarThumb},
    {"radio button", 20, &WindowWalk::ClickRadioButton},
    {"Sanctions", 6, &WindowWalk::ClickSanctions},
    {"series box", 8, &WindowWalk::ClickSeriesBox},
    {"Dump data to file", 5, &WindowWalk::ClickDumpData},
    {"Slope Parameter", 6, &WindowWalk::OpenAndCloseSlopeDialog},
}};

WindowWalk::WindowWalk(std::uint32_t seed)
    : random_(seed),
      previousHandler_(platform::SetMessageBoxHandler(
          [this](std::string_view text, platform::MessageIcon) { messages_.emplace_back(text); })) {
  dialog_.SetRunObserver([this](const model::RunArguments& arguments) { OnRun(arguments); });
  dialog_.Create();
}

WindowWalk::~WindowWalk() {
  platform::SetMessageBoxHandler(previousHandler_);
}

int WindowWalk::Uniform(int low, int high) {
  const auto span = static_cast<std::uint32_t>(high - low) + 1U;
  return low + static_cast<int>(random_() % span);
}

const WindowWalk::ActionKind& WindowWalk::PickActionKind() {
  const int total =
      std::accumulate(kActionKinds.begin(), kActionKinds.end(), 0,
                      [](int sum, const ActionKind& kind) { return sum + kind.weight; });
  int ticket = Uniform(0, total - 1);
  for (const ActionKind& kind : kActionKinds) {
    if (ticket < kind.weight) {
      return kind;
    }
    ticket -= kind.weight;
  }
  return kActionKinds.back();
}

template <class Row, class IdOf>
const Row& WindowWalk::PickAimed(std::span<const Row> rows, IdOf idOf) {
  const bool aimed = Uniform(0, kPercent - 1) < kAimedPercent;
  std::vector<const Row*> candidates;
  for (const Row& row : rows) {
    if (!aimed || dialog_.IsControlEnabled(idOf(row))) {
      candidates.push_back(&row);
    }
  }
  if (candidates.empty()) {
    return rows[static_cast<std::size_t>(Uniform(0, static_cast<int>(rows.size()) - 1))];
  }
  return *candidates[static_cast<std::size_t>(Uniform(0, static_cast<int>(candidates.size()) - 1))];
}

QWidget* WindowWalk::Control(int id) const {
  return dialog_.Window()->Control(id);
}

void WindowWalk::ClickControl(int id) {
  ClickWidget(Control(id));
}

void WindowWalk::OnRun(const model::RunArguments& arguments) {
  ++runs_;
  lastRun_ = arguments;
  if (runViolations_.empty()) {
    runViolations_ = CheckModel(dialog_.model, arguments);
    if (!runViolations_.empty()) {
      runViolations_.push_back(Text("that run again, without the window: ",
                                    run::RerunCommand(dialog_.model.runSeed, arguments)));
    }
  }
  if (CorrelationRedrawsShares(arguments)) {
    ++correlatedRuns_;
  }
}

Violations WindowWalk::CheckStart() {
  Violations out;
  if (!overlay_.Ready()) {
    out.push_back("no blank Graph.bmp could be written in the temporary directory");
  }
  if (runs_ == 0) {
    out.push_back("the dialog made no run at start-up");
    return out;
  }
  out = runViolations_;
  for (std::string& violation : CheckPanel(dialog_, lastRun_)) {
    out.push_back(std::move(violation));
  }
  overlay_.Check(out);
  return out;
}

std::string WindowWalk::Step(Violations& out) {
  // Every action's runs sample from their own seed, so a replay sees the same populations.
  dialog_.model.fixedSeed = static_cast<std::int32_t>(random_());
  const ActionKind& kind = PickActionKind();
  ++actionCounts_[static_cast<std::size_t>(&kind - kActionKinds.data())];
  const int runsBefore = runs_;
  const std::size_t messagesBefore = messages_.size();
  runViolations_.clear();
  const ActionOutcome outcome = (this->*kind.perform)();
  out = outcome.violations;
  for (std::size_t m = messagesBefore; m < messages_.size(); ++m) {
    out.push_back(Text("a message box said \"", messages_[m], "\""));
  }
  CheckAfter(outcome, runsBefore, out);
  return Text(outcome.text, " [", runs_ - runsBefore, " runs]");
}

void WindowWalk::CheckAfter(const ActionOutcome& outcome, int runsBefore, Violations& out) {
  const int runs = runs_ - runsBefore;
  if (outcome.onEnabledControl && runs == 0) {
    out.push_back("the action reached an enabled control but the model did not run");
  } else if (!outcome.onEnabledControl && runs != 0) {
    out.push_back(Text("the action reached a disabled control but the model ran ", runs, " times"));
  }
  for (const std::string& violation : runViolations_) {
    out.push_back(Text("during the action: ", violation));
  }
  if (!dialog_.IsWindowEnabled()) {
    out.push_back("the main window is left disabled");
  }
  for (std::string& violation : CheckPanel(dialog_, lastRun_)) {
    out.push_back(std::move(violation));
  }
  overlay_.Check(out);
  NoteState();
}

void WindowWalk::NoteState() {
  Violations ignored;
  const std::optional<PanelChoice> choice = ReadChoice(dialog_, ignored);
  if (!choice) {
    return;
  }
  std::size_t state = choice->sanctions ? 1 : 0;
  for (const Kind kind : choice->kinds) {
    state = state * kKindCount + static_cast<std::size_t>(kind);
  }
  statesSeen_.set(state);
}

std::string WindowWalk::Coverage() const {
  std::string text = Text(statesSeen_.count(), " of ", kPanelStateCount, " panel states, ",
                          correlatedRuns_, " runs with a correlation redrawing shares; actions:");
  for (std::size_t kind = 0; kind < kActionKindCount; ++kind) {
    text += Text(" ", kActionKinds[kind].name, " ", actionCounts_[kind]);
  }
  return text;
}

ActionOutcome WindowWalk::PressTrackbarKey() {
  const TrackbarRow& row = PickAimed<TrackbarRow>(kTrackbars, TrackbarId);
  const TrackbarKey& key = Pick(kTrackbarKeys);
  const bool enabled = dialog_.IsControlEnabled(row.trackbarId);
  const int before = dialog_.TrackbarPos(row.trackbarId);
  QTest::keyClick(Control(row.trackbarId), key.key);
  const int after = dialog_.TrackbarPos(row.trackbarId);
  ActionOutcome outcome{Text("key ", key.name, " on ", row.name, " (", row.trackbarId, ")",
                             Disabled(enabled), ": ", before, " -> ", after),
                        enabled,
                        {}};
  const std::optional<int> expected =
      enabled ? KeyedPosition(key.target, row, before) : std::optional(before);
  if (expected && after != *expected) {
    outcome.violations.push_back(Text("key ", key.name, " moved ", row.name, " from ", before,
                                      " to ", after, ", expected ", *expected));
  }
  return outcome;
}

ActionOutcome WindowWalk::DragTrackbarThumb() {
  const TrackbarRow& row = PickAimed<TrackbarRow>(kTrackbars, TrackbarId);
  auto* trackbar = qobject_cast<platform::Trackbar*>(Control(row.trackbarId));
  const int reach = trackbar->width() + kDragOvershoot;
  const int distance = Uniform(-reach, reach);
  const int moves = Uniform(1, kMaxDragMoves);
  const bool enabled = dialog_.IsControlEnabled(row.trackbarId);
  const int before = dialog_.TrackbarPos(row.trackbarId);
  const QPoint grip = trackbar->ThumbRect().center();
  QTest::mousePress(trackbar, Qt::LeftButton, Qt::NoModifier, grip);
  for (int move = 1; move <= moves; ++move) {
    const QPoint at = grip + QPoint(distance * move / moves, 0);
    QMouseEvent event(QEvent::MouseMove, at, trackbar->mapToGlobal(at), Qt::NoButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(trackbar, &event);
  }
  QTest::mouseRelease(trackbar, Qt::LeftButton, Qt::NoModifier, grip + QPoint(distance, 0));
  const int after = dialog_.TrackbarPos(row.trackbarId);
  ActionOutcome outcome{
      Text("drag ", row.name, " (", row.trackbarId, ") thumb by ", distance, " px in ", moves,
           " moves", Disabled(enabled), ": ", before, " -> ", after),
      enabled,
      {}};
  // The thumb follows the mouse: never against the drag, not at all when disabled.
  const bool against = (after - before) * distance < 0;
  if (against || (!enabled && after != before)) {
    outcome.violations.push_back(
        Text("dragging ", row.name, " by ", distance, " px moved it from ", before, " to ", after));
  }
  return outcome;
}

ActionOutcome WindowWalk::ClickRadioButton() {
  const RadioButtonRow& button =
      PickAimed<RadioButtonRow>(kRadioButtons, [](const RadioButtonRow& row) { return row.id; });
  const bool enabled = dialog_.IsControlEnabled(button.id);
  ClickControl(button.id);
  return {Text("click ", kAttrNames[static_cast<std::size_t>(button.attr)], " ",
               kKindNames[static_cast<std::size_t>(button.kind)], " (", button.id, ")",
               Disabled(enabled)),
          enabled,
          {}};
}

ActionOutcome WindowWalk::ClickSanctions() {
  const bool before = dialog_.GetCheck(res::kIdCheckSanctions) != platform::kUnchecked;
  ClickControl(res::kIdCheckSanctions);
  const bool after = dialog_.GetCheck(res::kIdCheckSanctions) != platform::kUnchecked;
  ActionOutcome outcome{Text("click Sanctions: ", OnOff(before), " -> ", OnOff(after)), true, {}};
  if (after == before) {
    outcome.violations.push_back("the Sanctions box did not toggle");
  }
  return outcome;
}

ActionOutcome WindowWalk::ClickSeriesBox() {
  const int id = Pick(kSeriesBoxes);
  const bool before = dialog_.GetCheck(id) != platform::kUnchecked;
  ClickControl(id);
  const bool after = dialog_.GetCheck(id) != platform::kUnchecked;
  ActionOutcome outcome{
      Text("click series box ", id, ": ", OnOff(before), " -> ", OnOff(after)), true, {}};
  if (after == before) {
    outcome.violations.push_back(Text("series box ", id, " did not toggle"));
  }
  return outcome;
}

ActionOutcome WindowWalk::ClickDumpData() {
  ClickControl(res::kIdButtonDumpData);
  overlay_.ExpectOneMoreExport();
  return {"click Dump data to file", true, {}};
}

ActionOutcome WindowWalk::OpenAndCloseSlopeDialog() {
  const SlopeClosing& closing = Pick(kSlopeClosings);
  auto visit = std::make_shared<SlopeVisit>();
  CloseSlopeWhenOpen(visit, &dialog_, closing.buttonId, kSlopeWaitRounds);
  ClickControl(res::kIdButtonSlopeParameter);
  visit->pending = false;
  ActionOutcome outcome{Text("open Slope Parameter, close with ", closing.name), true, {}};
  if (!visit->opened) {
    outcome.violations.push_back("the slope dialog did not open");
    return outcome;
  }
  if (!visit->closed) {
    outcome.violations.push_back(Text("the slope dialog stayed open after ", closing.name));
  }
  if (visit->shownText != kSlopeShown) {
    outcome.violations.push_back(
        Text("the slope dialog showed \"", visit->shownText, "\", not \"", kSlopeShown, "\""));
  }
  if (visit->ownerWasEnabled) {
    outcome.violations.push_back("the main window took input while the slope dialog was open");
  }
  return outcome;
}

}  // namespace soak
