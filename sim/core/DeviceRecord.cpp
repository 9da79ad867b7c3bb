#include "sim/core/DeviceRecord.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <utility>

#include "sim/core/DeviceIni.h"

namespace audio77::sim {
namespace {

// The file's text, or why it cannot be read; nothing at all when it is missing.
std::optional<std::string> ReadWholeFile(const std::string& path, std::string& problem) {
  std::error_code error;
  const auto status = std::filesystem::status(path, error);
  if (status.type() == std::filesystem::file_type::not_found) return std::nullopt;
  if (error) {
    problem = "device.ini cannot be read: " + error.message();
    return std::nullopt;
  }
  if (std::filesystem::is_directory(status)) {
    problem = "device.ini is a folder, not a file";
    return std::nullopt;
  }
  errno = 0;
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    problem = std::string("device.ini cannot be read: ") + std::strerror(errno != 0 ? errno : EACCES);
    return std::nullopt;
  }
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// device.ini of the folder: the setup, or why it cannot be used. One that
// cannot be read is reported as a malformed one is.
std::optional<DeviceSetup> ReadDeviceIni(const std::string& path, std::string& message) {
  message.clear();
  std::string problem;
  const auto text_or_none = ReadWholeFile(path, problem);
  if (!text_or_none) {
    if (!problem.empty()) message = problem + "; using the default device";
    return std::nullopt;
  }
  const std::string& text = *text_or_none;
  std::string error;
  std::optional<DeviceSetup> loaded;
  if (auto ini = DeviceIni::Parse(text, error)) loaded = DeviceSetup::FromIni(*ini, error);
  if (!loaded) message = error + "; using the default device";
  return loaded;
}

}  // namespace

DeviceRecord::DeviceRecord() : trace_(std::make_unique<TraceLog>("")) { shared_.setup = DefaultSetup(); }

DeviceSetup DeviceRecord::DefaultSetup() {
  DeviceSetup setup;
  setup.state.enc_parameters = DefaultEncParameters();
  return setup;
}

void DeviceRecord::Attach(const std::string& state_folder, Lock&) {
  folder_ = state_folder;
  std::error_code ignored;
  std::filesystem::create_directories(folder_, ignored);
  trace_ = std::make_unique<TraceLog>(TracePath());
  file_ = std::make_unique<StateFile>(RecordPath());
}

std::optional<DeviceSetup> DeviceRecord::SetupFromDeviceIni() const {
  std::string ignored;
  return ReadDeviceIni(SetupPath(), ignored);
}

SharedDevice DeviceRecord::FromDeviceIni() const {
  SharedDevice shared;
  auto loaded = ReadDeviceIni(SetupPath(), shared.setup_message);
  if (!shared.setup_message.empty()) {
    std::cerr << "audio77-virtual: " << SetupPath() << ": " << shared.setup_message << '\n';
  }
  shared.setup = loaded ? std::move(*loaded) : DefaultSetup();
  return shared;
}

DeviceRecord::Held::Held(const DeviceRecord& record)
    : record_(const_cast<DeviceRecord&>(record)), lock_(record_.mutex_) {
  if (record_.file_ == nullptr) return;
  record_.file_->Retry();
  if (!record_.file_->Usable()) {
    if (!record_.reported_) {
      std::cerr << "audio77-virtual: " << record_.RecordPath() << ": cannot be used (" << record_.file_->Problem()
                << "); this process keeps its own device and follows the others' plug events\n";
    }
    record_.reported_ = true;
    return;
  }
  record_.reported_ = false;
  file_ = record_.file_.get();
  file_->Lock();
  if (file_->Refresh(record_.shared_)) return;
  // No record yet, or one a killed writer left incomplete.
  record_.shared_ = record_.FromDeviceIni();
  if (!file_->Write(record_.shared_)) {
    // The folder cannot hold it: this call works on the object's copy.
    file_->Unlock();
    file_ = nullptr;
  }
}

const DeviceState& DeviceRecord::Held::ReadState() const {
  return file_ != nullptr ? file_->ReadState() : record_.shared_.setup.state;
}

DeviceState& DeviceRecord::Held::State() {
  return file_ != nullptr ? file_->State() : record_.shared_.setup.state;
}

void DeviceRecord::Held::Replace(SharedDevice fresh) {
  record_.shared_ = std::move(fresh);
  if (file_ != nullptr) file_->State() = record_.shared_.setup.state;
}

void DeviceRecord::Held::Release() {
  if (!lock_.owns_lock()) return;
  if (file_ != nullptr) {
    file_->Commit(record_.shared_);
    file_->Unlock();
  }
  lock_.unlock();
}

}  // namespace audio77::sim
