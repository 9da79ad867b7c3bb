#include "toolkit/ScriptedDialogs.h"

namespace audio77::toolkit {

template <class T>
T ScriptedDialogs::Next(std::deque<T>& queue, T fallback) {
  if (queue.empty()) {
    ++unscripted_;
    return fallback;
  }
  T value = std::move(queue.front());
  queue.pop_front();
  return value;
}

MessageAnswer ScriptedDialogs::ShowMessage(const MessageRequest& request) {
  messages_.push_back(request);
  return Next(message_answers_, DismissAnswer(request.buttons));
}

std::optional<Color> ScriptedDialogs::ChooseColor(const ColorRequest& request) {
  color_requests_.push_back(request);
  return Next<std::optional<Color>>(colors_, std::nullopt);
}

std::optional<std::string> ScriptedDialogs::OpenFile(const FileRequest& request) {
  open_requests_.push_back(request);
  return Next<std::optional<std::string>>(open_files_, std::nullopt);
}

std::optional<std::string> ScriptedDialogs::SaveFile(const FileRequest& request) {
  save_requests_.push_back(request);
  return Next<std::optional<std::string>>(save_files_, std::nullopt);
}

std::size_t ScriptedDialogs::Unused() const {
  return message_answers_.size() + colors_.size() + open_files_.size() + save_files_.size();
}

}  // namespace audio77::toolkit
