#include "toolkit/WindowRegion.h"

#include <algorithm>

namespace audio77::toolkit {

WindowRegion::WindowRegion(std::vector<Rect> rects) {
  // Empty rectangles add nothing to the shape.
  std::copy_if(rects.begin(), rects.end(), std::back_inserter(rects_),
               [](const Rect& r) { return !r.Empty(); });
}

bool WindowRegion::Contains(Point p) const {
  return std::any_of(rects_.begin(), rects_.end(), [p](const Rect& r) { return r.Contains(p); });
}

Rect WindowRegion::Bounds() const {
  Rect bounds;
  for (const Rect& r : rects_) bounds = bounds.United(r);
  return bounds;
}

}  // namespace audio77::toolkit
