// Device notifications of the virtual platform: the virtual device's plugs and
// unplugs, made here or by another process, handed to the UI thread.
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <regex>

#include "SimFixture.h"
#include "sim/platform/VirtualDeviceNotifier.h"

namespace audio77::sim {
namespace {

// Stands for the UI thread's queue: tasks run only when the test says so.
class UiQueue {
 public:
  UiPoster Poster() {
    return [this](std::function<void()> task) {
      std::lock_guard lock(mutex_);
      tasks_.push_back(std::move(task));
      posted_.notify_all();
    };
  }
  bool WaitForPosted(std::size_t count) {
    std::unique_lock lock(mutex_);
    return posted_.wait_for(lock, std::chrono::seconds(5), [&] { return tasks_.size() >= count; });
  }
  std::size_t Posted() {
    std::lock_guard lock(mutex_);
    return tasks_.size();
  }
  void RunAll() {
    std::vector<std::function<void()>> tasks;
    {
      std::lock_guard lock(mutex_);
      tasks.swap(tasks_);
    }
    for (auto& task : tasks) task();
  }

 private:
  std::mutex mutex_;
  std::condition_variable posted_;
  std::vector<std::function<void()>> tasks_;
};

class VirtualNotifier : public SimFixture {
 protected:
  std::unique_ptr<audio77::DeviceNotification> Subscribe() {
    return notifier_.Subscribe(ui_.Poster(), [this](const DeviceInterfaceEvent& event) { events_.push_back(event); });
  }
  VirtualDeviceNotifier notifier_{device()};
  UiQueue ui_;
  std::vector<DeviceInterfaceEvent> events_;
};

TEST_F(VirtualNotifier, UnplugAndPlugArriveOnTheUiThreadShapedAsInterfaceChanges) {
  auto subscription = Subscribe();
  ASSERT_TRUE(subscription);
  device().Unplug();
  device().Plug();
  EXPECT_TRUE(events_.empty());  // nothing runs outside the UI thread's queue
  ui_.RunAll();
  ASSERT_EQ(events_.size(), 4u);
  const std::regex hid(R"(\\\\\?\\HID#VID_2E8D&PID_771F&MI_03#[^#]+#\{4d1e55b2-f16f-11cf-88cb-001111000030\})");
  const std::regex audio(R"(\\\\\?\\USB#VID_2E8D&PID_771F&MI_00#[^#]+#\{6994ad04-93ef-11d0-a3cc-00a0c9223196\})");
  for (std::size_t i = 0; i < events_.size(); ++i) {
    const auto& event = events_[i];
    SCOPED_TRACE(event.name);
    EXPECT_EQ(event.change, i < 2 ? DeviceChange::kRemoveComplete : DeviceChange::kArrival);
    EXPECT_EQ(event.device_type, kDeviceTypeInterface);
    const bool is_hid = i % 2 == 1;
    EXPECT_EQ(event.interface_class, is_hid ? kHidInterfaceClass : kAudioInterfaceClass);
    EXPECT_TRUE(std::regex_match(event.name, is_hid ? hid : audio));
  }
}

TEST_F(VirtualNotifier, ChangesOfAnotherProcessArriveToo) {
  auto subscription = Subscribe();
  VirtualDevice other;  // another process's device object on the same folder
  other.UseStateFolder(folder_.path().string());
  other.Unplug();
  ASSERT_TRUE(ui_.WaitForPosted(2));
  other.Reset();  // an unplug of an absent device is nothing; then the plug
  ASSERT_TRUE(ui_.WaitForPosted(4));
  ui_.RunAll();
  ASSERT_EQ(events_.size(), 4u);
  EXPECT_EQ(events_[1].change, DeviceChange::kRemoveComplete);
  EXPECT_EQ(events_[3].change, DeviceChange::kArrival);
  EXPECT_EQ(events_[3].interface_class, kHidInterfaceClass);
}

TEST_F(VirtualNotifier, DestroyingTheSubscriptionStopsDelivery) {
  auto subscription = Subscribe();
  device().Unplug();
  ASSERT_EQ(ui_.Posted(), 2u);
  // Tasks already handed to the UI thread do nothing once it is gone.
  subscription.reset();
  ui_.RunAll();
  device().Plug();
  EXPECT_EQ(ui_.Posted(), 0u);
  EXPECT_TRUE(events_.empty());
  EXPECT_EQ(notifier_.Subscribe(nullptr, [](const DeviceInterfaceEvent&) {}), nullptr);
}

}  // namespace
}  // namespace audio77::sim
