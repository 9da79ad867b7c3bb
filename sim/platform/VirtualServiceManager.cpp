#include "sim/platform/VirtualServiceManager.h"

#include <cstdio>
#include <fstream>
#include <mutex>
#include <sstream>

#include "sim/core/TraceLog.h"

namespace audio77::sim {
namespace {

std::string Trim(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return {};
  const auto last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

std::string Lower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

bool ParseInt(const std::string& text, int& out) {
  if (text.empty() || text.size() > 9) return false;
  std::size_t i = text[0] == '-' ? 1 : 0;
  if (i == text.size()) return false;
  int value = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    value = value * 10 + (text[i] - '0');
  }
  out = text[0] == '-' ? -value : value;
  return true;
}

void ParseFlag(const std::string& text, bool& out) {
  int value = 0;
  if (ParseInt(text, value)) out = value != 0;
}

void ParsePolls(const std::string& text, int& out) {
  if (Lower(text) == "never") {
    out = -1;
    return;
  }
  int value = 0;
  if (ParseInt(text, value) && value >= 0) out = value;
}

void ParseState(const std::string& text, ServiceState& out) {
  static const char* const kNames[] = {"stopped", "start-pending", "stop-pending", "running",
                                       "continue-pending", "pause-pending", "paused"};
  const std::string name = Lower(text);
  for (int i = 0; i < 7; ++i) {
    if (name == kNames[i]) {
      out = static_cast<ServiceState>(i + 1);
      return;
    }
  }
  int value = 0;
  if (ParseInt(text, value) && value >= 1 && value <= 7) out = static_cast<ServiceState>(value);
}

void ApplyServiceKey(VirtualService& service, const std::string& key, const std::string& value) {
  if (key == "state") ParseState(value, service.state);
  else if (key == "startpolls") ParsePolls(value, service.start_polls);
  else if (key == "stoppolls") ParsePolls(value, service.stop_polls);
  else if (key == "queryfails") ParseFlag(value, service.query_fails);
  else if (key == "startfails") ParseFlag(value, service.start_fails);
  else if (key == "stopfails") ParseFlag(value, service.stop_fails);
  else if (key == "controlfails") ParseFlag(value, service.control_fails);
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string Hex(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", value);
  return text;
}

const char* OkOrFailed(bool ok) { return ok ? "ok" : "failed"; }

}  // namespace

VirtualServiceWorld ParseServicesIni(const std::string& text) {
  VirtualServiceWorld world;
  std::istringstream lines(text);
  std::string line;
  std::string section;
  while (std::getline(lines, line)) {
    line = Trim(line);
    if (line.empty() || line[0] == ';' || line[0] == '#') continue;
    if (line.front() == '[' && line.back() == ']') {
      section = Trim(line.substr(1, line.size() - 2));
      if (!section.empty() && Lower(section) != "manager") world.services[section];
      continue;
    }
    const auto equals = line.find('=');
    if (equals == std::string::npos || section.empty()) continue;
    const std::string key = Lower(Trim(line.substr(0, equals)));
    const std::string value = Trim(line.substr(equals + 1));
    if (Lower(section) == "manager") {
      if (key == "reachable") ParseFlag(value, world.reachable);
    } else {
      ApplyServiceKey(world.services[section], key, value);
    }
  }
  return world;
}

// The world and the trace, shared by the manager and every handle it opened.
class VirtualServiceBook {
 public:
  VirtualServiceBook(VirtualServiceWorld world, const std::string& trace_path)
      : world_(std::move(world)), trace_(trace_path) {}

  void Trace(const std::string& service, const char* operation, const std::string& code,
             const std::string& result) {
    trace_.Append("scm " + service + " " + operation + " " + code + " = " + result);
  }
  std::mutex& Mutex() { return mutex_; }
  VirtualServiceWorld& World() { return world_; }

