#include "settings/RegistryStore.h"

#include <filesystem>

#include "settings/AtomicFile.h"

namespace audio77 {
namespace {

constexpr std::string_view kRoot = "HKEY_LOCAL_MACHINE";

std::string FullPath(std::string_view key) {
  while (!key.empty() && key.front() == '\\') key.remove_prefix(1);
  while (!key.empty() && key.back() == '\\') key.remove_suffix(1);
  return key.empty() ? std::string(kRoot) : std::string(kRoot) + "\\" + std::string(key);
}

RegistryText Load(const std::string& path) {
  const auto content = AtomicFile::Read(path);
  if (content.status != AtomicFile::ReadStatus::kRead) return {};
  return RegistryText::Parse(content.bytes);
}

}  // namespace

RegistryStore::RegistryStore(std::string installed_path, std::string user_path, FileGuard& guard)
    : installed_path_(std::move(installed_path)), user_path_(std::move(user_path)), files_(guard) {}

std::string RegistryStore::UserPathFor(const KnownFolders& folders) {
  if (auto path = folders.Environment("AUDIO77_REGISTRY")) return *path;
  return folders.AppData() + "audio77/registry.reg";
}

std::string RegistryStore::InstalledPathFor(const KnownFolders& folders) {
  return folders.ProgramFolder() + "registry.reg";
}

RegistryText RegistryStore::Installed() const { return Load(installed_path_); }

RegistryText RegistryStore::User() const { return Load(user_path_); }

bool RegistryStore::UpdateUser(const std::function<bool(RegistryText&)>& change) {
  std::error_code error;
  const auto folder = std::filesystem::path(user_path_).parent_path();
  if (!folder.empty()) std::filesystem::create_directories(folder, error);
  return files_.Update(user_path_, [&](const AtomicFile::Content& current) -> std::optional<std::string> {
    RegistryText text;
    if (current.status == AtomicFile::ReadStatus::kRead) text = RegistryText::Parse(current.bytes);
    if (!change(text)) return std::nullopt;
    return text.Serialize();
  });
}

bool RegistryStore::OpenOrCreateKey(const std::string& key, bool* created) {
  const std::string path = FullPath(key);
  bool was_created = false;
  const bool installed = Installed().HasKey(path);
  const bool ok = UpdateUser([&](RegistryText& user) {
    if (installed || user.HasKey(path)) return false;
    user.AddKey(path);
    was_created = true;
    return true;
  });
  if (created != nullptr) *created = ok && was_created;
  return ok;
}

bool RegistryStore::KeyExists(const std::string& key) const {
  const std::string path = FullPath(key);
  return User().HasKey(path) || Installed().HasKey(path);
}

std::optional<RegistryValue> RegistryStore::QueryValue(const std::string& key, const std::string& name) const {
  const std::string path = FullPath(key);
  const RegistryText user = User();
  if (const RegistryValue* value = user.FindValue(path, name)) return *value;
  const RegistryText installed = Installed();
  if (const RegistryValue* value = installed.FindValue(path, name)) return *value;
  return std::nullopt;
}

bool RegistryStore::SetValue(const std::string& key, const std::string& name, RegistryValue value) {
  const std::string path = FullPath(key);
  return UpdateUser([&](RegistryText& user) {
    const RegistryValue* existing = user.FindValue(path, name);
    if (existing != nullptr && existing->type == value.type && existing->data == value.data) return false;
    user.SetValue(path, name, std::move(value));
    return true;
  });
}

bool RegistryStore::SetDword(const std::string& key, const std::string& name, std::uint32_t value) {
  return SetValue(key, name,
                  {RegistryType::kDword,
                   {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
                    static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)}});
}

bool RegistryStore::SetString(const std::string& key, const std::string& name, const std::string& value) {
  return SetValue(key, name, {RegistryType::kString, std::vector<std::uint8_t>(value.begin(), value.end())});
}

bool RegistryStore::SetBinary(const std::string& key, const std::string& name, std::span<const std::uint8_t> value) {
  return SetValue(key, name, {RegistryType::kBinary, std::vector<std::uint8_t>(value.begin(), value.end())});
}

std::vector<std::string> RegistryStore::EnumerateSubkeys(const std::string& key) const {
  const std::string path = FullPath(key);
  std::vector<std::string> names = Installed().Subkeys(path);
  for (auto& name : User().Subkeys(path)) {
    bool known = false;
    for (const auto& existing : names) known = known || RegistryText::SameName(existing, name);
    if (!known) names.push_back(std::move(name));
  }
  return names;
}

}  // namespace audio77
