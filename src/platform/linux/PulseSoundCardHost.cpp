#include "platform/linux/PulseSoundCardHost.h"

#include <cstdio>
#include <string_view>
#include <vector>

namespace audio77 {
namespace {

// Names and descriptions go into module arguments: only plain characters.
bool Plain(const std::string& text) {
  for (const char c : text) {
    const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
                    c == '-' || c == '.';
    if (!ok) return false;
  }
  return !text.empty();
}

// With the connection's lock held.
std::uint32_t Load(PulseConnection& connection, pa_context* context, const char* module, const std::string& arguments) {
  std::uint32_t index = PA_INVALID_INDEX;
  pa_operation* op = pa_context_load_module(
      context, module, arguments.c_str(),
      [](pa_context*, std::uint32_t loaded, void* data) { *static_cast<std::uint32_t*>(data) = loaded; }, &index);
  return connection.Finish(op) ? index : PA_INVALID_INDEX;
}

void Unload(PulseConnection& connection, pa_context* context, std::uint32_t index) {
  connection.Finish(pa_context_unload_module(context, index, [](pa_context*, int, void*) {}, nullptr));
}

// Modules that carry mark=name in their arguments.
std::vector<std::uint32_t> Marked(PulseConnection& connection, pa_context* context, const std::string& mark) {
  struct Search {
    std::string mark;
    std::vector<std::uint32_t> found;
  } search{mark, {}};
  pa_operation* op = pa_context_get_module_info_list(
      context,
      [](pa_context*, const pa_module_info* info, int eol, void* data) {
        if (eol != 0 || info == nullptr || info->argument == nullptr) return;
        auto* search = static_cast<Search*>(data);
        if (std::string_view(info->argument).find(search->mark) != std::string_view::npos) {
          search->found.push_back(info->index);
        }
      },
      &search);
  connection.Finish(op);
  return search.found;
}

class PulseSoundCard final : public SoundCard {
 public:
  PulseSoundCard(std::shared_ptr<PulseConnection> connection, std::vector<std::uint32_t> modules)
      : connection_(std::move(connection)), modules_(std::move(modules)) {}
  ~PulseSoundCard() override {
    PulseConnection::Lock lock(*connection_);
    pa_context* context = connection_->Ready();
    if (context == nullptr) return;
    for (auto it = modules_.rbegin(); it != modules_.rend(); ++it) Unload(*connection_, context, *it);
  }

 private:
  std::shared_ptr<PulseConnection> connection_;
  std::vector<std::uint32_t> modules_;
};

}  // namespace

PulseSoundCardHost::PulseSoundCardHost(std::shared_ptr<PulseConnection> connection)
    : connection_(std::move(connection)) {}

std::unique_ptr<SoundCard> PulseSoundCardHost::Add(const std::string& name, const std::string& description,
                                                   std::uint16_t vendor_id, std::uint16_t product_id) {
  if (!Plain(name) || !Plain(description)) return nullptr;
  char ids[96];
  std::snprintf(ids, sizeof ids, "device.vendor.id=%04x device.product.id=%04x device.bus=usb", vendor_id,
                product_id);
  const std::string mark = std::string(kMark) + "=" + name;
  PulseConnection::Lock lock(*connection_);
  pa_context* context = connection_->Ready();
  if (context == nullptr) return nullptr;
  for (const auto index : Marked(*connection_, context, mark)) Unload(*connection_, context, index);
  std::vector<std::uint32_t> modules;
  modules.push_back(Load(*connection_, context, "module-null-sink",
                         "sink_name=" + name + " sink_properties='device.description=" + description + " " + ids +
                             " " + mark + "'"));
  if (modules.back() != PA_INVALID_INDEX) {
    modules.push_back(Load(*connection_, context, "module-remap-source",
                           "source_name=" + name + "_mic master=" + name + ".monitor source_properties='" +
                               "device.description=" + description + "-Microphone " + ids + " " + mark + "'"));
  }
  const bool complete = modules.back() != PA_INVALID_INDEX;
  if (!complete) modules.pop_back();
  if (!complete) {
    for (auto it = modules.rbegin(); it != modules.rend(); ++it) Unload(*connection_, context, *it);
    return nullptr;
  }
  return std::make_unique<PulseSoundCard>(connection_, std::move(modules));
}

}  // namespace audio77
