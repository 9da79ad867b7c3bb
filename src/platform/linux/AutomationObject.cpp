#include "platform/linux/AutomationObject.h"

#include <exception>

namespace audio77 {

AutomationObject::AutomationObject(AutomationHandler handler) : handler_(std::move(handler)) {}

int AutomationObject::Run(const QStringList& args, QString& output) {
  std::vector<std::string> words;
  words.reserve(static_cast<std::size_t>(args.size()));
  for (const QString& arg : args) words.push_back(arg.toStdString());
  // A copy: the request may withdraw the endpoint and with it this object's owner's handler.
  const AutomationHandler handler = handler_;
  AutomationReply reply;
  try {
    reply = handler(words);
  } catch (const std::exception& error) {
    // Nothing may escape into Qt's dispatch; the caller learns what went wrong.
    reply = {1, error.what()};
  }
  output = QString::fromStdString(reply.output);
  return reply.code;
}

}  // namespace audio77
