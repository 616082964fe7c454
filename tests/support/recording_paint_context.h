#pragma once

#include <cstddef>
#include <iosfwd>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "drawing/paint_context.h"

namespace platform {

struct PaintPoint {
  int x;
  int y;
  friend bool operator==(const PaintPoint&, const PaintPoint&) = default;
};

// One recorded call each. A failed creation is recorded with result kNoObject.
struct CreatePenOp {
  PenStyle style;
  int width;
  Colour colour;
  DrawingObject result;
  std::optional<DashPattern> dashes = std::nullopt;  // of CreateDashedPen
  friend bool operator==(const CreatePenOp&, const CreatePenOp&) = default;
};

struct CreateFontOp {
  std::string face;
  int cellHeight;
  int weight;
  DrawingObject result;
  friend bool operator==(const CreateFontOp&, const CreateFontOp&) = default;
};

struct SelectObjectOp {
  DrawingObject object;
  DrawingObject previous;
  friend bool operator==(const SelectObjectOp&, const SelectObjectOp&) = default;
};

struct DeleteObjectOp {
  DrawingObject object;
  friend bool operator==(const DeleteObjectOp&, const DeleteObjectOp&) = default;
};

struct SetTextAlignOp {
  unsigned flags;
  friend bool operator==(const SetTextAlignOp&, const SetTextAlignOp&) = default;
};

// Text with the font and alignment it was drawn in.
struct TextOutOp {
  PaintPoint at;
  std::string text;
  DrawingObject font;
  unsigned align;
  Rgb colour = {0, 0, 0};
  friend bool operator==(const TextOutOp&, const TextOutOp&) = default;
};

struct MoveToOp {
  PaintPoint to;
  friend bool operator==(const MoveToOp&, const MoveToOp&) = default;
};

// A line with the pen it was drawn in; `to` itself is not drawn.
struct LineToOp {
  PaintPoint from;
  PaintPoint to;
  DrawingObject pen;
  friend bool operator==(const LineToOp&, const LineToOp&) = default;
};

struct DrawIconOp {
  PaintPoint at;
  int iconId;
  friend bool operator==(const DrawIconOp&, const DrawIconOp&) = default;
};

struct FillPolygonOp {
  std::vector<PolygonPoint> points;
  Rgb colour;
  std::uint8_t opacity;
  friend bool operator==(const FillPolygonOp&, const FillPolygonOp&) = default;
};

using PaintOp =
    std::variant<CreatePenOp, CreateFontOp, SelectObjectOp, DeleteObjectOp, SetTextAlignOp,
                 TextOutOp, MoveToOp, LineToOp, DrawIconOp, FillPolygonOp>;

// Readable test failures.
std::ostream& operator<<(std::ostream& out, const PaintPoint& point);
std::ostream& operator<<(std::ostream& out, const CreatePenOp& op);
std::ostream& operator<<(std::ostream& out, const CreateFontOp& op);
std::ostream& operator<<(std::ostream& out, const SelectObjectOp& op);
std::ostream& operator<<(std::ostream& out, const DeleteObjectOp& op);
std::ostream& operator<<(std::ostream& out, const SetTextAlignOp& op);
std::ostream& operator<<(std::ostream& out, const TextOutOp& op);
std::ostream& operator<<(std::ostream& out, const MoveToOp& op);
std::ostream& operator<<(std::ostream& out, const LineToOp& op);
std::ostream& operator<<(std::ostream& out, const DrawIconOp& op);
std::ostream& operator<<(std::ostream& out, const FillPolygonOp& op);
std::ostream& operator<<(std::ostream& out, const PaintOp& op);

// A paint context that draws nothing and remembers every call, for tests of
// paint code. It also checks the object discipline a paint handler owes the
// platform: select only live objects, release only what it made and no longer
// has selected, and leave the original pen and font selected.
class RecordingPaintContext final : public PaintContext {
 public:
  RecordingPaintContext();

  DrawingObject CreatePen(PenStyle style, int width, Colour colour) override;
  DrawingObject CreateDashedPen(const DashPattern& pattern, Rgb colour) override;
  DrawingObject CreateFont(std::string_view face, int cellHeight, int weight) override;
  DrawingObject SelectObject(DrawingObject object) override;
  void DeleteObject(DrawingObject object) override;
  void SetTextAlign(unsigned flags) override;
  void SetTextColour(Rgb colour) override;
  // Every character kMeasuredCharWidth pixels wide, the cell kMeasuredHeight high.
  TextSize MeasureText(std::string_view text) override;
  static constexpr int kMeasuredCharWidth = 7;
  static constexpr int kMeasuredHeight = 14;
  void TextOut(int x, int y, std::string_view text) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void DrawIcon(int x, int y, int iconId) override;
  void FillPolygon(std::span<const PolygonPoint> points, Rgb colour, std::uint8_t opacity) override;

  // The n-th call (counting from 1) of CreatePen, or of CreateFont, fails.
  void FailCreatePenAt(int n) { failPenAt_ = n; }
  void FailCreateFontAt(int n) { failFontAt_ = n; }

  const std::vector<PaintOp>& Ops() const { return ops_; }
  // The recorded calls of one kind, in order.
  template <class Op>
  std::vector<Op> OpsOf() const;

  DrawingObject OriginalPen() const { return originalPen_; }
  DrawingObject OriginalFont() const { return originalFont_; }
  DrawingObject CurrentPen() const { return currentPen_; }
  DrawingObject CurrentFont() const { return currentFont_; }
  PaintPoint CurrentPosition() const { return position_; }
  unsigned TextAlign() const { return textAlign_; }

  // How a pen was made; nullopt for an unknown handle. The original pen is
  // the context's black solid 1-pixel pen.
  std::optional<CreatePenOp> PenOf(DrawingObject pen) const;

  // Everything that breaks the object discipline so far, plus objects still
  // alive and originals not selected; empty once a paint has cleaned up.
  std::vector<std::string> Problems() const;

 private:
  enum class ObjectKind { kPen, kFont };
  struct ObjectState {
    ObjectKind kind;
    bool original;
    bool alive;
  };

  DrawingObject Register(ObjectKind kind, bool original);
  DrawingObject& CurrentOf(ObjectKind kind);
  void Complain(std::string problem) { misuse_.push_back(std::move(problem)); }

  std::vector<PaintOp> ops_;
  std::map<DrawingObject, ObjectState> objects_;
  std::map<DrawingObject, CreatePenOp> pens_;
  std::vector<std::string> misuse_;
  DrawingObject nextObject_ = kNoObject + 1;
  DrawingObject originalPen_;
  DrawingObject originalFont_;
  DrawingObject currentPen_;
  DrawingObject currentFont_;
  PaintPoint position_{0, 0};
  unsigned textAlign_ = kTextAlignLeft | kTextAlignTop;
  Rgb textColour_{0, 0, 0};
  int penCalls_ = 0;
  int fontCalls_ = 0;
  std::optional<int> failPenAt_;
  std::optional<int> failFontAt_;
};

template <class Op>
std::vector<Op> RecordingPaintContext::OpsOf() const {
  std::vector<Op> found;
  for (const PaintOp& op : ops_) {
    if (const Op* match = std::get_if<Op>(&op)) {
      found.push_back(*match);
    }
  }
  return found;
}

}  // namespace platform
