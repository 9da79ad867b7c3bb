#pragma once
// Applying a whole skin to the main window, in a fixed order: background and
// window buttons, then the EQ, 3D, Effect, Mic and Virtual 7.1 pages, the page
// tabs with the left-hand picture, and the ENC and Voice Magic controls.
//
// The work is split in three: the plan lists which entry each control shows,
// Resolve loads every picture (the first missing or unreadable one throws
// PictureError before any control has changed), Commit shows them. So a skin
// with a bad picture leaves the window as it was.

#include <string>
#include <string_view>
#include <vector>

#include "toolkit/Form.h"
#include "toolkit/PictureCache.h"
#include "ui/SkinEntry.h"
#include "ui/SkinTable.h"
#include "ui/SkinViewState.h"

namespace audio77::ui {

class SkinPlan {
 public:
  SkinPlan(toolkit::Form& form, const SkinTable& table, const SkinViewState& state);

  void Resolve(toolkit::PictureCache& cache, const std::string& skin_folder);
  void Commit();

  struct Step {
    toolkit::Image* image = nullptr;
    SkinEntry entry;
    // The microphone level bar starts empty.
    bool empty_width = false;
    toolkit::PicturePtr picture;
  };
  const std::vector<Step>& Steps() const { return steps_; }

 private:
  void Show(std::string_view control, const SkinEntry& entry);
  void Show(toolkit::Image* image, const SkinEntry& entry);
  void Switch(std::string_view control, std::string_view key_base, bool down);
  void Main();
  void Eq();
  void ThreeD();
  void Effect();
  void Mic();
  void Virtual();
  void PageTabs();
  void EncAndVoice();

  toolkit::Form& form_;
  const SkinTable& table_;
  SkinViewState state_;
  std::vector<Step> steps_;
};

}  // namespace audio77::ui
