// The entry point's roles, the single instance and the pending main window,
// on the virtual platform.
#include "app/EntryPoint.h"

#include <gtest/gtest.h>

#include "app/PendingMainWindow.h"
#include "platform/ManualClock.h"
#include "platform/RecordingDebugOutput.h"
#include "sim/platform/VirtualPlatform.h"
#include "support/TempDir.h"

namespace audio77 {
namespace {

class CountingWindow final : public WindowInstance {
 public:
  explicit CountingWindow(int& runs) : runs_(runs) {}
  void Run() override { ++runs_; }
  void BringForward() override {}

 private:
  int& runs_;
};

struct Harness {
  explicit Harness(const std::string& services_ini = "[AudioDeviceService]\nState=running\n") {
    state.Write("services.ini", services_ini);
    sim::VirtualPlatformOptions options;
    options.state_folder = state.path().string();
    options.program_path = "/opt/audio77/audio77";
    options.home = state.File("home");
    auto recorder = std::make_unique<RecordingDebugOutput>();
    debug = recorder.get();
    options.debug = std::move(recorder);
    host = sim::CreateVirtualPlatform(std::move(options));
  }

  int Run(std::vector<std::string> arguments) {
    EntryPoint app(host->Get(), [this] { return std::make_unique<CountingWindow>(window_runs); });
    return app.Run(std::move(arguments));
  }

  std::string Trace() const { return state.Read("trace.log"); }

