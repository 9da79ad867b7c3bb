#pragma once
// What every audio77ctl command gets: its output streams and, on first use,
// the platform that AUDIO77_PLATFORM names.

#include <iosfwd>
#include <memory>
#include <optional>
#include <nlohmann/json.hpp>
#include <span>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace audio77::ctl {

// Exit codes of audio77ctl.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;  // a file or device failure, one line on standard error
inline constexpr int kExitUsage = 2;

// Key order as written, so that a document reads like the text it stands for.
using Json = nlohmann::ordered_json;

class CtlContext {
 public:
  CtlContext(std::ostream& out, std::ostream& err);
  ~CtlContext();
  std::ostream& out;
  std::ostream& err;
  // --json: records go out as one JSON document (Emit), errors as a JSON
  // object on err.
  bool json = false;
  // Writes document to out, indented, with a line end.
  void Emit(const Json& document);
  bool emitted() const { return emitted_; }
  // Built on first use; throws std::invalid_argument for an unknown AUDIO77_PLATFORM.
  Platform& platform();
  // Writes "audio77ctl: <message>" to err and gives the failure exit code.
  int Fail(const std::string& message);
  // Writes "audio77ctl: <message>" and the usage hint to err and gives the usage exit code.
  int UsageError(const std::string& message);
  // A failure for a FILE argument that names a folder or a file this user
  // cannot read; nothing for a readable file or one that does not exist.
  std::optional<int> RejectUnreadableFile(const std::string& path);

 private:
  std::unique_ptr<PlatformHost> host_;
  bool emitted_ = false;
};

using CtlArgs = std::span<const std::string>;

// One noun of "audio77ctl <noun> <verb> [arguments]". run gets the words after the noun.
struct CtlNoun {
  std::string name;
  std::string usage;  // one or more lines, each "<noun> <verb> ARGS  what it does"
  int (*run)(CtlContext& context, CtlArgs args);
};

// The nouns, grouped by the file that implements them.
std::vector<CtlNoun> SettingsNouns();
std::vector<CtlNoun> DeviceLibraryNouns();
std::vector<CtlNoun> IdentityNouns();
std::vector<CtlNoun> UiNouns();
std::vector<CtlNoun> DoctorNouns();

}  // namespace audio77::ctl
