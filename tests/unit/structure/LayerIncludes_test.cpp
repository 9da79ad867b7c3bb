// Keeps the layering of src/ true: what each folder may include, read from
// the #include lines of every source file. The plain layers see only the C
// and C++ standard libraries (and nettle for DES); Qt and the operating
// system's own headers belong to toolkit/qt, platform/linux, platform/posix
// (POSIX loading and file locks only, no Qt), the wiring and main().
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "support/TempDir.h"

namespace audio77 {
namespace {

namespace fs = std::filesystem;

enum class System { kStandardOnly, kPosix, kAny };

struct Layer {
  const char* folder;  // under src/; the longest matching folder decides
  System system;
  // Folders of src/ whose headers it may include (its own is always allowed);
  // "*" allows every folder.
  std::vector<std::string> uses;
};

// Lower layers first; an arrow only points down.
const std::vector<Layer>& Layers() {
  static const std::vector<Layer> layers = {
      {"platform", System::kStandardOnly, {}},
      {"platform/posix", System::kPosix, {"platform"}},
      {"platform/linux", System::kAny, {"platform", "platform/posix"}},
      {"settings", System::kStandardOnly, {"platform"}},
      {"device", System::kStandardOnly, {"platform", "settings"}},
      {"toolkit", System::kStandardOnly, {"platform", "settings", "device"}},
      {"toolkit/qt", System::kAny, {"platform", "toolkit"}},
      {"ui", System::kStandardOnly, {"platform", "settings", "device", "toolkit"}},
      {"features", System::kStandardOnly, {"platform", "settings", "device", "toolkit", "ui"}},
      {"lighting", System::kStandardOnly, {"platform", "settings", "device", "toolkit", "ui", "features"}},
      {"windows", System::kStandardOnly, {"platform", "settings", "device", "toolkit", "ui"}},
      {"app", System::kStandardOnly,
       {"platform", "settings", "device", "toolkit", "ui", "features", "lighting", "windows"}},
      {"wiring", System::kAny, {"*"}},
      // The device library for hardware: the register exchange over hidraw.
      {"hwlib", System::kStandardOnly, {"platform", "platform/linux", "settings", "device"}},
  };
  return layers;
}

// main() wires the platform and the toolkit's presentation together.
const std::set<std::string> kWiringFiles = {"app/main.cpp"};

const std::set<std::string>& StandardHeaders() {
  static const std::set<std::string> names = {
      // C++ library
      "algorithm", "any", "array", "atomic", "barrier", "bit", "bitset", "cassert", "cctype", "cerrno",
      "cfloat", "charconv", "chrono", "cinttypes", "climits", "clocale", "cmath", "codecvt", "compare",
      "complex", "concepts", "condition_variable", "coroutine", "csetjmp", "csignal", "cstdarg", "cstddef",
      "cstdint", "cstdio", "cstdlib", "cstring", "ctime", "cuchar", "cwchar", "cwctype", "deque",
      "exception", "execution", "filesystem", "format", "forward_list", "fstream", "functional", "future",
      "initializer_list", "iomanip", "ios", "iosfwd", "iostream", "istream", "iterator", "latch", "limits",
      "list", "locale", "map", "memory", "memory_resource", "mutex", "new", "numbers", "numeric",
      "optional", "ostream", "queue", "random", "ranges", "ratio", "regex", "scoped_allocator",
      "semaphore", "set", "shared_mutex", "source_location", "span", "sstream", "stack", "stdexcept",
      "stop_token", "streambuf", "string", "string_view", "syncstream", "system_error", "thread", "tuple",
      "type_traits", "typeindex", "typeinfo", "unordered_map", "unordered_set", "utility", "valarray",
      "variant", "vector", "version",
      // C library
      "assert.h", "ctype.h", "errno.h", "float.h", "inttypes.h", "limits.h", "locale.h", "math.h",
      "setjmp.h", "signal.h", "stdarg.h", "stdbool.h", "stddef.h", "stdint.h", "stdio.h", "stdlib.h",
      "string.h", "time.h", "uchar.h", "wchar.h", "wctype.h"};
  return names;
}

// Portable interfaces that loading a library and locking a file need.
const std::set<std::string> kPosixHeaders = {"dlfcn.h", "fcntl.h", "unistd.h", "sys/types.h", "sys/stat.h", "sys/file.h",
                                             "link.h"};

bool IsStandard(const std::string& header) {
  return StandardHeaders().count(header) != 0 || header.rfind("nettle/", 0) == 0;
}

const Layer* LayerOf(const std::string& relative) {
  const Layer* best = nullptr;
  std::size_t best_length = 0;
  for (const auto& layer : Layers()) {
    const std::string folder = std::string(layer.folder) + "/";
    if (relative.rfind(folder, 0) == 0 && folder.size() > best_length) {
      best = &layer;
      best_length = folder.size();
    }
  }
  return best;
}

// The folder of src/ that a project include names, matched like a source file.
std::string TargetFolder(const std::string& include) {
  const Layer* layer = LayerOf(include);
  return layer != nullptr ? layer->folder : include.substr(0, include.find('/'));
}

std::string Allowed(const Layer& layer, const std::string& relative, const std::string& include, bool angled) {
  if (kWiringFiles.count(relative) != 0) return "";
  if (angled) {
    if (IsStandard(include)) return "";
    if (layer.system == System::kAny) return "";
    if (layer.system == System::kPosix && kPosixHeaders.count(include) != 0) return "";
    return "system header <" + include + "> in " + layer.folder + "/";
  }
  const std::string target = TargetFolder(include);
  if (target == layer.folder) return "";
  for (const auto& use : layer.uses) {
    if (use == "*" || use == target) return "";
  }
  return "\"" + include + "\" points from " + layer.folder + "/ to " + target + "/";
}

std::vector<std::string> Violations(const fs::path& src) {
  static const std::regex include_line(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])");
  std::vector<std::string> found;
  for (const auto& entry : fs::recursive_directory_iterator(src)) {
    const std::string extension = entry.path().extension().string();
    if (!entry.is_regular_file() || (extension != ".h" && extension != ".cpp")) continue;
    const std::string relative = entry.path().lexically_relative(src).generic_string();
    const Layer* layer = LayerOf(relative);
    if (layer == nullptr) {
      found.push_back(relative + ": its folder is not in the layer table");
      continue;
    }
    std::ifstream file(entry.path());
    std::string line;
    for (int number = 1; std::getline(file, line); ++number) {
      std::smatch match;
      if (!std::regex_search(line, match, include_line)) continue;
      const std::string why = Allowed(*layer, relative, match[2].str(), match[1].str() == "<");
      if (!why.empty()) found.push_back(relative + ":" + std::to_string(number) + ": " + why);
    }
  }
  return found;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) text += line + "\n";
  return text;
}

