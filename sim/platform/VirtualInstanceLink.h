#pragma once
// How instances find each other on the virtual platform. Inside one process
// the published instance is called directly. Across processes the running
// instance leaves a marker file in the state folder
// ("instance-<title in hex>", holding its process id) that a second instance
// finds; the request itself then only shows in the trace:
//   instance publish <title> = ok|failed
//   instance activate <title> = called|found|not-found

#include <functional>
#include <map>
#include <mutex>
#include <string>

#include "platform/InstanceLink.h"

namespace audio77::sim {

class VirtualInstanceLink final : public InstanceLink {
 public:
  explicit VirtualInstanceLink(std::string state_folder);
  ~VirtualInstanceLink() override;

  bool Publish(const std::string& title, std::function<void()> on_activate) override;
  bool ActivateRunning(const std::string& title) override;

 private:
  std::string MarkerPath(const std::string& title) const;
  bool AnotherProcessPublished(const std::string& title) const;
  void Trace(const std::string& line) const;

  std::string state_folder_;
  std::mutex mutex_;
  std::map<std::string, std::function<void()>> published_;
};

}  // namespace audio77::sim
