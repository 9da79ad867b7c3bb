// audio77ctl doctor: the checks of Doctor on this system: the real node
// permissions, ACLs, the sound server through pactl, and the session bus.
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <fcntl.h>
#include <pwd.h>
#include <sys/acl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <acl/libacl.h>
#include <array>
#include <cerrno>
#include <cstdio>
#include <ostream>

#include "CtlContext.h"
#include "Doctor.h"
#include "app/EntryPoint.h"
#include "platform/linux/SessionAutomationEndpoint.h"
#include "platform/linux/SessionInstanceLink.h"
#include "sim/core/StateFolder.h"

namespace audio77::ctl {
namespace {

int OpenError(const std::string& node) {
  const int fd = ::open(node.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return errno;
  ::close(fd);
  return 0;
}

bool AclGrantsUser(const std::string& node, uid_t uid) {
  acl_t acl = acl_get_file(node.c_str(), ACL_TYPE_ACCESS);
  if (acl == nullptr) return false;
  bool granted = false;
  acl_entry_t entry;
  for (int which = ACL_FIRST_ENTRY; acl_get_entry(acl, which, &entry) == 1; which = ACL_NEXT_ENTRY) {
    acl_tag_t tag;
    if (acl_get_tag_type(entry, &tag) != 0 || tag != ACL_USER) continue;
    auto* qualifier = static_cast<uid_t*>(acl_get_qualifier(entry));
    const bool ours = qualifier != nullptr && *qualifier == uid;
    acl_free(qualifier);
    acl_permset_t permissions;
    if (ours && acl_get_permset(entry, &permissions) == 0) {
      granted = acl_get_perm(permissions, ACL_READ) == 1 && acl_get_perm(permissions, ACL_WRITE) == 1;
    }
  }
  acl_free(acl);
  return granted;
}

// pactl's JSON list; "" when pactl is missing, nothing when it fails.
std::optional<std::string> PactlList(const std::string& kind) {
  const std::string command = "pactl --format=json list " + kind + " 2>/dev/null";
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return std::nullopt;
  std::string output;
  std::array<char, 4096> buffer;
  for (std::size_t n; (n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;) output.append(buffer.data(), n);
  const int status = ::pclose(pipe);
  if (WIFEXITED(status) && WEXITSTATUS(status) == 127) return std::string();
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || output.empty()) return std::nullopt;
  return output;
}

bool BusNameOwned(const QString& name) {
  QDBusConnection bus = QDBusConnection::sessionBus();
  return bus.isConnected() && bus.interface() != nullptr && bus.interface()->isServiceRegistered(name).value();
}

DoctorEnvironment SystemEnvironment() {
  DoctorEnvironment environment;
  environment.kind = PlatformKindFromEnvironment();
  environment.user_id = ::geteuid();
  const passwd* account = ::getpwuid(environment.user_id);
  environment.user_name = account != nullptr ? account->pw_name : std::to_string(environment.user_id);
  environment.open_error = OpenError;
  environment.acl_grants_user = [uid = environment.user_id](const std::string& node) {
    return AclGrantsUser(node, uid);
  };
  environment.sound_server_list = PactlList;
  environment.session_bus = [] { return QDBusConnection::sessionBus().isConnected(); };
  environment.notification_area = [] { return BusNameOwned(QStringLiteral("org.kde.StatusNotifierWatcher")); };
  const PlatformKind kind = environment.kind;
  environment.window_running = [kind] {
    // The virtual device's window serves automation under its state folder's
    // name; on hardware the window owns the single-instance name.
    return BusNameOwned(kind == PlatformKind::kVirtual
                            ? SessionAutomationEndpoint::VirtualBusName(sim::DefaultStateFolder())
                            : SessionInstanceLink::BusNameFor(kApplicationTitle));
  };
  return environment;
}

int RunDoctor(CtlContext& context, CtlArgs args) {
  if (!args.empty()) return context.UsageError("doctor takes no arguments");
  Doctor doctor(context.platform(), SystemEnvironment());
  const auto checks = doctor.Run();
  const bool healthy = Doctor::Healthy(checks);
  if (context.json) {
    Json list = Json::array();
    for (const auto& check : checks) {
      list.push_back({{"check", check.check},
                      {"status", Doctor::StatusWord(check.status)},
                      {"finding", check.finding},
                      {"fix", check.fix.empty() ? Json(nullptr) : Json(check.fix)}});
    }
    context.Emit({{"ok", healthy}, {"checks", list}});
  } else {
    for (const auto& check : checks) {
      context.out << Doctor::StatusWord(check.status) << ' ' << check.check << ": " << check.finding;
      if (!check.fix.empty()) context.out << " -- fix: " << check.fix;
      context.out << '\n';
    }
  }
  return healthy ? kExitOk : context.Fail("Audio77 cannot reach a device: see the FAIL lines");
}

}  // namespace

std::vector<CtlNoun> DoctorNouns() {
  return {
      {"doctor",
       "doctor                    why Audio77 cannot reach a device, and how to fix it: each line is\n"
       "doctor                    a status (ok, warn, FAIL, skip, info), the check, what it found and\n"
       "doctor                    the fix; exit 0 only when nothing Audio77 needs is missing\n",
       RunDoctor},
  };
}

}  // namespace audio77::ctl
