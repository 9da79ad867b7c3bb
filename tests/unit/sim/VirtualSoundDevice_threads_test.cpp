// The virtual device's sound card follows plugs made on other threads (as by
// another process) on its own worker, and is gone when the object ends.
#include <atomic>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include "SimFixture.h"
#include "sim/platform/VirtualSoundDevice.h"

namespace audio77::sim {
namespace {

// Cards kept in memory, as the sound server would keep them.
class MemoryCardHost final : public SoundCardHost {
 public:
  class Card final : public SoundCard {
   public:
    Card(MemoryCardHost& host, std::string name) : host_(host), name_(std::move(name)) {}
    ~Card() override {
      std::lock_guard lock(host_.mutex_);
      host_.cards_.erase(name_);
    }

   private:
    MemoryCardHost& host_;
    std::string name_;
  };

  std::unique_ptr<SoundCard> Add(const std::string& name, const std::string&, std::uint16_t vendor_id,
                                 std::uint16_t product_id) override {
    std::lock_guard lock(mutex_);
    if (!cards_.insert(name).second) ++doubles_;
    ids_.push_back(vendor_id << 16 | product_id);
    return std::make_unique<Card>(*this, name);
  }
  std::size_t Cards() const {
    std::lock_guard lock(mutex_);
    return cards_.size();
  }
  int Doubles() const {
    std::lock_guard lock(mutex_);
    return doubles_;
  }
  std::vector<std::uint32_t> Ids() const {
    std::lock_guard lock(mutex_);
    return ids_;
  }

 private:
  mutable std::mutex mutex_;
  std::set<std::string> cards_;
  std::vector<std::uint32_t> ids_;
  int doubles_ = 0;
};

using VirtualSoundCard = SimFixture;

TEST_F(VirtualSoundCard, FollowsPlugsFromAnotherThreadAndLeavesNothing) {
  MemoryCardHost host;
  {
    VirtualSoundDevice sound(device(), host);
    sound.Settle();
    EXPECT_EQ(host.Cards(), 1u);
    std::thread plugger([this] {
      for (int i = 0; i < 20; ++i) {
        device().Unplug();
        device().Plug();
      }
      device().Unplug();
    });
    plugger.join();
    sound.Settle();
    EXPECT_FALSE(sound.CardPresent());
    EXPECT_EQ(host.Cards(), 0u);
    device().Plug();
    sound.Settle();
    EXPECT_TRUE(sound.CardPresent());
  }
  EXPECT_EQ(host.Cards(), 0u);
  EXPECT_EQ(host.Doubles(), 0);
  for (const auto id : host.Ids()) EXPECT_EQ(id, 0x2E8D771Fu);
}

}  // namespace
}  // namespace audio77::sim
