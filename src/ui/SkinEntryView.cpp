#include "ui/SkinEntryView.h"

#include "toolkit/Application.h"
#include "toolkit/Form.h"

namespace audio77::ui {

std::string SkinPicturePath(const std::string& skin_folder, const SkinEntry& entry) {
  return skin_folder + entry.file;
}

toolkit::PicturePtr LoadSkinPicture(toolkit::PictureCache& cache, const std::string& skin_folder,
                                    const SkinEntry& entry) {
  if (entry.file.empty()) return nullptr;
  return cache.Load(SkinPicturePath(skin_folder, entry));
}

void ShowSkinEntry(const SkinEntry& entry, toolkit::PicturePtr picture, toolkit::Image& image) {
  // Automatic sizing goes off before the picture changes, so a size the entry
  // gives only in part keeps the other dimension of the control.
  image.SetAutoSize(false);
  if (picture) {
    image.SetPicture(std::move(picture));
    image.Show();
  } else {
    image.Hide();
  }
  if (entry.left_given) image.SetLeft(entry.left);
  if (entry.top_given) image.SetTop(entry.top);
  if (entry.width_given) image.SetWidth(entry.width);
  if (entry.height_given) image.SetHeight(entry.height);
  if (!entry.width_given && !entry.height_given) image.SetAutoSize(true);
}

void ApplySkinEntry(const SkinEntry& entry, toolkit::Image& image, const std::string& skin_folder) {
  auto picture = LoadSkinPicture(image.Owner().App().Pictures(), skin_folder, entry);
  ShowSkinEntry(entry, std::move(picture), image);
}

}  // namespace audio77::ui
