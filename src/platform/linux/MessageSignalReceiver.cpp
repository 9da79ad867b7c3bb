#include "platform/linux/MessageSignalReceiver.h"

namespace audio77 {

MessageSignalReceiver::MessageSignalReceiver(
    std::function<void(const QString& name, const QString& sender)> on_message)
    : on_message_(std::move(on_message)) {}

void MessageSignalReceiver::OnSignal(const QDBusMessage& message) {
  const QVariantList arguments = message.arguments();
  // Anything but one text argument is not one of ours; drop it.
  if (arguments.size() != 1 || arguments.first().metaType().id() != QMetaType::QString) return;
  on_message_(arguments.first().toString(), message.service());
}

}  // namespace audio77
