#pragma once

#include <vector>

#include "tests/support/recording_paint_context.h"

namespace ui_test {

using platform::Colour;
using platform::LineToOp;
using platform::RecordingPaintContext;

// The lines drawn with pens of one colour, in drawing order.
inline std::vector<LineToOp> LinesIn(const RecordingPaintContext& context, const Colour& colour) {
  std::vector<LineToOp> lines;
  for (const LineToOp& line : context.OpsOf<LineToOp>()) {
    const auto pen = context.PenOf(line.pen);
    if (pen && pen->colour == colour) lines.push_back(line);
  }
  return lines;
}

// The colours of the pens made, in order of creation.
inline std::vector<Colour> PenColours(const RecordingPaintContext& context) {
  std::vector<Colour> colours;
  for (const platform::CreatePenOp& pen : context.OpsOf<platform::CreatePenOp>()) {
    colours.push_back(pen.colour);
  }
  return colours;
}

// Index of the first recorded call of kind Op, or the number of calls when there is none.
template <class Op>
std::size_t FirstIndexOf(const RecordingPaintContext& context) {
  const auto& ops = context.Ops();
  for (std::size_t i = 0; i < ops.size(); ++i) {
    if (std::holds_alternative<Op>(ops[i])) return i;
  }
  return ops.size();
}

// Index of the last recorded call of kind Op, or the number of calls when there is none.
template <class Op>
std::size_t LastIndexOf(const RecordingPaintContext& context) {
  const auto& ops = context.Ops();
  for (std::size_t i = ops.size(); i > 0; --i) {
    if (std::holds_alternative<Op>(ops[i - 1])) return i - 1;
  }
  return ops.size();
}

}  // namespace ui_test
