#pragma once
// Renders a skin the way the program shows it: the skin is loaded and applied
// to a form by the program's own skin code and painted offscreen.

#include <QString>

namespace skingen {

// page: 1..8. Returns false (with a message on standard error) on failure.
bool RenderPreview(const QString& skin_root, const QString& resolution_folder,
                   const QString& skin_name, int page, const QString& out_png);

}  // namespace skingen
