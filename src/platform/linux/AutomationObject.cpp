#include "platform/linux/AutomationObject.h"

#include <exception>
#include <optional>

namespace audio77 {

AutomationObject::AutomationObject(AutomationHandler handler) : handler_(std::move(handler)) {}

void AutomationObject::Send(Pending& pending, const AutomationReply& reply) {
  pending.connection.send(
      pending.message.createReply(QVariantList{reply.code, QString::fromStdString(reply.output)}));
  pending.replied = true;
}

void AutomationObject::ReplyNow(const AutomationReply& reply) {
  if (pending_.empty() || pending_.back()->replied) return;
  Send(*pending_.back(), reply);
}

int AutomationObject::Run(const QStringList& args, QString& output) {
  // Over the bus the reply goes out when the request ends, or earlier through
  // ReplyNow; a direct call returns it as usual.
  std::optional<Pending> pending;
  if (calledFromDBus()) {
    setDelayedReply(true);
    pending.emplace(Pending{connection(), message(), false});
    pending_.push_back(&*pending);
  }
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
  if (pending) {
    pending_.pop_back();
    if (!pending->replied) Send(*pending, reply);
  }
  output = QString::fromStdString(reply.output);
  return reply.code;
}

}  // namespace audio77
