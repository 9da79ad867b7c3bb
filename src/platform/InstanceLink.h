#pragma once
// How a second window instance finds the running one and brings it forward.

#include <functional>
#include <string>

namespace audio77 {

class InstanceLink {
 public:
  virtual ~InstanceLink() = default;
  // The running instance: answer activation requests made for this title.
  // on_activate runs on the UI thread.
  virtual bool Publish(const std::string& title, std::function<void()> on_activate) = 0;
  // A second instance: ask the instance published under title to restore or
  // come to the front. False when none was found.
  virtual bool ActivateRunning(const std::string& title) = 0;
};

}  // namespace audio77
