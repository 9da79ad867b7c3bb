#pragma once
// Shows a skin entry on an image control: the picture (or the control hidden
// when the entry names none), the position and size the entry gives, and the
// picture's own size when it gives neither width nor height. The position is
// applied also to a hidden control.

#include <string>

#include "toolkit/Image.h"
#include "toolkit/Picture.h"
#include "toolkit/PictureCache.h"
#include "ui/SkinEntry.h"

namespace audio77::ui {

// The picture file of an entry in a skin folder (with its trailing separator).
std::string SkinPicturePath(const std::string& skin_folder, const SkinEntry& entry);

// Loads the entry's picture through the cache: nullptr for an entry without a
// file; throws PictureError when the file is missing or no picture.
toolkit::PicturePtr LoadSkinPicture(toolkit::PictureCache& cache, const std::string& skin_folder,
                                    const SkinEntry& entry);

// Shows an entry whose picture is already loaded (nullptr: hidden).
void ShowSkinEntry(const SkinEntry& entry, toolkit::PicturePtr picture, toolkit::Image& image);

// Loads and shows; on a PictureError the control is left as it was.
void ApplySkinEntry(const SkinEntry& entry, toolkit::Image& image, const std::string& skin_folder);

}  // namespace audio77::ui
