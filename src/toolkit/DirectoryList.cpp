#include "toolkit/DirectoryList.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace audio77::toolkit {
namespace {

std::string Folded(const std::string& text) {
  std::string folded = text;
  for (char& c : folded) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return folded;
}

bool Alphabetical(const std::string& a, const std::string& b) {
  const std::string fa = Folded(a);
  const std::string fb = Folded(b);
  return fa != fb ? fa < fb : a < b;
}

}  // namespace

DirectoryList::DirectoryList(Form& form, std::string name, int tag, Control* parent,
                             std::size_t index)
    : Control(form, ControlKind::kDirectoryList, std::move(name), tag, parent, index) {}

void DirectoryList::SetDirectory(std::string directory) {
  directory_ = std::move(directory);
  Refresh();
}

void DirectoryList::Refresh() {
  items_.clear();
  std::error_code error;
  std::filesystem::directory_iterator it(directory_, error);
  if (error) return;
  for (; it != std::filesystem::directory_iterator(); it.increment(error)) {
    if (error) break;
    std::error_code type_error;
    if (it->is_directory(type_error)) items_.push_back(it->path().string());
  }
  std::sort(items_.begin(), items_.end(), Alphabetical);
  StateChanged();
}

}  // namespace audio77::toolkit
