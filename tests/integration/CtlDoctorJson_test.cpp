// audio77ctl doctor and --json on the virtual device, run as a script would:
// the exit codes, the lines a person reads, and documents that say the same
// as the text.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "support/ProcessRunner.h"
#include "support/TempDir.h"

namespace audio77::test {
namespace {

using Json = nlohmann::json;

std::string Ctl() { return (DistDir() / "audio77ctl").string(); }

class CtlOnVirtualDevice : public ::testing::Test {
 protected:
  ProcessResult Run(std::vector<std::string> args) {
    return RunProcess(Ctl(), args,
                      {{"AUDIO77_PLATFORM", "virtual"}, {"AUDIO77_VIRTUAL_DIR", state_.path().string()},
                       {"APPDATA", (state_.path() / "appdata").string()}});
  }
  Json RunJson(std::vector<std::string> args, int expected_exit = 0) {
    args.insert(args.begin(), "--json");
    const auto result = Run(args);
    EXPECT_EQ(result.exit_code, expected_exit) << result.err;
    return Json::parse(result.out);
  }
  std::string DoctorLine(const std::string& out, const std::string& check) {
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) {
      const auto space = line.find(' ');
      if (space != std::string::npos && line.compare(space + 1, check.size() + 1, check + ":") == 0) return line;
    }
    return {};
  }
  TempDir state_;
};

TEST_F(CtlOnVirtualDevice, DoctorSaysWhatIsMissingAndExitsOneOnlyThen) {
  const auto plugged = Run({"doctor"});
  EXPECT_EQ(plugged.exit_code, 0) << plugged.out << plugged.err;
  for (const char* check : {"library", "device", "hid", "access", "sound card"}) {
    EXPECT_EQ(DoctorLine(plugged.out, check).rfind("ok ", 0), 0u) << check << "\n" << plugged.out;
  }
  EXPECT_NE(DoctorLine(plugged.out, "device").find("2e8d:771f"), std::string::npos) << plugged.out;
  EXPECT_EQ(DoctorLine(plugged.out, "session bus").rfind("ok ", 0), 0u) << plugged.out;

  ASSERT_EQ(Run({"virtual", "fault", "ext", "missing"}).exit_code, 0);
  const auto no_card = Run({"doctor"});
  EXPECT_EQ(no_card.exit_code, 1);
  EXPECT_EQ(DoctorLine(no_card.out, "sound card").rfind("FAIL sound card: ", 0), 0u) << no_card.out;
  EXPECT_NE(DoctorLine(no_card.out, "sound card").find(" -- fix: "), std::string::npos);

  ASSERT_EQ(Run({"virtual", "unplug"}).exit_code, 0);
  const auto unplugged = Run({"doctor"});
  EXPECT_EQ(unplugged.exit_code, 1);
  EXPECT_NE(DoctorLine(unplugged.out, "device").find("-- fix: audio77ctl virtual plug"), std::string::npos)
      << unplugged.out;
  for (const char* check : {"hid", "access", "sound card", "sound server"}) {
    EXPECT_EQ(DoctorLine(unplugged.out, check).rfind("skip ", 0), 0u) << check << "\n" << unplugged.out;
  }
  EXPECT_EQ(unplugged.err, "audio77ctl: Audio77 cannot reach a device: see the FAIL lines\n");

  const Json document = RunJson({"doctor"}, 1);
  EXPECT_EQ(document["ok"], false);
  ASSERT_TRUE(document["checks"].is_array());
  bool device_seen = false;
  for (const auto& check : document["checks"]) {
    // The same checks in the same words as the text.
    const std::string line = DoctorLine(unplugged.out, check["check"]);
    EXPECT_EQ(line.rfind(check["status"].get<std::string>() + " ", 0), 0u) << line;
    EXPECT_NE(line.find(check["finding"].get<std::string>()), std::string::npos) << line;
    if (check["check"] == "device") {
      device_seen = true;
      EXPECT_EQ(check["status"], "FAIL");
      EXPECT_EQ(check["fix"], "audio77ctl virtual plug");
    }
  }
  EXPECT_TRUE(device_seen);
}

TEST_F(CtlOnVirtualDevice, JsonDocumentsSayWhatTheTextSays) {
  ASSERT_EQ(Run({"reg", "write", "0x18A", "5"}).exit_code, 0);
  EXPECT_EQ(Run({"reg", "read", "0x18A"}).out, "0x05\n");
  EXPECT_EQ(RunJson({"reg", "read", "0x18A"}), (Json{{"address", "0x018A"}, {"value", "0x05"}}));

  const auto devices_text = Run({"devices"});
  const Json devices = RunJson({"devices"});
  ASSERT_TRUE(devices["chosen"].is_object()) << devices.dump();
  EXPECT_NE(devices_text.out.find("* " + devices["chosen"]["hardware_id"].get<std::string>() + "\n"),
            std::string::npos);
  EXPECT_NE(devices_text.out.find("vendor 0x2E8D product 0x771F\nusb 2e8d:771f sysfs - hidraw -\n"),
            std::string::npos) << devices_text.out;
  EXPECT_EQ(devices["chosen"]["usb_id"], "2e8d:771f");
  int chosen = 0;
  for (const auto& device : devices["devices"]) {
    chosen += device["chosen"].get<bool>() ? 1 : 0;
    EXPECT_NE(devices_text.out.find(device["hardware_id"].get<std::string>()), std::string::npos);
  }
  EXPECT_EQ(chosen, 1);

  const Json status = RunJson({"virtual", "status"});
  EXPECT_EQ(status["present"], true);
  EXPECT_EQ(status["vendor_id"], "2E8D");
  EXPECT_EQ(status["usb_id"], "2e8d:771f");
  EXPECT_TRUE(status["faults"].empty());
  ASSERT_EQ(Run({"virtual", "fault", "hid.out", "2"}).exit_code, 0);
  EXPECT_EQ(RunJson({"virtual", "status"})["faults"], (Json{{"hid.out", 2}}));
  EXPECT_NE(Run({"virtual", "status"}).out.find("faults: hid.out=2\n"), std::string::npos);

  const auto config_text = Run({"config", "show"});
  const Json config = RunJson({"config", "show"});
  for (const auto& section : {"config", "runtime"}) {
    ASSERT_FALSE(config[section].empty()) << config.dump();
    for (const auto& [key, value] : config[section].items()) {
      EXPECT_NE(config_text.out.find(key + " = " + value.get<std::string>() + "\n"), std::string::npos) << key;
    }
  }
  EXPECT_EQ(config["config"]["InstallAppTitle"], "Audio77");
}

TEST_F(CtlOnVirtualDevice, ErrorsAreOneJsonObjectOnStandardErrorWithTheTextsExitCode) {
  struct Case {
    std::vector<std::string> args;
    int exit_code;
  };
  const Case cases[] = {
      {{"no-such-noun"}, 2},
      {{"reg", "read", "0x10000"}, 2},
      {{"reg", "read", "twelve"}, 2},
      {{"reg", "write", "0x18A", "256"}, 2},
      {{"virtual", "status", "extra"}, 2},
      {{"devices", "--config"}, 2},
      {{"ids", "check", "/"}, 1},
      {{"ids", "check", "/nonexistent/AudioConfig.cfg"}, 1},
      {{"doctor", "now"}, 2},
      {{"ini", "dump", "/"}, 1},
      {{"profile", "get", "/", "Section", "Key"}, 1},
      {{"config", "show", "/nonexistent"}, 1},
      {{"devices", "--config", "/"}, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args.front() + (c.args.size() > 1 ? " " + c.args[1] : ""));
    const auto text = Run(c.args);
    std::vector<std::string> json_args = c.args;
    json_args.push_back("--json");
    const auto json = Run(json_args);
    EXPECT_EQ(text.exit_code, c.exit_code);
    EXPECT_EQ(json.exit_code, c.exit_code);
    std::istringstream json_err(json.err);
    std::string last;
    for (std::string line; std::getline(json_err, line);) last = line;
    const Json error = Json::parse(last);
    EXPECT_EQ(error["exit"], c.exit_code);
    // The same message as the text's first line.
    EXPECT_EQ(text.err.rfind("audio77ctl: " + error["error"].get<std::string>() + "\n", 0), 0u) << text.err;
    EXPECT_EQ(error.contains("usage"), c.exit_code == 2);
  }
}

}  // namespace
}  // namespace audio77::test
