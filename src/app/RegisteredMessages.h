#pragma once
// The messages the program exchanges with other programs of the session, by
// their registered names.

#include <cstdint>

#include "platform/MessageBus.h"

namespace audio77 {

inline constexpr const char* kAppExitMessage = "WM_QKW77xxAPP_EXIT";        // asks the program to close
inline constexpr const char* kEffectExitMessage = "WM_AUDIO_EFFECT_EXIT";   // asks a plug-in to end
inline constexpr const char* kExitResumeMessage = "WM_APP_EXIT_RESUME";     // a plug-in has ended

struct RegisteredMessages {
  explicit RegisteredMessages(MessageBus& bus)
      : app_exit(bus.Register(kAppExitMessage)),
        effect_exit(bus.Register(kEffectExitMessage)),
        exit_resume(bus.Register(kExitResumeMessage)) {}

  std::uint32_t app_exit;
  std::uint32_t effect_exit;
  std::uint32_t exit_resume;
};

}  // namespace audio77
