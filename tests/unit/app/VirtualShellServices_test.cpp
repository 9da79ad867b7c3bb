// Lock, link and message bus of the virtual platform.
#include <gtest/gtest.h>

#include "sim/platform/VirtualInstanceLink.h"
#include "sim/platform/VirtualInstanceLock.h"
#include "sim/platform/VirtualMessageBus.h"
#include "support/TempDir.h"

namespace audio77::sim {
namespace {

TEST(VirtualInstanceLock, OneHolderPerStateFolderUntilItEnds) {
  test::TempDir state;
  const std::string folder = state.File("missing-yet");
  auto first = std::make_unique<VirtualInstanceLock>(folder);
  VirtualInstanceLock second(folder);
  EXPECT_EQ(first->Acquire("{lock}"), InstanceLockResult::kAcquired);
  EXPECT_EQ(first->Acquire("{lock}"), InstanceLockResult::kHeldByAnother);  // a named lock exists once
  EXPECT_EQ(second.Acquire("{lock}"), InstanceLockResult::kHeldByAnother);
  first.reset();
  EXPECT_EQ(second.Acquire("{lock}"), InstanceLockResult::kAcquired);
  EXPECT_EQ(VirtualInstanceLock(folder).Acquire("../escape"), InstanceLockResult::kFailed);
}

TEST(VirtualInstanceLink, FoundOnlyUnderTheSameTitle) {
  test::TempDir state;
  int calls = 0;
  {
    VirtualInstanceLink running(state.path().string());
    running.Publish("Audio77", [&] { ++calls; });
    EXPECT_TRUE(running.ActivateRunning("Audio77"));
    EXPECT_EQ(calls, 1);
    // Another process sees the marker of the running one, but only under its title.
    VirtualInstanceLink other(state.path().string());
    EXPECT_TRUE(other.ActivateRunning("Audio77"));
    EXPECT_FALSE(other.ActivateRunning("Headset Center"));
  }
  VirtualInstanceLink after(state.path().string());
  EXPECT_FALSE(after.ActivateRunning("Audio77")) << "the marker outlived its instance";
}

TEST(VirtualMessageBus, RegistersByNameAndReachesTheSenderAtOnce) {
  test::TempDir state;
  VirtualMessageBus bus(state.path().string());
  const auto exit = bus.Register("WM_QKW77xxAPP_EXIT");
  const auto resume = bus.Register("WM_APP_EXIT_RESUME");
  EXPECT_NE(exit, 0u);
  EXPECT_NE(exit, resume);
  EXPECT_EQ(bus.Register("WM_QKW77xxAPP_EXIT"), exit);

  std::vector<std::uint32_t> received;
  bus.SetHandler([&](std::uint32_t message) { received.push_back(message); });
  bus.Broadcast(resume);
  bus.Broadcast(exit);
  EXPECT_EQ(received, (std::vector<std::uint32_t>{resume, exit}));
  EXPECT_NE(state.Read("trace.log").find("bus broadcast WM_APP_EXIT_RESUME = ok"), std::string::npos);
}

}  // namespace
}  // namespace audio77::sim
