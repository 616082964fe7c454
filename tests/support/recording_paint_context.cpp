#include "tests/support/recording_paint_context.h"

#include <ostream>
#include <sstream>
#include <string>

namespace platform {
namespace {

constexpr int kDefaultPenWidth = 1;
constexpr Rgb kDefaultPenColour{0, 0, 0};

// Streams the parts into one string (plain + chains trip a false GCC 12 warning).
template <typename... Parts>
std::string Concat(const Parts&... parts) {
  std::ostringstream out;
  (out << ... << parts);
  return out.str();
}

std::string Describe(DrawingObject object) {
  return object == kNoObject ? std::string("none") : Concat("#", object);
}

std::string Describe(const Colour& colour) {
  if (const Rgb* rgb = std::get_if<Rgb>(&colour)) {
    return Concat("rgb(", int{rgb->red}, ",", int{rgb->green}, ",", int{rgb->blue}, ")");
  }
  const bool workspace = std::get<SystemColour>(colour) == SystemColour::kAppWorkspace;
  return workspace ? "app-workspace" : "button-shadow";
}

std::string_view StyleName(PenStyle style) {
  switch (style) {
    case PenStyle::kSolid:
      return "solid";
    case PenStyle::kDot:
      return "dot";
    case PenStyle::kDash:
      return "dash";
  }
  return "?";
}

struct OpPrinter {
  std::ostream& out;

