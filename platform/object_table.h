#pragma once

#include <cstddef>
#include <map>
#include <utility>
#include <variant>

#include "platform/paint_context.h"

namespace platform {

// Like a device context's handle table, a context holds only so many objects.
inline constexpr std::size_t kObjectQuota = 10000;

// The pens and fonts of a paint context, each under a handle, as a device
// context keeps them: a stock object and the selected ones are never deleted,
// and once quota objects exist creating one more fails.
template <typename Pen, typename Font>
class ObjectTable {
 public:
  explicit ObjectTable(std::size_t quota = kObjectQuota) : quota_(quota) {}

  // The handle of the new object; kNoObject once the quota is reached.
  DrawingObject Add(std::variant<Pen, Font> object, bool stock) {
    if (objects_.size() >= quota_) return kNoObject;
    const DrawingObject handle = next_++;
    objects_.emplace(handle, Entry{std::move(object), stock});
    return handle;
  }

  // Makes the object the selected pen or font; the one it replaces, or
  // kNoObject for an unknown handle.
  DrawingObject Select(DrawingObject object) {
    const auto found = objects_.find(object);
    if (found == objects_.end()) return kNoObject;
    DrawingObject& selected =
        std::holds_alternative<Pen>(found->second.object) ? selectedPen_ : selectedFont_;
    return std::exchange(selected, object);
  }

  void Delete(DrawingObject object) {
    const auto found = objects_.find(object);
    const bool selected = object == selectedPen_ || object == selectedFont_;
    if (found == objects_.end() || found->second.stock || selected) return;
    objects_.erase(found);
  }

  const Pen& SelectedPen() const { return std::get<Pen>(objects_.at(selectedPen_).object); }
  const Font& SelectedFont() const { return std::get<Font>(objects_.at(selectedFont_).object); }

  // Objects made and not yet deleted, stock objects left out.
  std::size_t LiveCount() const {
    std::size_t count = 0;
    for (const auto& [handle, entry] : objects_) count += entry.stock ? 0 : 1;
    return count;
  }

 private:
  struct Entry {
    std::variant<Pen, Font> object;
    bool stock;
  };

  std::size_t quota_;
  std::map<DrawingObject, Entry> objects_;
  DrawingObject next_ = kNoObject + 1;
  DrawingObject selectedPen_ = kNoObject;
  DrawingObject selectedFont_ = kNoObject;
};

}  // namespace platform
