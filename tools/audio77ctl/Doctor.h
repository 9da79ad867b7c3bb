#pragma once
// audio77ctl doctor: why Audio77 cannot reach a device, and how to fix it.
// Each check gives a status, what it found and, when something is wrong, the
// fix. The device checks go through the same platform services as the
// program; on Linux, sysfs, the node's ACL and the sound server explain a
// failure.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "wiring/ChoosePlatform.h"

namespace audio77::ctl {

enum class DoctorStatus {
  kOk,
  kWarn,  // Audio77 works, with something missing
  kFail,  // something Audio77 needs is missing: doctor exits with 1
  kSkip,  // not checked: an earlier check failed
  kInfo,
};

struct DoctorCheck {
  std::string check;  // "device", "hid", "access", ...
  DoctorStatus status = DoctorStatus::kOk;
  std::string finding;
  std::string fix;  // empty when nothing is to be done
};

// What the doctor asks outside the platform bundle; the programs use the
// real system, tests give fakes.
struct DoctorEnvironment {
  PlatformKind kind = PlatformKind::kLinux;
  // The program folder (AudioConfig.cfg, the device library); empty: the
  // platform's.
  std::string program_folder;
  std::string sys_root = "/sys";
  std::string dev_root = "/dev";
  // Folders where the udev rule may be installed.
  std::vector<std::string> rule_folders = {"/etc/udev/rules.d", "/lib/udev/rules.d", "/usr/lib/udev/rules.d"};
  std::string user_name;
  unsigned user_id = 0;
  // 0 when this user can open the node for reading and writing, else errno.
  std::function<int(const std::string& node)> open_error;
  // Whether the node's ACL grants this user read and write (the seat's uaccess).
  std::function<bool(const std::string& node)> acl_grants_user;
  // "pactl --format=json list sinks" and "... sources"; nullopt when no sound
  // server answers, an empty optional string when pactl is missing.
  std::function<std::optional<std::string>(const std::string& kind)> sound_server_list;
  std::function<bool()> session_bus;
  std::function<bool()> notification_area;
  std::function<bool()> window_running;
};

class Doctor {
 public:
  Doctor(Platform& platform, DoctorEnvironment environment);
  std::vector<DoctorCheck> Run();

  static const char* StatusWord(DoctorStatus status);
  // True when no check failed.
  static bool Healthy(const std::vector<DoctorCheck>& checks);
  // The sink or source name of a pactl JSON list that belongs to ALSA card
  // number card; empty when none does (or the text is no such list).
  static std::string EndpointOfCard(const std::string& pactl_json, const std::string& card);

 private:
  void CheckLibrary();
  bool CheckDevice();
  std::optional<std::string> CheckHidNode();
  bool CheckAccess(const std::optional<std::string>& node);
  std::optional<std::string> CheckSoundCard();
  void CheckSoundServer(const std::optional<std::string>& card);
  void CheckSession();
  void CheckService();
  void Add(std::string check, DoctorStatus status, std::string finding, std::string fix = {});
  void Skip(const std::string& check, const std::string& why);
  bool Linux() const { return environment_.kind == PlatformKind::kLinux; }
  std::string ProgramFolder() const;

  Platform& platform_;
  DoctorEnvironment environment_;
  std::vector<DoctorCheck> checks_;
  std::string hardware_id_;
  std::uint16_t vendor_id_ = 0;
  std::uint16_t product_id_ = 0;
};

}  // namespace audio77::ctl
