#pragma once
// The LED page on the virtual device with a recording view, a device status
// the test sets, and profiles kept in memory.

#include <map>
#include <utility>

#include "LightingFixture.h"
#include "RecordingLedView.h"
#include "lighting/LedPage.h"

namespace audio77::test {

class SetDeviceStatus : public DeviceStatus {
 public:
  bool active = true;
  std::uint16_t VendorId() const override { return 0x2E8D; }
  std::uint16_t ProductId() const override { return 0x771F; }
  bool Active() const override { return active; }
  bool RegisterSync() const override { return active; }
};

class MemoryProfile : public ProfileReader, public ProfileWriter {
 public:
  std::vector<std::pair<std::string, std::string>> written;  // "section/key", value
  std::map<std::string, std::string> values;                  // "key" of section "LED"

  void WriteInt(const std::string& section, const std::string& key, std::int64_t value) override {
    WriteText(section, key, std::to_string(value));
  }
  void WriteText(const std::string& section, const std::string& key, const std::string& value) override {
    written.emplace_back(section + "/" + key, value);
    if (section == "LED") values[key] = value;
  }
  std::string Text(const std::string& section, const std::string& key) override {
    if (section != "LED") return {};
    const auto found = values.find(key);
    return found == values.end() ? std::string() : found->second;
  }
  std::int32_t Strict(const std::string&, const std::string&) override { return 0; }
  std::int32_t ZeroWhenEmpty(const std::string&, const std::string&) override { return 0; }
  std::optional<std::int32_t> WhenPresent(const std::string&, const std::string&) override { return {}; }
  const std::string& Path() const override { return path_; }

 private:
  std::string path_ = "memory.ini";
};

class LedPageFixture : public LightingFixture {
 protected:
  void SetUp() override {
    LightingFixture::SetUp();
    page_ = std::make_unique<LedPage>(library_, status_, clock_, debug_, view_);
    page_->ApplySkin(1, 0, true);
  }
  void TearDown() override { page_.reset(); }
  LedPage& page() { return *page_; }

  RecordingLedView view_;
  SetDeviceStatus status_;
  std::unique_ptr<LedPage> page_;
};

}  // namespace audio77::test