TEST(LayerIncludes, EveryFolderOfTheSourceTreeIncludesOnlyWhatItsLayerMay) {
  const std::vector<std::string> violations = Violations(test::SourceDir() / "src");
  EXPECT_TRUE(violations.empty()) << Joined(violations);
}

// The scan itself, on a small tree with one fault of each kind.
TEST(LayerIncludes, TheScanFindsEachKindOfFault) {
  test::TempDir dir;
  dir.Write("src/settings/Good.cpp", "#include <string>\n#include \"platform/Clock.h\"\n#include \"settings/X.h\"\n");
  dir.Write("src/settings/Qt.cpp", "#include <QString>\n");
  dir.Write("src/device/Os.h", "  #  include <sys/ioctl.h>\n");
  dir.Write("src/settings/Up.cpp", "#include \"device/HidTransport.h\"\n");
  dir.Write("src/platform/linux/Up.cpp", "#include <fcntl.h>\n#include \"settings/FileGuard.h\"\n");
  dir.Write("src/platform/posix/Qt.cpp", "#include <dlfcn.h>\n#include <QObject>\n");
  dir.Write("src/toolkit/Qt.h", "#include \"toolkit/qt/FormWidget.h\"\n");
  dir.Write("src/app/main.cpp", "#include <QApplication>\n#include \"wiring/ChoosePlatform.h\"\n");
  dir.Write("src/wiring/All.cpp", "#include <unistd.h>\n#include \"platform/linux/LinuxServices.h\"\n");
  dir.Write("src/stray/File.cpp", "");
  std::vector<std::string> violations = Violations(dir.path() / "src");
  std::sort(violations.begin(), violations.end());
  EXPECT_EQ(violations, (std::vector<std::string>{
                            "device/Os.h:1: system header <sys/ioctl.h> in device/",
                            "platform/linux/Up.cpp:2: \"settings/FileGuard.h\" points from platform/linux/ to settings/",
                            "platform/posix/Qt.cpp:2: system header <QObject> in platform/posix/",
                            "settings/Qt.cpp:1: system header <QString> in settings/",
                            "settings/Up.cpp:1: \"device/HidTransport.h\" points from settings/ to device/",
                            "stray/File.cpp: its folder is not in the layer table",
                            "toolkit/Qt.h:1: \"toolkit/qt/FormWidget.h\" points from toolkit/ to toolkit/qt/",
                        }))
      << Joined(violations);
}

}  // namespace
}  // namespace audio77