 private:
  std::mutex mutex_;
  VirtualServiceWorld world_;
  TraceLog trace_;
};

namespace {

class VirtualServiceHandle final : public ServiceHandle {
 public:
  VirtualServiceHandle(std::shared_ptr<VirtualServiceBook> book, std::string name)
      : book_(std::move(book)), name_(std::move(name)) {}
  ~VirtualServiceHandle() override { book_->Trace(name_, "close", "-", "ok"); }

  std::optional<ServiceState> QueryState() override {
    std::lock_guard lock(book_->Mutex());
    VirtualService& service = Service();
    if (service.query_fails) {
      book_->Trace(name_, "query", "-", "failed");
      return std::nullopt;
    }
    AdvancePending(service);
    book_->Trace(name_, "query", "-", std::to_string(static_cast<int>(service.state)));
    return service.state;
  }

  bool Start() override {
    std::lock_guard lock(book_->Mutex());
    VirtualService& service = Service();
    const bool ok = !service.start_fails;
    if (ok) Begin(service, ServiceState::kStartPending, ServiceState::kRunning, service.start_polls);
    book_->Trace(name_, "start", "-", OkOrFailed(ok));
    return ok;
  }

  bool Control(std::uint32_t code) override {
    std::lock_guard lock(book_->Mutex());
    VirtualService& service = Service();
    const bool stop = code == 1;
    const bool ok = stop ? !service.stop_fails : !service.control_fails;
    if (ok && stop) Begin(service, ServiceState::kStopPending, ServiceState::kStopped, service.stop_polls);
    book_->Trace(name_, "control", std::to_string(code), OkOrFailed(ok));
    return ok;
  }

 private:
  VirtualService& Service() { return book_->World().services.at(name_); }

  static void Begin(VirtualService& service, ServiceState pending, ServiceState target, int polls) {
    service.target = target;
    service.polls_left = polls;
    service.state = polls == 0 ? target : pending;
  }

  // A pending start or stop completes on the query that uses up its polls.
  static void AdvancePending(VirtualService& service) {
    if (service.state != ServiceState::kStartPending && service.state != ServiceState::kStopPending) return;
    if (service.polls_left < 0) return;  // never completes
    if (service.polls_left > 0) --service.polls_left;
    if (service.polls_left == 0) service.state = service.target;
  }

  std::shared_ptr<VirtualServiceBook> book_;
  std::string name_;
};

class VirtualServiceConnection final : public ServiceConnection {
 public:
  explicit VirtualServiceConnection(std::shared_ptr<VirtualServiceBook> book) : book_(std::move(book)) {}
  ~VirtualServiceConnection() override { book_->Trace("-", "close-manager", "-", "ok"); }

  std::unique_ptr<ServiceHandle> OpenService(const std::string& name, std::uint32_t access) override {
    bool known = false;
    {
      std::lock_guard lock(book_->Mutex());
      known = book_->World().services.count(name) != 0;
    }
    book_->Trace(name, "open", Hex(access), OkOrFailed(known));
    if (!known) return nullptr;
    return std::make_unique<VirtualServiceHandle>(book_, name);
  }

 private:
  std::shared_ptr<VirtualServiceBook> book_;
};

}  // namespace

VirtualServiceManager::VirtualServiceManager(const std::string& state_folder)
    : VirtualServiceManager(ParseServicesIni(ReadFile(state_folder + "/services.ini")),
                            state_folder.empty() ? std::string() : state_folder + "/trace.log") {}

VirtualServiceManager::VirtualServiceManager(VirtualServiceWorld world, const std::string& trace_path)
    : book_(std::make_shared<VirtualServiceBook>(std::move(world), trace_path)) {}

VirtualServiceManager::~VirtualServiceManager() = default;

std::unique_ptr<ServiceConnection> VirtualServiceManager::OpenManager(std::uint32_t access) {
  bool reachable = false;
  {
    std::lock_guard lock(book_->Mutex());
    reachable = book_->World().reachable;
  }
  book_->Trace("-", "open-manager", Hex(access), OkOrFailed(reachable));
  if (!reachable) return nullptr;
  return std::make_unique<VirtualServiceConnection>(book_);
}

}  // namespace audio77::sim