  void operator()(const CreatePenOp& op) const {
    out << "CreatePen(" << StyleName(op.style) << ", " << op.width << ", " << Describe(op.colour)
        << ") -> " << Describe(op.result);
  }
  void operator()(const CreateFontOp& op) const {
    out << "CreateFont(\"" << op.face << "\", " << op.cellHeight << ", " << op.weight << ") -> "
        << Describe(op.result);
  }
  void operator()(const SelectObjectOp& op) const {
    out << "SelectObject(" << Describe(op.object) << ") -> " << Describe(op.previous);
  }
  void operator()(const DeleteObjectOp& op) const {
    out << "DeleteObject(" << Describe(op.object) << ")";
  }
  void operator()(const SetTextAlignOp& op) const { out << "SetTextAlign(" << op.flags << ")"; }
  void operator()(const TextOutOp& op) const {
    out << "TextOut(" << op.at << ", \"" << op.text << "\", font " << Describe(op.font)
        << ", align " << op.align << ")";
  }
  void operator()(const MoveToOp& op) const { out << "MoveTo" << op.to; }
  void operator()(const LineToOp& op) const {
    out << "LineTo" << op.from << "->" << op.to << " pen " << Describe(op.pen);
  }
  void operator()(const DrawIconOp& op) const {
    out << "DrawIcon(" << op.at << ", " << op.iconId << ")";
  }
  void operator()(const FillPolygonOp& op) const {
    out << "FillPolygon(" << op.points.size() << " points, " << Describe(Colour{op.colour})
        << ", opacity " << int{op.opacity} << ")";
  }
};

}  // namespace

std::ostream& operator<<(std::ostream& out, const PaintPoint& point) {
  return out << "(" << point.x << ", " << point.y << ")";
}

std::ostream& operator<<(std::ostream& out, const PaintOp& op) {
  std::visit(OpPrinter{out}, op);
  return out;
}

std::ostream& operator<<(std::ostream& out, const CreatePenOp& op) {
  return out << PaintOp(op);
}
std::ostream& operator<<(std::ostream& out, const CreateFontOp& op) {
  return out << PaintOp(op);
}
std::ostream& operator<<(std::ostream& out, const SelectObjectOp& op) {
  return out << PaintOp(op);
}
std::ostream& operator<<(std::ostream& out, const DeleteObjectOp& op) {
  return out << PaintOp(op);
}
std::ostream& operator<<(std::ostream& out, const SetTextAlignOp& op) {
  return out << PaintOp(op);
}
std::ostream& operator<<(std::ostream& out, const TextOutOp& op) {
  return out << PaintOp(op);
}
std::ostream& operator<<(std::ostream& out, const MoveToOp& op) {
  return out << PaintOp(op);
}
std::ostream& operator<<(std::ostream& out, const LineToOp& op) {
  return out << PaintOp(op);
}
std::ostream& operator<<(std::ostream& out, const DrawIconOp& op) {
  return out << PaintOp(op);
}

std::ostream& operator<<(std::ostream& out, const FillPolygonOp& op) {
  return out << PaintOp(op);
}

RecordingPaintContext::RecordingPaintContext()
    : originalPen_(Register(ObjectKind::kPen, true)),
      originalFont_(Register(ObjectKind::kFont, true)),
      currentPen_(originalPen_),
      currentFont_(originalFont_) {
  pens_.emplace(originalPen_,
                CreatePenOp{PenStyle::kSolid, kDefaultPenWidth, kDefaultPenColour, originalPen_});
}

DrawingObject RecordingPaintContext::Register(ObjectKind kind, bool original) {
  const DrawingObject object = nextObject_++;
  objects_.emplace(object, ObjectState{kind, original, true});
  return object;
}

DrawingObject& RecordingPaintContext::CurrentOf(ObjectKind kind) {
  return kind == ObjectKind::kPen ? currentPen_ : currentFont_;
}

DrawingObject RecordingPaintContext::CreatePen(PenStyle style, int width, Colour colour) {
  ++penCalls_;
  const bool fails = failPenAt_ == penCalls_;
  const DrawingObject pen = fails ? kNoObject : Register(ObjectKind::kPen, false);
  const CreatePenOp op{style, width, colour, pen};
  if (pen != kNoObject) pens_.emplace(pen, op);
  ops_.emplace_back(op);
  return pen;
}

DrawingObject RecordingPaintContext::CreateDashedPen(const DashPattern& pattern, Rgb colour) {
  ++penCalls_;
  const bool fails = failPenAt_ == penCalls_;
  const DrawingObject pen = fails ? kNoObject : Register(ObjectKind::kPen, false);
  const CreatePenOp op{PenStyle::kDash, 1, colour, pen, pattern};
  if (pen != kNoObject) pens_.emplace(pen, op);
  ops_.emplace_back(op);
  return pen;
}

DrawingObject RecordingPaintContext::CreateFont(std::string_view face, int cellHeight, int weight) {
  ++fontCalls_;
  const bool fails = failFontAt_ == fontCalls_;
  const DrawingObject font = fails ? kNoObject : Register(ObjectKind::kFont, false);
  ops_.emplace_back(CreateFontOp{std::string(face), cellHeight, weight, font});
  return font;
}

DrawingObject RecordingPaintContext::SelectObject(DrawingObject object) {
  const auto found = objects_.find(object);
  if (found == objects_.end() || !found->second.alive) {
    Complain(Concat("selected ", Describe(object), ", which is not a live object"));
    ops_.emplace_back(SelectObjectOp{object, kNoObject});
    return kNoObject;
  }
  DrawingObject& current = CurrentOf(found->second.kind);
  const DrawingObject previous = current;
  current = object;
  ops_.emplace_back(SelectObjectOp{object, previous});
  return previous;
}

void RecordingPaintContext::DeleteObject(DrawingObject object) {
  ops_.emplace_back(DeleteObjectOp{object});
  const auto found = objects_.find(object);
  if (found == objects_.end() || !found->second.alive) {
    Complain(Concat("deleted ", Describe(object), ", which is not a live object"));
    return;
  }
  ObjectState& state = found->second;
  if (state.original) {
    Complain(Concat("deleted the context's own ", Describe(object)));
    return;
  }
  if (CurrentOf(state.kind) == object) {
    Complain(Concat("deleted ", Describe(object), " while it was selected"));
    return;
  }
  state.alive = false;
}

void RecordingPaintContext::SetTextAlign(unsigned flags) {
  textAlign_ = flags;
  ops_.emplace_back(SetTextAlignOp{flags});
}

void RecordingPaintContext::SetTextColour(Rgb colour) {
  textColour_ = colour;
}

TextSize RecordingPaintContext::MeasureText(std::string_view text) {
  return {kMeasuredCharWidth * static_cast<int>(text.size()), kMeasuredHeight};
}

void RecordingPaintContext::TextOut(int x, int y, std::string_view text) {
  ops_.emplace_back(TextOutOp{{x, y}, std::string(text), currentFont_, textAlign_, textColour_});
}

void RecordingPaintContext::MoveTo(int x, int y) {
  position_ = {x, y};
  ops_.emplace_back(MoveToOp{position_});
}

void RecordingPaintContext::LineTo(int x, int y) {
  const PaintPoint from = position_;
  position_ = {x, y};
  ops_.emplace_back(LineToOp{from, position_, currentPen_});
}

void RecordingPaintContext::DrawIcon(int x, int y, int iconId) {
  ops_.emplace_back(DrawIconOp{{x, y}, iconId});
}

void RecordingPaintContext::FillPolygon(std::span<const PolygonPoint> points, Rgb colour,
                                        std::uint8_t opacity) {
  ops_.emplace_back(FillPolygonOp{{points.begin(), points.end()}, colour, opacity});
}

std::optional<CreatePenOp> RecordingPaintContext::PenOf(DrawingObject pen) const {
  const auto found = pens_.find(pen);
  if (found == pens_.end()) return std::nullopt;
  return found->second;
}

std::vector<std::string> RecordingPaintContext::Problems() const {
  std::vector<std::string> problems = misuse_;
  for (const auto& [object, state] : objects_) {
    if (state.alive && !state.original) {
      problems.push_back(Concat(Describe(object), " was never deleted"));
    }
  }
  if (currentPen_ != originalPen_) {
    problems.push_back(Concat("pen ", Describe(currentPen_), " is still selected"));
  }
  if (currentFont_ != originalFont_) {
    problems.push_back(Concat("font ", Describe(currentFont_), " is still selected"));
  }
  return problems;
}

}  // namespace platform
