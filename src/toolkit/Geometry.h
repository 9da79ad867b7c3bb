#pragma once
// Points, sizes and rectangles in pixels. A rectangle is half-open: it holds
// the points with left <= x < right and top <= y < bottom.

#include <algorithm>
#include <limits>

namespace audio77::toolkit {

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
  Point operator+(const Point& o) const { return {x + o.x, y + o.y}; }
  Point operator-(const Point& o) const { return {x - o.x, y - o.y}; }
};

struct Size {
  int width = 0;
  int height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;

  friend bool operator==(const Rect&, const Rect&) = default;
  int Right() const { return left + width; }
  int Bottom() const { return top + height; }
  bool Empty() const { return width <= 0 || height <= 0; }
  bool Contains(Point p) const {
    return p.x >= left && p.x < Right() && p.y >= top && p.y < Bottom();
  }
  Rect Translated(Point by) const { return {left + by.x, top + by.y, width, height}; }
  Rect Intersected(const Rect& o) const {
    const int l = std::max(left, o.left);
    const int t = std::max(top, o.top);
    const int r = std::min(Right(), o.Right());
    const int b = std::min(Bottom(), o.Bottom());
    if (r <= l || b <= t) return {l, t, 0, 0};
    return {l, t, r - l, b - t};
  }
  // Far-apart rectangles span more than an int holds: the span is cut at the
  // largest size, and the far edge with it.
  Rect United(const Rect& o) const {
    if (Empty()) return o;
    if (o.Empty()) return *this;
    const int l = std::min(left, o.left);
    const int t = std::min(top, o.top);
    return {l, t, Span(l, std::max(End(left, width), End(o.left, o.width))),
            Span(t, std::max(End(top, height), End(o.top, o.height)))};
  }

 private:
  static long long End(int start, int length) { return static_cast<long long>(start) + length; }
  static int Span(int start, long long end) {
    return static_cast<int>(std::min<long long>(end - start, std::numeric_limits<int>::max() - std::max(start, 0)));
  }
};

}  // namespace audio77::toolkit
