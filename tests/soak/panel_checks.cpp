#include "tests/soak/panel_checks.h"

#include <cstdio>
#include <ostream>

#include "platform/dialog.h"
#include "res/control_ids.h"
#include "tests/soak/text.h"

namespace soak {
namespace {

constexpr double kPositionScale = 0.01;
constexpr int kAgentCount = 100;
constexpr int kSlopeM = 10;

bool Checked(const ui::CMainDlg& dialog, int id) {
  return dialog.GetCheck(id) != platform::kUnchecked;
}

// A text as it reads on screen, in quotes.
struct Quoted {
  std::string_view text;
};

std::ostream& operator<<(std::ostream& out, const Quoted& quoted) {
  return out << '"' << quoted.text << '"';
}

double PositionValue(const ui::CMainDlg& dialog, int trackbarId) {
  return dialog.TrackbarPos(trackbarId) * kPositionScale;
}

template <class T>
void ExpectArgument(std::string_view name, T passed, T shown, Violations& out) {
  if (passed == shown) {
    return;
  }
  out.push_back(
      Text("the last run passed ", name, " = ", passed, " while the controls show ", shown));
}

}  // namespace

std::string ValueLabelText(int position) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", position * kPositionScale);
  return text;
}

std::optional<PanelChoice> ReadChoice(const ui::CMainDlg& dialog, Violations& out) {
  PanelChoice choice;
  bool complete = true;
  for (const RadioGroup& group : kRadioGroups) {
    int checkedCount = 0;
    for (std::size_t kind = 0; kind < kKindCount; ++kind) {
      if (Checked(dialog, group.radioIds[kind])) {
        choice.kinds[static_cast<std::size_t>(group.attr)] = static_cast<Kind>(kind);
        ++checkedCount;
      }
    }
    if (checkedCount != 1) {
      out.push_back(Text(kAttrNames[static_cast<std::size_t>(group.attr)], ": ", checkedCount,
                         " radio buttons checked, not 1"));
      complete = false;
    }
  }
  choice.sanctions = Checked(dialog, res::kIdCheckSanctions);
  return complete ? std::optional(choice) : std::nullopt;
}

void CheckValueLabels(const ui::CMainDlg& dialog, Violations& out) {
  for (const TrackbarRow& row : kTrackbars) {
    const int position = dialog.TrackbarPos(row.trackbarId);
    if (position < row.minimum || position > row.maximum) {
      out.push_back(
          Text(row.name, " trackbar at ", position, ", outside ", row.minimum, "..", row.maximum));
    }
    const std::string expected = ValueLabelText(position);
    const std::string shown = dialog.ControlText(row.labelId);
    if (shown != expected) {
      out.push_back(Text(row.name, " label reads ", Quoted{shown}, " for position ", position,
                         ", expected ", Quoted{expected}));
    }
  }
}

void CheckRowStates(const ui::CMainDlg& dialog, const PanelChoice& choice, Violations& out) {
  for (const RowRule& rule : RowRules()) {
    const bool expected = ExpectedEnabled(rule.gate, choice);
    for (const int id : rule.controls) {
      if (dialog.IsControlEnabled(id) != expected) {
        out.push_back(Text(rule.row, ": control ", id, " is ", (expected ? "disabled" : "enabled"),
                           ", expected ", (expected ? "enabled" : "disabled"), " with ",
                           Describe(choice)));
      }
    }
  }
  for (const CaptionRule& rule : CaptionRules()) {
    const std::string_view expected = ExpectedCaption(rule, choice);
    const std::string shown = dialog.ControlText(rule.captionId);
    if (shown != expected) {
      out.push_back(Text("caption ", rule.captionId, " reads ", Quoted{shown}, ", expected ",
                         Quoted{expected}, " with ", Describe(choice)));
    }
  }
}

void CheckLastRun(const ui::CMainDlg& dialog, const PanelChoice& choice,
                  const model::RunArguments& lastRun, Violations& out) {
  for (const TrackbarRow& row : kTrackbars) {
    if (row.argument != nullptr) {
      ExpectArgument(row.name, lastRun.*row.argument, PositionValue(dialog, row.trackbarId), out);
    }
  }
  for (const CountRow& row : kCountTrackbars) {
    const auto shown =
        static_cast<std::int32_t>(PositionValue(dialog, row.trackbarId) * kAgentCount);
    ExpectArgument(TrackbarById(row.trackbarId).name, lastRun.*row.argument, shown, out);
  }
  for (const RadioGroup& group : kRadioGroups) {
    const auto kind = static_cast<int>(choice.kinds[static_cast<std::size_t>(group.attr)]);
    ExpectArgument(kAttrNames[static_cast<std::size_t>(group.attr)], lastRun.*group.argument, kind,
                   out);
  }
  ExpectArgument("sanctionsOn", lastRun.sanctionsOn, static_cast<int>(choice.sanctions), out);
  ExpectArgument("agentCount", lastRun.agentCount, kAgentCount, out);
  ExpectArgument("slopeM", lastRun.slopeM, kSlopeM, out);
}

Violations CheckPanel(const ui::CMainDlg& dialog, const model::RunArguments& lastRun) {
  Violations out;
  CheckValueLabels(dialog, out);
  const std::optional<PanelChoice> choice = ReadChoice(dialog, out);
  if (choice) {
    CheckRowStates(dialog, *choice, out);
    CheckLastRun(dialog, *choice, lastRun, out);
  }
  return out;
}

}  // namespace soak
