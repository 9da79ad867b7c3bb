#include "device/ExtensionTransport.h"

#include <gtest/gtest.h>

#include <vector>

namespace audio77 {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct Request {
  std::uint32_t code;
  Bytes in;
  std::size_t out_size;
};

// A driver that opens one path, records the requests and answers from a script.
class RecordingExtension final : public DriverExtension {
 public:
  std::string present_path;
  bool request_succeeds = true;
  Bytes answer;                 // copied to the output buffer
  std::uint32_t returned = 0;   // byte count reported back
  std::vector<std::string> opened_paths;
  std::vector<Request> requests;
  int open_handles = 0;

  std::unique_ptr<ExtensionHandle> Open(const std::string& path) override {
    opened_paths.push_back(path);
    if (path != present_path) return nullptr;
    return std::make_unique<Handle>(*this);
  }

 private:
  class Handle final : public ExtensionHandle {
   public:
    explicit Handle(RecordingExtension& owner) : owner_(owner) { ++owner_.open_handles; }
    ~Handle() override { --owner_.open_handles; }
    bool Control(std::uint32_t code, std::span<const std::uint8_t> in, std::span<std::uint8_t> out,
                 std::uint32_t& returned) override {
      owner_.requests.push_back({code, Bytes(in.begin(), in.end()), out.size()});
      for (std::size_t i = 0; i < out.size() && i < owner_.answer.size(); ++i) out[i] = owner_.answer[i];
      returned = owner_.returned;
      return owner_.request_succeeds;
    }

   private:
    RecordingExtension& owner_;
  };
};

class ExtensionTransportTest : public ::testing::Test {
 protected:
  void TearDown() override { EXPECT_EQ(driver_.open_handles, 0) << "a handle was left open"; }
  RecordingExtension driver_;
  ExtensionPath path_;
  ExtensionTransport transport_{driver_, path_};
};

TEST_F(ExtensionTransportTest, PresenceTestSetsTheSharedPath) {
  driver_.present_path = "\\\\.\\Class#UsbAudioExtension&2E8D&771F";
  EXPECT_EQ(ExtensionPath::Format(0x0a, 0xbcde), "\\\\.\\Class#UsbAudioExtension&000A&BCDE");
  EXPECT_EQ(transport_.PresenceTest(0x2E8D, 0x771F), 0);
  EXPECT_EQ(path_.Get(), driver_.present_path);
  EXPECT_TRUE(driver_.requests.empty());

  // Another transport object on the same path object uses the path the test set.
  ExtensionTransport other(driver_, path_);
  EXPECT_EQ(other.ApplyEffect(1), 0);
  EXPECT_EQ(driver_.opened_paths.back(), driver_.present_path);

  EXPECT_EQ(transport_.PresenceTest(0x2E8D, 0x7720), 1);
  EXPECT_EQ(path_.Get(), "\\\\.\\Class#UsbAudioExtension&2E8D&7720");
  EXPECT_EQ(other.ApplyEffect(1), 1);
}

TEST_F(ExtensionTransportTest, SelectingThePathOpensNothingAndLaterRequestsUseIt) {
  driver_.present_path = ExtensionPath::Format(0x2E8D, 0x771F);
  path_.Select(0x2E8D, 0x771F);
  EXPECT_TRUE(driver_.opened_paths.empty());
  EXPECT_EQ(transport_.ApplyEffect(1), 0);
  EXPECT_EQ(driver_.opened_paths, std::vector<std::string>{driver_.present_path});
  path_.Clear();
  EXPECT_EQ(transport_.ApplyEffect(1), 1);
  EXPECT_EQ(driver_.opened_paths.back(), "");
}

TEST_F(ExtensionTransportTest, RequestsBeforeAnyPresenceTestOpenAnEmptyPath) {
  driver_.present_path = ExtensionPath::Format(0x2E8D, 0x771F);
  std::uint32_t value = 5;
  EXPECT_EQ(transport_.Query(0, value), 1);
  EXPECT_EQ(transport_.StatusQuery(value), 1);
  EXPECT_EQ(transport_.SelectEffect(2), 1);
  EXPECT_EQ(transport_.ApplyEffect(1), 1);
  EXPECT_EQ(value, 5u);
  EXPECT_EQ(driver_.opened_paths, std::vector<std::string>(4, ""));
}

TEST_F(ExtensionTransportTest, RequestBuffersAndCodes) {
  driver_.present_path = ExtensionPath::Format(0x2E8D, 0x771F);
  ASSERT_EQ(transport_.PresenceTest(0x2E8D, 0x771F), 0);
  driver_.answer = {1, 0, 0x34, 0x12, 0x78, 0x56, 0x34, 0x12};
  driver_.returned = 8;

  std::uint32_t value = 0xAABBCCDD;
  EXPECT_EQ(transport_.Query(0x1234, value), 0);
  EXPECT_EQ(value, 0x12345678u);
  std::uint32_t status = 0;
  EXPECT_EQ(transport_.StatusQuery(status), 0);
  EXPECT_EQ(status, 0x12345678u);
  EXPECT_EQ(transport_.SelectEffect(3), 0);
  EXPECT_EQ(transport_.ApplyEffect(1), 0);

  const std::vector<Request> expected = {
      {0x00223028, {1, 0, 0x34, 0x12, 0xDD, 0xCC, 0xBB, 0xAA}, 8},
      {0x00223190, {1, 0, 0, 0, 0, 0, 0, 0}, 8},
      {0x08232008, {3, 0, 0, 0}, 0},
      {0x08232000, {1, 0, 0, 0}, 0},
  };
  ASSERT_EQ(driver_.requests.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(driver_.requests[i].code, expected[i].code);
    EXPECT_EQ(driver_.requests[i].in, expected[i].in);
    EXPECT_EQ(driver_.requests[i].out_size, expected[i].out_size);
  }
}

TEST_F(ExtensionTransportTest, FailedRequestsAndEmptyAnswers) {
  driver_.present_path = ExtensionPath::Format(0x2E8D, 0x771F);
  ASSERT_EQ(transport_.PresenceTest(0x2E8D, 0x771F), 0);
  driver_.answer = {1, 0, 0, 0, 9, 9, 9, 9};

  driver_.request_succeeds = false;
  std::uint32_t value = 42;
  EXPECT_EQ(transport_.Query(0, value), 2);
  EXPECT_EQ(transport_.StatusQuery(value), 2);
  EXPECT_EQ(transport_.SelectEffect(0), 2);
  EXPECT_EQ(transport_.ApplyEffect(1), 2);
  EXPECT_EQ(value, 42u);

  driver_.request_succeeds = true;
  driver_.returned = 0;
  EXPECT_EQ(transport_.Query(0, value), 3);
  EXPECT_EQ(value, 42u) << "value must stay when no bytes came back";
}

}  // namespace
}  // namespace audio77
