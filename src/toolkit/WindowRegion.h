#pragma once
// A window shape made of rectangles (the union of them), in client coordinates.

#include <vector>

#include "toolkit/Geometry.h"

namespace audio77::toolkit {

class WindowRegion {
 public:
  WindowRegion() = default;
  explicit WindowRegion(std::vector<Rect> rects);

  const std::vector<Rect>& Rects() const { return rects_; }
  bool Empty() const { return rects_.empty(); }
  bool Contains(Point p) const;
  Rect Bounds() const;
  friend bool operator==(const WindowRegion&, const WindowRegion&) = default;

 private:
  std::vector<Rect> rects_;
};

}  // namespace audio77::toolkit
