#include "sim/platform/VirtualInstanceLink.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>

#include "sim/core/TraceLog.h"

namespace audio77::sim {
namespace {

std::string HexOf(const std::string& text) {
  std::string hex;
  char byte[3];
  for (unsigned char c : text) {
    std::snprintf(byte, sizeof byte, "%02X", c);
    hex += byte;
  }
  return hex;
}

}  // namespace

VirtualInstanceLink::VirtualInstanceLink(std::string state_folder)
    : state_folder_(std::move(state_folder)) {}

VirtualInstanceLink::~VirtualInstanceLink() {
  for (const auto& [title, callback] : published_) ::unlink(MarkerPath(title).c_str());
}

bool VirtualInstanceLink::Publish(const std::string& title, std::function<void()> on_activate) {
  bool ok = false;
  if (!state_folder_.empty()) {
    ::mkdir(state_folder_.c_str(), 0700);
    std::ofstream marker(MarkerPath(title), std::ios::trunc);
    marker << ::getpid() << '\n';
    ok = static_cast<bool>(marker);
  }
  {
    std::lock_guard lock(mutex_);
    published_[title] = std::move(on_activate);
  }
  Trace("instance publish " + title + " = " + (ok ? "ok" : "failed"));
  return true;
}

bool VirtualInstanceLink::ActivateRunning(const std::string& title) {
  std::function<void()> callback;
  {
    std::lock_guard lock(mutex_);
    const auto found = published_.find(title);
    if (found != published_.end()) callback = found->second;
  }
  if (callback) {
    Trace("instance activate " + title + " = called");
    callback();
    return true;
  }
  const bool found = AnotherProcessPublished(title);
  Trace("instance activate " + title + " = " + (found ? "found" : "not-found"));
  return found;
}

std::string VirtualInstanceLink::MarkerPath(const std::string& title) const {
  return state_folder_ + "/instance-" + HexOf(title);
}

bool VirtualInstanceLink::AnotherProcessPublished(const std::string& title) const {
  if (state_folder_.empty()) return false;
  std::ifstream marker(MarkerPath(title));
  long pid = 0;
  if (!(marker >> pid) || pid <= 0) return false;
  return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

void VirtualInstanceLink::Trace(const std::string& line) const {
  TraceLog(state_folder_.empty() ? std::string() : state_folder_ + "/trace.log").Append(line);
}

}  // namespace audio77::sim
