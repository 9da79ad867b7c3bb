#include "ui/LanguageKeys.h"

#include <array>

namespace audio77::ui {
namespace {

using K = LanguageKeyKind;

constexpr std::string_view kMain = "Main";
constexpr std::string_view kEq = "EQ";
constexpr std::string_view k3D = "3D";
constexpr std::string_view kEffect = "Effect";
constexpr std::string_view kMic = "Mic";
constexpr std::string_view kVirtual = "Virtual7ch1";
constexpr std::string_view kLed = "LED";
constexpr std::string_view kEnc = "ENC";
constexpr std::string_view kVoice = "VoiceMagic";
constexpr std::string_view kAbout = "About";

constexpr LanguageKey L(std::string_view section, int page, std::string_view key,
                        std::string_view control) {
  return {section, key, page, K::kLabel, control, {}};
}
constexpr LanguageKey Same(std::string_view section, int page, std::string_view key) {
  return {section, key, page, K::kLabel, key, {}};
}
constexpr LanguageKey State(std::string_view key) {
  return {kMain, key, 0, K::kDeviceState, "DeviceActiveLabel", {}};
}
constexpr LanguageKey Menu(std::string_view key, std::string_view entry, std::string_view word) {
  return {kMain, key, 0, K::kMenu, entry, word};
}

constexpr auto kKeys = std::to_array<LanguageKey>({
    L(kMain, 0, "LabelMenu1", "Menu1Label"),
    L(kMain, 0, "LabelMenu2", "Menu2Label"),
    L(kMain, 0, "LabelMenu3", "Menu3Label"),
    L(kMain, 0, "LabelPageEQ", "PageEQLabel"),
    L(kMain, 0, "LabelPage3D", "Page3DLabel"),
    L(kMain, 0, "LabelPageEffect", "PageEffectLabel"),
    L(kMain, 0, "LabelPageMic", "PageMicLabel"),
    L(kMain, 0, "LabelPageVirtual7ch1", "PageVirtual7p1Label"),
    State("LabelActive"),
    State("LabelUnDriver"),
    State("LabelUnactive"),
    L(kMain, 0, "LabelSync", "SyncLabel"),
    L(kMain, 0, "LabelSetting", "SettingLabel"),
    L(kMain, 0, "LabelSX", "SXLabel"),
    L(kMain, 0, "LabelFeatures", "FeaturesLabel"),
    L(kMain, 0, "LabelCompanyName", "CompanyNameLabel"),
    Same(kMain, 0, "DeviceInLabel"),
    Same(kMain, 0, "DeviceOutLabel"),
    L(kMain, 0, "LabelPageLED", "PageLEDLabel"),
    L(kMain, 0, "LabelPageENC", "PageENCLabel"),
    L(kMain, 0, "LabelPageVMEffect", "PageVMEffectLabel"),
    Menu("LabelLanguage", "LanguageMenu", "Language"),
    Menu("LabelSkin", "SkinMenu", "Skin"),
    Menu("LabelClose", "CloseMenu", "Close"),
    Menu("LabelPlugin", "ModeMenu", "Plugin"),

    L(kEq, 1, "LabelEQEnable", "EQEQENLabel"),
    L(kEq, 1, "LableEQ3DEnable", "EQ3DENLabel"),
    L(kEq, 1, "LabelEQReset", "EQResetLabel"),
    L(kEq, 1, "LabelEQS1", "EQS1Label"),
    L(kEq, 1, "LabelEQS2", "EQS2Label"),
    L(kEq, 1, "LabelEQS3", "EQS3Label"),
    L(kEq, 1, "LabelEQS4", "EQS4Label"),
    L(kEq, 1, "LabelEQ60Hz", "EQ60HzLabel"),
    L(kEq, 1, "LabelEQ300Hz", "EQ300HzLabel"),
    L(kEq, 1, "LabelEQ1200Hz", "EQ1200HzLabel"),
    L(kEq, 1, "LabelEQ3600Hz", "EQ3600HzLabel"),
    L(kEq, 1, "LabelEQ12000Hz", "EQ12000HzLabel"),

    L(k3D, 5, "Label3DEnable", "D33DENLabel"),
    L(k3D, 5, "Label3DFBM", "D3FBMLabel"),
    L(k3D, 5, "Label3DReset", "D3ResetLabel"),
    L(k3D, 5, "Label3DLeftChannel", "D3LChannelLabel"),
    L(k3D, 5, "Label3DRightChannel", "D3RChannelLabel"),
    L(k3D, 5, "Label3DConnection", "D3ConnectLabel"),

    L(kEffect, 2, "LabelEffectNothing", "EffectNonLabel"),
    L(kEffect, 2, "LabelEffectTheater", "EffectTheaterLabel"),
    L(kEffect, 2, "LabelEffectBathroom", "EffectBathroomLabel"),
    L(kEffect, 2, "LabelEffectLivingroom", "EffectLivingroomLabel"),
    L(kEffect, 2, "LabelEffectStoneGallery", "EffectStoneGalleryLabel"),

    L(kMic, 3, "LabelMicBoost", "MicBoostLabel"),
    L(kMic, 3, "LabelMicMute", "MicMuteLabel"),
    L(kMic, 3, "LabelMicMonitor", "MicMonitorLabel"),
    L(kMic, 3, "LabelMicGain", "MicGainLabel"),
    L(kMic, 3, "LabelMicValue", "MicValueLabel"),

    L(kVirtual, 4, "Label7ch1Enable", "VirtualENLabel"),
    L(kVirtual, 4, "LabelVirtualClockwise", "VirtualClockwiseLabel"),
    L(kVirtual, 4, "LabelVirtualCounterclockwise", "VirtualCounterclockwiseLabel"),
    L(kVirtual, 4, "LabelVirtualEnlarge", "VirtualEnlargeLabel"),
    L(kVirtual, 4, "LabelVirtualNarrow", "VirtualNarrowLabel"),
    L(kVirtual, 4, "Label7ch1Reset", "VirtualResetLabel"),

    Same(kLed, 6, "ColorBreatheLabel"),
    Same(kLed, 6, "ColorRainbowLabel"),
    Same(kLed, 6, "ColorPulsatingLabel"),
    Same(kLed, 6, "ColorSelectLabel"),
    Same(kLed, 6, "ColorEffectLabel"),
    Same(kLed, 6, "ColorLEDOffLabel"),
    Same(kLed, 6, "ColorSingleLabel"),
    Same(kLed, 6, "ColorSlowLabel"),
    Same(kLed, 6, "ColorFastLabel"),

    L(kEnc, 7, "ENCFunctionLabel", "ENCFunctionLabel"),
    L(kEnc, 7, "LabelENCValue", "ENCValueLabel"),

    Same(kVoice, 8, "VMEffectNoneLabel"),
    Same(kVoice, 8, "VMEffect1Label"),
    Same(kVoice, 8, "VMEffect2Label"),
    Same(kVoice, 8, "VMEffect3Label"),
    Same(kVoice, 8, "VMEffect4Label"),
    Same(kVoice, 8, "VMFunctionLabel"),

    {kAbout, "LabelAbout", 0, K::kAboutWindow, "AboutLabel", {}},
    {kAbout, "LabelWeb", 0, K::kAboutWindow, "WebLabel", {}},

    {kMain, "LabelWarning", 0, K::kMessage, {}, {}},
    {kMain, "LabelWarning1", 0, K::kMessage, {}, {}},
});

static_assert(kKeys.size() == kLanguageKeyCount);

}  // namespace

std::span<const LanguageKey> LanguageKeyList() { return kKeys; }

std::size_t LanguageKeyIndex(std::string_view key) {
  for (std::size_t i = 0; i < kKeys.size(); ++i) {
    if (kKeys[i].key == key) return i;
  }
  return kLanguageKeyCount;
}

}  // namespace audio77::ui
