#pragma once
// A track bar with a range, a position and a page size. SetPosition from code is
// quiet; MoveTo is the user's move and runs OnChange when the position changed.
// The position always stays inside the range.

#include <functional>

#include "toolkit/Control.h"

namespace audio77::toolkit {

enum class Orientation { kHorizontal, kVertical };

class TrackBar final : public Control {
 public:
  TrackBar(Form& form, std::string name, int tag, Control* parent, std::size_t index);

  int Min() const { return min_; }
  int Max() const { return max_; }
  // A reversed range is put in order.
  void SetRange(int min, int max);
  int Position() const { return position_; }
  void SetPosition(int position);
  void MoveTo(int position);
  int PageSize() const { return page_size_; }
  void SetPageSize(int page_size);
  Orientation GetOrientation() const { return orientation_; }
  void SetOrientation(Orientation orientation);

  std::function<void(TrackBar&)> OnChange;

 private:
  int Clamp(int position) const;

  int min_ = 0;
  int max_ = 10;
  int position_ = 0;
  int page_size_ = 2;
  Orientation orientation_ = Orientation::kHorizontal;
};

}  // namespace audio77::toolkit
