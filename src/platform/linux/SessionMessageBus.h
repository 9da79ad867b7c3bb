#pragma once
// Registered messages between the programs of a session, as signals on the
// session bus:
//   object path  /org/audio77/Messages
//   interface    org.audio77.Messages
//   signal       Message(s name)   the registered name, e.g. "WM_AUDIO_EFFECT_EXIT"
// Numbers are handed out per process; only names travel. A broadcast reaches
// this program's own handler at once and is sent on the bus; it returns once
// the bus daemon has the signal, without running this program's events.
// Without a session bus broadcasts reach only this program.

#include <QDBusConnection>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/MessageBus.h"

namespace audio77 {

class MessageSignalReceiver;

inline constexpr const char* kMessagesPath = "/org/audio77/Messages";
inline constexpr const char* kMessagesInterface = "org.audio77.Messages";
inline constexpr const char* kMessageSignal = "Message";

class SessionMessageBus final : public MessageBus {
 public:
  explicit SessionMessageBus(std::function<QDBusConnection()> connect);
  ~SessionMessageBus() override;

  std::uint32_t Register(const std::string& name) override;
  void Broadcast(std::uint32_t message) override;
  void SetHandler(std::function<void(std::uint32_t message)> handler) override;

 private:
  bool Subscribe();
  void OnReceived(const QString& name, const QString& sender);
  std::uint32_t NumberOf(const std::string& name) const;  // 0: not registered

  std::function<QDBusConnection()> connect_;
  std::unique_ptr<MessageSignalReceiver> receiver_;
  bool subscribed_ = false;
  std::vector<std::string> names_;
  std::function<void(std::uint32_t)> handler_;
};

}  // namespace audio77
