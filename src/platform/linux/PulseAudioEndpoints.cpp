#include "platform/linux/PulseAudioEndpoints.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace audio77 {
namespace {

// "2e8d", "0x2e8d" (PipeWire) or "0X2E8D": a 16-bit ID; -1 otherwise.
long ParseUsbId(const char* text) {
  if (text == nullptr) return -1;
  std::string_view view(text);
  if (view.size() > 2 && view[0] == '0' && (view[1] == 'x' || view[1] == 'X')) view.remove_prefix(2);
  if (view.empty() || view.size() > 4) return -1;
  long value = 0;
  for (const char c : view) {
    int digit = -1;
    if (c >= '0' && c <= '9') digit = c - '0';
    if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    if (digit < 0) return -1;
    value = value * 16 + digit;
  }
  return value;
}

// The value of key="…" in a module's argument text.
std::string QuotedArgument(const std::string& arguments, const std::string& key) {
  const std::string opening = key + "=\"";
  const auto start = arguments.find(opening);
  if (start == std::string::npos) return {};
  const auto from = start + opening.size();
  const auto end = arguments.find('"', from);
  return end == std::string::npos ? std::string() : arguments.substr(from, end - from);
}

// Source names come from the server; quotes or backslashes would break the
// module's argument text, so such a source gets no route.
bool SafeInArgument(const std::string& name) {
  return !name.empty() && name.find_first_of("\"'\\ ") == std::string::npos;
}

void SignalDone(pa_context*, int, void*) {}

}  // namespace

PulseAudioEndpoints::PulseAudioEndpoints(std::shared_ptr<PulseConnection> connection)
    : connection_(std::move(connection)) {}

std::string PulseAudioEndpoints::InterfacePath(const char* vendor_id, const char* product_id,
                                               const std::string& name) {
  const long vendor = ParseUsbId(vendor_id);
  const long product = ParseUsbId(product_id);
  if (vendor < 0 || product < 0) return {};
  char text[64];
  std::snprintf(text, sizeof text, "\\\\?\\USB#VID_%04lX&PID_%04lX#", vendor, product);
  return text + name;
}

std::vector<CaptureEndpoint> PulseAudioEndpoints::CaptureEndpoints() {
  PulseConnection::Lock lock(*connection_);
  pa_context* context = connection_->Ready();
  if (context == nullptr) return {};
  std::vector<CaptureEndpoint> found;
  pa_operation* op = pa_context_get_source_info_list(
      context,
      [](pa_context*, const pa_source_info* info, int eol, void* data) {
        if (eol != 0 || info == nullptr) return;
        // A sink's monitor is no capture device.
        if (info->monitor_of_sink != PA_INVALID_INDEX) return;
        CaptureEndpoint endpoint;
        endpoint.id = info->name != nullptr ? info->name : "";
        endpoint.description = info->description != nullptr ? info->description : "";
        endpoint.interface_path =
            InterfacePath(pa_proplist_gets(info->proplist, PA_PROP_DEVICE_VENDOR_ID),
                          pa_proplist_gets(info->proplist, PA_PROP_DEVICE_PRODUCT_ID), endpoint.id);
        static_cast<std::vector<CaptureEndpoint>*>(data)->push_back(std::move(endpoint));
      },
      &found);
  if (!connection_->Finish(op)) return {};
  return found;
}

std::optional<PulseAudioEndpoints::SourceState> PulseAudioEndpoints::Source(const std::string& id) {
  PulseConnection::Lock lock(*connection_);
  pa_context* context = connection_->Ready();
  if (context == nullptr) return std::nullopt;
  std::optional<SourceState> state;
  pa_operation* op = pa_context_get_source_info_by_name(
      context, id.c_str(),
      [](pa_context*, const pa_source_info* info, int eol, void* data) {
        if (eol != 0 || info == nullptr) return;
        *static_cast<std::optional<SourceState>*>(data) = SourceState{info->volume, info->mute != 0};
      },
      &state);
  if (!connection_->Finish(op)) return std::nullopt;
  return state;
}

std::optional<VolumeSteps> PulseAudioEndpoints::VolumeStepInfo(const std::string& id) {
  const auto source = Source(id);
  if (!source || source->volume.channels == 0) return std::nullopt;
  // A scale of 101 steps, one per percent of the normal (100 %) volume.
  const pa_volume_t average = pa_cvolume_avg(&source->volume);
  std::uint64_t step = (static_cast<std::uint64_t>(average) * 100 + PA_VOLUME_NORM / 2) / PA_VOLUME_NORM;
  if (step > 100) step = 100;
  return VolumeSteps{static_cast<std::uint32_t>(step), 101};
}