  test::TempDir state;
  RecordingDebugOutput* debug = nullptr;
  std::unique_ptr<PlatformHost> host;
  int window_runs = 0;
};

struct RoleCase {
  const char* name;
  std::vector<std::string> arguments;  // after the program
  const char* echoed;                  // the lower-case echo of the scanned switches
  int code;                            // control code sent; 0: the window instance
};

const RoleCase kRoles[] = {
    {"no arguments", {}, "", 193},
    {"boot", {"-boot"}, "-boot", 196},
    {"capitals", {"-BOOT"}, "-boot", 196},
    {"unknown first", {"-x", "-boot"}, "-x-boot", 196},
    {"first switch wins", {"-servicestart", "-boot"}, "-servicestart", 0},
    {"boot wins over a later window switch", {"-Boot", "-serviceboot"}, "-boot", 196},
    {"window switch in capitals", {"-SERVICESTART"}, "-servicestart", 0},
    {"mixed case serviceboot", {"-ServiceBoot"}, "-serviceboot", 0},
    {"empty arguments skipped", {"", "-boot", ""}, "-boot", 196},
    {"only unknown", {"boot", "--boot", "-boot "}, "boot--boot-boot ", 193},
};

TEST(EntryPoint, RolesFromTheCommandLine) {
  for (const auto& c : kRoles) {
    SCOPED_TRACE(c.name);
    Harness h;
    std::vector<std::string> arguments{"./audio77"};
    arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
    EXPECT_EQ(h.Run(arguments), 0);

    std::string expected = "ParamStr(0) = /opt/audio77/audio77\n";
    for (std::size_t i = 0; i < c.arguments.size(); ++i) {
      expected += "ParamStr(" + std::to_string(i + 1) + ") = " + c.arguments[i] + "\n";
    }
    expected += c.echoed;
    if (c.code == 196) expected += "===== Service Control Execution -boot =====\nControlTheService ret = 0\n";
    if (c.code == 193) expected += "===== Service Control Execution no service =====\nControlTheService ret = 0\n";
    EXPECT_EQ(h.debug->Text(), expected);

    const std::string trace = h.Trace();
    if (c.code != 0) {
      EXPECT_EQ(h.window_runs, 0);
      EXPECT_NE(trace.find("control " + std::to_string(c.code) + " = ok"), std::string::npos) << trace;
      EXPECT_EQ(trace.find("instance"), std::string::npos) << "a one-shot role touched the lock";
    } else {
      EXPECT_EQ(h.window_runs, 1);
      EXPECT_EQ(trace.find("scm"), std::string::npos) << "the window role sent a service request";
      EXPECT_NE(trace.find("instance lock {196BFF53-13AC-4BB7-8F82-D7E5E55E19F7} = acquired"),
                std::string::npos);
    }
  }
}

TEST(EntryPoint, ServiceFailureIsOnlyLogged) {
  Harness h("[Manager]\nReachable=0\n");
  EXPECT_EQ(h.Run({"audio77", "-boot"}), 0);
  EXPECT_TRUE(h.debug->Contains("ControlTheService ret = 1\n"));
}

// The second instance brings the first forward and ends before any window
// of its own exists: its shutdown must not reset the device the first owns.
TEST(EntryPoint, SecondInstanceActivatesTheFirstAndCreatesNoWindow) {
  Harness h;
  int first_runs = 0;
  int second_windows = 0;
  int brought_forward = 0;

  class FirstWindow final : public WindowInstance {
   public:
    FirstWindow(Harness& h, int& runs, int& second_windows, int& forward)
        : h_(h), runs_(runs), second_windows_(second_windows), forward_(forward) {}
    void Run() override {
      ++runs_;
      // While the first runs, the user starts the program again.
      EntryPoint second(h_.host->Get(), [this] {
        ++second_windows_;
        return std::unique_ptr<WindowInstance>();
      });
      EXPECT_EQ(second.Run({"audio77", "-servicestart"}), 0);
    }
    void BringForward() override { ++forward_; }

   private:
    Harness& h_;
    int& runs_;
    int& second_windows_;
    int& forward_;
  };

  EntryPoint first(h.host->Get(), [&] {
    return std::make_unique<FirstWindow>(h, first_runs, second_windows, brought_forward);
  });
  EXPECT_EQ(first.Run({"audio77", "-serviceboot"}), 0);
  EXPECT_EQ(first_runs, 1);
  EXPECT_EQ(second_windows, 0);
  EXPECT_EQ(brought_forward, 1);
  EXPECT_NE(h.Trace().find("instance activate Audio77 = called"), std::string::npos) << h.Trace();
}

class RecordingMessageBox final : public MessageBox {
 public:
  MessageBoxAnswer Show(const std::string& text, const std::string& caption, MessageBoxButtons,
                        MessageBoxIcon icon) override {
    shown.push_back(caption + ": " + text);
    icons.push_back(icon);
    return MessageBoxAnswer::kOk;
  }
  std::vector<std::string> shown;
  std::vector<MessageBoxIcon> icons;
};

TEST(EntryPoint, StartupExceptionIsShownAndExitIsZero) {
  Harness h;
  Platform& base = h.host->Get();
  RecordingMessageBox box;
  Platform platform{base.debug,   base.clock,     base.folders,  base.registry,      base.loader,
                    box,          base.hid,       base.extension, base.devices,      base.notifier,
                    base.services,
                    base.instance_lock, base.instance_link, base.bus, base.automation};
  EntryPoint entry(platform, []() -> std::unique_ptr<WindowInstance> {
    throw std::runtime_error("'x' is not a valid integer value");
  });
  EXPECT_EQ(entry.Run({"audio77", "-servicestart"}), 0);
  EXPECT_EQ(box.shown, std::vector<std::string>{"Audio77: 'x' is not a valid integer value"});
  EXPECT_EQ(box.icons, std::vector<MessageBoxIcon>{MessageBoxIcon::kError});
}

struct FakeLoop {
  MessageLoop Loop() {
    return {[this] {
              running = true;
              if (during) during();
              running = false;
            },
            [this] { ++quits; }};
  }
  bool running = false;
  int quits = 0;
  std::function<void()> during;
};

TEST(PendingMainWindow, FirstActivationMinimisesOnlyForServiceBoot) {
  struct Case {
    const char* command_line;
    bool minimised;
  };
  const Case cases[] = {
      {"/opt/audio77/audio77 -serviceboot", true},
      {"/opt/audio77/audio77 -ServiceBoot", false},
      {"/opt/audio77/audio77 -servicestart", false},
      {"/opt/audio77/audio77 -x -servicestart -serviceboot", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.command_line);
    Harness h;
    FakeLoop loop;
    PendingMainWindow window(h.host->Get(), c.command_line, loop.Loop());
    window.Run();
    EXPECT_EQ(window.Minimised(), c.minimised);
    EXPECT_EQ(h.debug->Text(), c.minimised ? "FormActivate-serviceboot" : "FormActivate");

    // A later activation (a second instance bringing it forward) restores it
    // and never minimises again.
    h.debug->Clear();
    window.BringForward();
    EXPECT_FALSE(window.Minimised());
    EXPECT_EQ(h.debug->Lines(), std::vector<std::string>{"FormActivate"});
  }
}

TEST(PendingMainWindow, EndsOnTheExitMessageAndIgnoresTheOthers) {
  Harness h;
  FakeLoop loop;
  Platform& platform = h.host->Get();
  PendingMainWindow window(platform, "audio77 -servicestart", loop.Loop());
  loop.during = [&] {
    platform.bus.Broadcast(platform.bus.Register("WM_AUDIO_EFFECT_EXIT"), 100);
    platform.bus.Broadcast(platform.bus.Register("WM_APP_EXIT_RESUME"), 1000);
    EXPECT_EQ(loop.quits, 0);
    platform.bus.Broadcast(platform.bus.Register("WM_QKW77xxAPP_EXIT"), 100);
  };
  window.Run();
  EXPECT_EQ(loop.quits, 1);
}

}  // namespace
}  // namespace audio77
