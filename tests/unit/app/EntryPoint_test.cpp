// The entry point's roles, the single instance and the pending main window,
// on the virtual platform.
#include "app/EntryPoint.h"

#include <gtest/gtest.h>

#include "platform/ManualClock.h"
#include "platform/RecordingDebugOutput.h"
#include "sim/platform/VirtualPlatform.h"
#include "support/TempDir.h"
#include "toolkit/ScriptedDialogs.h"
#include "toolkit/Timer.h"

namespace audio77 {
namespace {

class CountingWindow final : public WindowInstance {
 public:
  explicit CountingWindow(int& runs) : runs_(runs) {}
  void Run() override { ++runs_; }
  void BringForward() override {}
  void Close() override {}

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
    loop = std::make_unique<toolkit::EventLoop>(host->Get().clock);
    app = std::make_unique<toolkit::Application>(*loop);
    app->SetDialogs(dialogs);
  }

  int Run(std::vector<std::string> arguments) {
    EntryPoint entry(host->Get(), *app,
                     [this](const WindowInstanceContext&) { return std::make_unique<CountingWindow>(window_runs); });
    return entry.Run(std::move(arguments));
  }

  std::string Trace() const { return state.Read("trace.log"); }

  test::TempDir state;
  RecordingDebugOutput* debug = nullptr;
  std::unique_ptr<PlatformHost> host;
  toolkit::ScriptedDialogs dialogs;
  std::unique_ptr<toolkit::EventLoop> loop;
  std::unique_ptr<toolkit::Application> app;
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
      // A window instance publishes itself under the application's title.
      h_.host->Get().instance_link.Publish("Audio77", [this] { BringForward(); });
      // While the first runs, the user starts the program again.
      EntryPoint second(h_.host->Get(), *h_.app, [this](const WindowInstanceContext&) {
        ++second_windows_;
        return std::unique_ptr<WindowInstance>();
      });
      EXPECT_EQ(second.Run({"audio77", "-servicestart"}), 0);
    }
    void BringForward() override { ++forward_; }
    void Close() override {}

   private:
    Harness& h_;
    int& runs_;
    int& second_windows_;
    int& forward_;
  };

  EntryPoint first(h.host->Get(), *h.app, [&](const WindowInstanceContext&) {
    return std::make_unique<FirstWindow>(h, first_runs, second_windows, brought_forward);
  });
  EXPECT_EQ(first.Run({"audio77", "-serviceboot"}), 0);
  EXPECT_EQ(first_runs, 1);
  EXPECT_EQ(second_windows, 0);
  EXPECT_EQ(brought_forward, 1);
  EXPECT_NE(h.Trace().find("instance activate Audio77 = called"), std::string::npos) << h.Trace();
}

TEST(EntryPoint, StartupExceptionIsShownAndExitIsZero) {
  Harness h;
  EntryPoint entry(h.host->Get(), *h.app, [](const WindowInstanceContext&) -> std::unique_ptr<WindowInstance> {
    throw std::runtime_error("'x' is not a valid integer value");
  });
  EXPECT_EQ(entry.Run({"audio77", "-servicestart"}), 0);
  const toolkit::MessageRequest shown{"'x' is not a valid integer value", "Audio77", MessageIcon::kError,
                                      MessageButtons::kOk};
  EXPECT_EQ(h.dialogs.Messages(), std::vector<toolkit::MessageRequest>{shown});
}

// The window instance is made from the platform, the toolkit and the command
// line as it was given; while it runs, a termination request closes it as the
// exit message does, and the request is watched only while it runs.
// A window instance that runs the loop until it is closed.
class LoopWindow final : public WindowInstance {
 public:
  explicit LoopWindow(toolkit::Application& app) : app_(app) {}
  void Run() override { app_.Loop().Run(); }
  void BringForward() override {}
  void Close() override { app_.Terminate(); }

 private:
  toolkit::Application& app_;
};

TEST(EntryPoint, WindowGetsItsContextAndTerminationClosesIt) {
  Harness h;
  std::function<void()> close_request;
  std::weak_ptr<void> watch;
  std::string raw_command_line;
  toolkit::Application* app = nullptr;
  EntryPoint entry(
      h.host->Get(), *h.app,
      [&](const WindowInstanceContext& context) {
        raw_command_line = context.raw_command_line;
        app = &context.app;
        return std::make_unique<LoopWindow>(context.app);
      },
      [&](std::function<void()> close) {
        close_request = std::move(close);
        auto token = std::make_shared<int>(0);
        watch = token;
        return token;
      });
  h.loop->Post([&] {
    ASSERT_TRUE(close_request);
    EXPECT_FALSE(watch.expired());
    close_request();  // SIGTERM
  });
  EXPECT_EQ(entry.Run({"./audio77", "-serviceboot", "x y"}), 0);
  EXPECT_EQ(raw_command_line, "./audio77 -serviceboot x y");
  EXPECT_EQ(app, h.app.get());
  EXPECT_TRUE(watch.expired());
  EXPECT_TRUE(h.dialogs.Messages().empty());
}

}  // namespace
}  // namespace audio77