bool PulseAudioEndpoints::SetVolumeScalar(const std::string& id, float scalar) {
  const auto source = Source(id);
  if (!source || source->volume.channels == 0) return false;
  if (!(scalar >= 0.0f)) scalar = 0.0f;
  if (scalar > 1.0f) scalar = 1.0f;
  pa_cvolume volume = source->volume;
  pa_cvolume_set(&volume, volume.channels,
                 static_cast<pa_volume_t>(scalar * static_cast<float>(PA_VOLUME_NORM) + 0.5f));
  PulseConnection::Lock lock(*connection_);
  pa_context* context = connection_->Ready();
  if (context == nullptr) return false;
  bool success = false;
  pa_operation* op = pa_context_set_source_volume_by_name(
      context, id.c_str(), &volume,
      [](pa_context*, int ok, void* data) { *static_cast<bool*>(data) = ok != 0; }, &success);
  return connection_->Finish(op) && success;
}

std::optional<bool> PulseAudioEndpoints::Mute(const std::string& id) {
  const auto source = Source(id);
  if (!source) return std::nullopt;
  return source->mute;
}

bool PulseAudioEndpoints::SetMute(const std::string& id, bool mute) {
  PulseConnection::Lock lock(*connection_);
  pa_context* context = connection_->Ready();
  if (context == nullptr) return false;
  bool success = false;
  pa_operation* op = pa_context_set_source_mute_by_name(
      context, id.c_str(), mute ? 1 : 0,
      [](pa_context*, int ok, void* data) { *static_cast<bool*>(data) = ok != 0; }, &success);
  return connection_->Finish(op) && success;
}

// The sound server offers no automatic-gain or boost switch of a source:
// an existing endpoint reads "off", and switching it does nothing.
std::optional<bool> PulseAudioEndpoints::Boost(const std::string& id) {
  if (!Source(id)) return std::nullopt;
  return false;
}

bool PulseAudioEndpoints::SetBoost(const std::string&, bool) { return false; }

std::vector<PulseAudioEndpoints::Route> PulseAudioEndpoints::Routes() {
  PulseConnection::Lock lock(*connection_);
  pa_context* context = connection_->Ready();
  if (context == nullptr) return {};
  std::vector<Route> routes;
  pa_operation* op = pa_context_get_module_info_list(
      context,
      [](pa_context*, const pa_module_info* info, int eol, void* data) {
        if (eol != 0 || info == nullptr || info->name == nullptr || info->argument == nullptr) return;
        if (std::string_view(info->name) != "module-loopback") return;
        const std::string arguments = info->argument;
        if (arguments.find(kListenMark) == std::string::npos) return;
        static_cast<std::vector<Route>*>(data)->push_back(Route{info->index, QuotedArgument(arguments, "source")});
      },
      &routes);
  if (!connection_->Finish(op)) return {};
  return routes;
}

std::vector<std::string> PulseAudioEndpoints::ListenRoutes() {
  std::vector<std::string> sources;
  for (const auto& route : Routes()) sources.push_back(route.source);
  return sources;
}

bool PulseAudioEndpoints::SetListen(const std::string& id, bool on) {
  if (!SafeInArgument(id)) return false;
  const auto routes = Routes();
  PulseConnection::Lock lock(*connection_);
  pa_context* context = connection_->Ready();
  if (context == nullptr) return false;
  bool routed = false;
  bool all_done = true;
  for (const auto& route : routes) {
    if (route.source != id) continue;
    if (on && !routed) {
      routed = true;  // one route is kept
      continue;
    }
    all_done = connection_->Finish(pa_context_unload_module(context, route.module, &SignalDone, nullptr)) && all_done;
  }
  if (!on || routed) return all_done;
  const std::string arguments = "source=\"" + id + "\" source_dont_move=true sink_input_properties=" +
                                kListenMark + "=1 source_output_properties=" + kListenMark + "=1";
  std::uint32_t index = PA_INVALID_INDEX;
  pa_operation* op = pa_context_load_module(
      context, "module-loopback", arguments.c_str(),
      [](pa_context*, std::uint32_t loaded, void* data) { *static_cast<std::uint32_t*>(data) = loaded; }, &index);
  return connection_->Finish(op) && index != PA_INVALID_INDEX;
}

}  // namespace audio77
