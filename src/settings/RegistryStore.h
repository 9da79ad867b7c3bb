#pragma once
// The registry under HKEY_LOCAL_MACHINE as two layers of registry export
// text: the installed defaults ("registry.reg" in the program folder, never
// written) under a per-user file that takes every write. A value in the user
// file hides the installed one. Every call reads the files afresh, so several
// processes share one store; writes go through AtomicFile.

#include <functional>
#include <string>

#include "platform/FileGuard.h"
#include "platform/KnownFolders.h"
#include "platform/Registry.h"
#include "settings/AtomicFile.h"
#include "settings/RegistryText.h"

namespace audio77 {

class RegistryStore final : public Registry {
 public:
  // Writes go through guard, which must outlive the store.
  RegistryStore(std::string installed_path, std::string user_path, FileGuard& guard);

  // $AUDIO77_REGISTRY, else <AppData>/audio77/registry.reg.
  static std::string UserPathFor(const KnownFolders& folders);
  static std::string InstalledPathFor(const KnownFolders& folders);

  bool OpenOrCreateKey(const std::string& key, bool* created) override;
  bool KeyExists(const std::string& key) const override;
  std::optional<RegistryValue> QueryValue(const std::string& key, const std::string& name) const override;
  bool SetDword(const std::string& key, const std::string& name, std::uint32_t value) override;
  bool SetString(const std::string& key, const std::string& name, const std::string& value) override;
  bool SetBinary(const std::string& key, const std::string& name, std::span<const std::uint8_t> value) override;
  std::vector<std::string> EnumerateSubkeys(const std::string& key) const override;

  const std::string& user_path() const { return user_path_; }

 private:
  RegistryText Installed() const;
  RegistryText User() const;
  // change gives false when nothing needs writing.
  bool UpdateUser(const std::function<bool(RegistryText&)>& change);
  bool SetValue(const std::string& key, const std::string& name, RegistryValue value);

  std::string installed_path_;
  std::string user_path_;
  AtomicFile files_;
};

}  // namespace audio77
