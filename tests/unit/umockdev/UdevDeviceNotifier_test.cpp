// Device-interface notifications from udev events of an emulated device.
#include "platform/linux/UdevDeviceNotifier.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <regex>
#include <thread>

#include "UsbTestbed.h"
#include "platform/linux/DeviceInterfaceNames.h"

namespace audio77 {
namespace {

// The UI thread of the test: tasks the notifier posts wait here until the
// test runs them.
class TaskQueue {
 public:
  UiPoster Poster() {
    return [this](std::function<void()> task) {
      std::lock_guard lock(mutex_);
      tasks_.push_back(std::move(task));
      changed_.notify_all();
    };
  }
  // Waits for n tasks in all and runs them.
  bool RunTasks(std::size_t n) {
    std::unique_lock lock(mutex_);
    if (!changed_.wait_for(lock, std::chrono::seconds(10), [&] { return posted() >= n; }))
      return false;
    while (!tasks_.empty()) {
      auto task = std::move(tasks_.front());
      tasks_.pop_front();
      ++ran_;
      lock.unlock();
      task();
      lock.lock();
    }
    return true;
  }
  std::size_t Pending() {
    std::lock_guard lock(mutex_);
    return tasks_.size();
  }

 private:
  std::size_t posted() const { return ran_ + tasks_.size(); }
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::function<void()>> tasks_;
  std::size_t ran_ = 0;
};

struct Seen {
  DeviceChange change;
  std::string interface_class;
  std::string name;
};

class UdevDeviceNotifierTest : public ::testing::Test {
 protected:
  std::unique_ptr<DeviceNotification> Subscribe() {
    return notifier_.Subscribe(ui_.Poster(), [this](const DeviceInterfaceEvent& event) {
      EXPECT_EQ(event.device_type, kDeviceTypeInterface);
      seen_.push_back({event.change, event.interface_class, event.name});
    });
  }

  test::UsbTestbed testbed_;
  UdevDeviceNotifier notifier_;
  TaskQueue ui_;
  std::vector<Seen> seen_;
};

void ExpectName(const std::string& name, const std::string& pattern) {
  EXPECT_TRUE(std::regex_match(name, std::regex(pattern))) << name << " does not match " << pattern;
}

const std::string kHid =
    R"(\\\\\?\\HID#VID_2E8D&PID_771F&MI_03#[0-9a-f&]+#\{4d1e55b2-f16f-11cf-88cb-001111000030\})";
const std::string kAudio =
    R"(\\\\\?\\USB#VID_2E8D&PID_771F&MI_00#[0-9a-f&]+#\{6994ad04-93ef-11d0-a3cc-00a0c9223196\})";
const std::string kUsb =
    R"(\\\\\?\\USB#VID_2E8D&PID_771F#[0-9a-f&]+#\{a5dcbf10-6530-11d2-901f-00c04fb951ed\})";

TEST_F(UdevDeviceNotifierTest,
       PlugAndUnplugGiveInterfaceEventsNamedAsTheOriginalPlatformNamesThem) {
  auto subscription = Subscribe();
  ASSERT_TRUE(subscription);
  testbed_.Plug();
  ASSERT_TRUE(ui_.RunTasks(3));
  ASSERT_EQ(seen_.size(), 3u);
  EXPECT_EQ(seen_[0].interface_class, kUsbDeviceInterfaceClass);
  ExpectName(seen_[0].name, kUsb);
  EXPECT_EQ(seen_[1].interface_class, kAudioInterfaceClass);
  ExpectName(seen_[1].name, kAudio);
  EXPECT_EQ(seen_[2].interface_class, kHidInterfaceClass);
  ExpectName(seen_[2].name, kHid);
  for (const auto& event : seen_) EXPECT_EQ(event.change, DeviceChange::kArrival);

  testbed_.Unplug();
  ASSERT_TRUE(ui_.RunTasks(6));
  ASSERT_EQ(seen_.size(), 6u);
  // Removals come child first, each named as its arrival was.
  EXPECT_EQ(seen_[3].name, seen_[2].name);
  EXPECT_EQ(seen_[4].name, seen_[1].name);
  EXPECT_EQ(seen_[5].name, seen_[0].name);
  for (std::size_t i = 3; i < 6; ++i) EXPECT_EQ(seen_[i].change, DeviceChange::kRemoveComplete);
}

TEST_F(UdevDeviceNotifierTest, RemovalsAreNamedWithoutSysfsEvenForDevicesPresentBeforeTheSubscription) {
  const test::UsbDeviceSetup device{.vendor_id = 0x046D, .product_id = 0xC31C};
  testbed_.Plug(device);
  auto subscription = Subscribe();
  ASSERT_TRUE(subscription);
  // By the time a removal arrives, the device's attributes are gone.
  const std::string usb_device = testbed_.UsbDevicePath(device);
  umockdev_testbed_set_attribute(testbed_.get(), usb_device.c_str(), "idVendor", "");
  umockdev_testbed_set_attribute(testbed_.get(), usb_device.c_str(), "idProduct", "");
  testbed_.Unplug(device);
  ASSERT_TRUE(ui_.RunTasks(3));
  ASSERT_EQ(seen_.size(), 3u);
  const std::pair<const char*, const char*> expected[] = {{kHidInterfaceClass, "HID#VID_046D&PID_C31C&MI_03#"},
                                                          {kAudioInterfaceClass, "USB#VID_046D&PID_C31C&MI_00#"},
                                                          {kUsbDeviceInterfaceClass, "USB#VID_046D&PID_C31C#"}};
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(seen_[i].change, DeviceChange::kRemoveComplete);
    EXPECT_EQ(seen_[i].interface_class, expected[i].first);
    EXPECT_NE(seen_[i].name.find(expected[i].second), std::string::npos) << seen_[i].name;
  }
}

TEST_F(UdevDeviceNotifierTest, DestroyingTheSubscriptionStopsDelivery) {
  auto subscription = Subscribe();
  ASSERT_TRUE(subscription);
  testbed_.Plug();
  // Wait for the three tasks without running them, then drop the subscription.
  TaskQueue* ui = &ui_;
  for (int i = 0; i < 1000 && ui->Pending() < 3; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  ASSERT_EQ(ui->Pending(), 3u);
  subscription.reset();
  ASSERT_TRUE(ui_.RunTasks(3));
  EXPECT_TRUE(seen_.empty());
  testbed_.Unplug();
  EXPECT_EQ(ui_.Pending(), 0u);
}

}  // namespace
}  // namespace audio77
