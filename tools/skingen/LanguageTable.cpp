#include "LanguageTable.h"

namespace skingen {
namespace {

// Places on the layout of SkinWriter: the switch column's buttons start at
// x 568 (128 wide, a lamp at the left), rows of 34 pixels from y 100; the
// Virtual 7.1 page's movement buttons (a sign at the left) in the same rows
// after its switch; the environment and voice buttons at x 196, rows of 46
// pixels. Tab captions sit right of the tab's sign.
constexpr LabelPlace Column(int row, bool lamp = true) {
  return lamp ? LabelPlace{588, 100 + row * 34 + 6, 104, 16}
              : LabelPlace{576, 100 + row * 34 + 6, 112, 16};
}
constexpr LabelPlace Movement(int row) { return {600, 142 + row * 34 + 6, 92, 16}; }
constexpr LabelPlace Tab(int i) { return {184 + i * 74 + 22, 60, 47, 16}; }
constexpr LabelPlace Room(int i) { return {230, 100 + i * 46 + 10, 118, 16}; }
constexpr LabelPlace Preset(int i) { return {210 + i * 112 + 24, 336, 72, 16}; }
constexpr LabelPlace Band(int i) { return {272 + i * 64 - 28, 298, 56, 14}; }
constexpr LabelPlace At(int left, int top, int width, int height = 16) {
  return {left, top, width, height};
}
constexpr LabelPlace kNone{};

constexpr LanguageRow kRows[] = {
    {"Main", "LabelMenu1", {"Save", "Speichern", "保存"}, At(356, 15, 56)},
    {"Main", "LabelMenu2", {"Load", "Laden", "载入"}, At(414, 15, 56)},
    {"Main", "LabelMenu3", {"About", "Info", "关于"}, At(472, 15, 56)},
    {"Main", "LabelPageEQ", {"EQ", "EQ", "均衡器"}, Tab(0)},
    // No tab leads to the 3D page: its caption shows only on that page.
    {"Main", "LabelPage3D", {"3D", "3D", "3D"}, At(24, 86, 136), 5},
    {"Main", "LabelPageEffect", {"Effect", "Effekt", "音效"}, Tab(1)},
    {"Main", "LabelPageMic", {"Mic", "Mikro", "麦克风"}, Tab(2)},
    {"Main", "LabelPageVirtual7ch1", {"7.1", "7.1", "7.1"}, Tab(3)},
    // The device's state and the synchronisation above the device plate; the
    // plate's two lamps (present, gone) carry the indicator captions.
    {"Main", "LabelActive", {"Device connected", "Gerät verbunden", "设备已连接"}, At(24, 322, 136)},
    {"Main", "LabelUnDriver", {"Driver not found", "Treiber fehlt", "未找到驱动"}, At(24, 322, 136)},
    {"Main", "LabelUnactive", {"No device", "Kein Gerät", "未连接设备"}, At(24, 322, 136)},
    {"Main", "LabelSync", {"Synchronize", "Abgleichen", "同步"}, At(24, 340, 136)},
    {"Main", "LabelSetting", {"Preset:", "Vorgabe:", "预设："}, At(24, 300, 72)},
    {"Main", "LabelSX", {"Preset 1", "Vorgabe 1", "预设 1"}, At(96, 300, 72)},
    {"Main", "LabelFeatures", {"Features", "Funktionen", "功能"}, At(24, 66, 136)},
    {"Main", "LabelCompanyName", {"Audio77 Project", "Audio77-Projekt", "Audio77 项目"},
     At(160, 15, 150)},
    {"Main", "DeviceInLabel", {"Plugged in", "Angeschlossen", "已插入"}, At(46, 374, 118)},
    {"Main", "DeviceOutLabel", {"Unplugged", "Getrennt", "已拔出"}, At(46, 402, 118)},
    {"Main", "LabelPageLED", {"LED", "LED", "灯光"}, Tab(4)},
    {"Main", "LabelPageENC", {"ENC", "ENC", "降噪"}, Tab(5)},
    {"Main", "LabelPageVMEffect", {"Voice", "Stimme", "变声"}, Tab(6)},
    {"Main", "LabelLanguage", {"Language", "Sprache", "语言"}, kNone},
    {"Main", "LabelSkin", {"Skin", "Design", "皮肤"}, kNone},
    {"Main", "LabelClose", {"Close", "Beenden", "关闭"}, kNone},
    {"Main", "LabelPlugin", {"Plug-ins", "Erweiterungen", "插件"}, kNone},

    {"EQ", "LabelEQEnable", {"Equalizer", "Equalizer", "均衡器"}, Column(0)},
    {"EQ", "LableEQ3DEnable", {"3D sound", "3D-Klang", "3D 音效"}, Column(1)},
    {"EQ", "LabelEQReset", {"Reset", "Zurücksetzen", "重置"}, Column(2, false)},
    {"EQ", "LabelEQS1", {"Preset 1", "Vorgabe 1", "预设 1"}, Preset(0)},
    {"EQ", "LabelEQS2", {"Preset 2", "Vorgabe 2", "预设 2"}, Preset(1)},
    {"EQ", "LabelEQS3", {"Preset 3", "Vorgabe 3", "预设 3"}, Preset(2)},
    {"EQ", "LabelEQS4", {"Preset 4", "Vorgabe 4", "预设 4"}, Preset(3)},
    {"EQ", "LabelEQ60Hz", {"60 Hz", "60 Hz", "60 赫兹"}, Band(0)},
    {"EQ", "LabelEQ300Hz", {"300 Hz", "300 Hz", "300 赫兹"}, Band(1)},
    {"EQ", "LabelEQ1200Hz", {"1.2 kHz", "1,2 kHz", "1.2 千赫"}, Band(2)},
    {"EQ", "LabelEQ3600Hz", {"3.6 kHz", "3,6 kHz", "3.6 千赫"}, Band(3)},
    {"EQ", "LabelEQ12000Hz", {"12 kHz", "12 kHz", "12 千赫"}, Band(4)},

    {"3D", "Label3DEnable", {"3D sound", "3D-Klang", "3D 音效"}, Column(0)},
    {"3D", "Label3DFBM", {"Bass boost", "Bassanhebung", "低音增强"}, Column(1)},
    {"3D", "Label3DReset", {"Reset", "Zurücksetzen", "重置"}, Column(2, false)},
    {"3D", "Label3DLeftChannel", {"Left channel", "Linker Kanal", "左声道"}, At(220, 280, 100)},
    {"3D", "Label3DRightChannel", {"Right channel", "Rechter Kanal", "右声道"},
     At(400, 280, 100)},
    {"3D", "Label3DConnection", {"Link", "Kopplung", "联动"}, At(320, 224, 80)},

    {"Effect", "LabelEffectNothing", {"None", "Kein Effekt", "无"}, Room(0)},
    {"Effect", "LabelEffectTheater", {"Theater", "Theater", "剧院"}, Room(1)},
    {"Effect", "LabelEffectBathroom", {"Bathroom", "Badezimmer", "浴室"}, Room(2)},
    {"Effect", "LabelEffectLivingroom", {"Living room", "Wohnzimmer", "客厅"}, Room(3)},
    {"Effect", "LabelEffectStoneGallery", {"Stone gallery", "Steingalerie", "石廊"}, Room(4)},

    {"Mic", "LabelMicBoost", {"Mic boost", "Mikro-Verstärkung", "麦克风增强"}, Column(0)},
    {"Mic", "LabelMicMute", {"Mute", "Stumm", "静音"}, Column(1)},
    {"Mic", "LabelMicMonitor", {"Monitor", "Mithören", "监听"}, Column(2)},
    {"Mic", "LabelMicGain", {"Gain", "Pegel", "增益"}, At(318, 106, 50)},
    {"Mic", "LabelMicValue", {"0", "0", "0"}, At(258, 252, 44)},

    {"Virtual7ch1", "Label7ch1Enable", {"Virtual 7.1", "Virtuell 7.1", "虚拟 7.1"}, Column(0)},
    {"Virtual7ch1", "LabelVirtualClockwise", {"Turn right", "Rechts drehen", "顺时针"},
     Movement(0)},
    {"Virtual7ch1", "LabelVirtualCounterclockwise", {"Turn left", "Links drehen", "逆时针"},
     Movement(1)},
    {"Virtual7ch1", "LabelVirtualEnlarge", {"Wider", "Weiter", "扩大"}, Movement(2)},
    {"Virtual7ch1", "LabelVirtualNarrow", {"Narrower", "Enger", "缩小"}, Movement(3)},
    {"Virtual7ch1", "Label7ch1Reset", {"Reset", "Zurücksetzen", "重置"}, At(576, 292, 112)},

    {"LED", "ColorBreatheLabel", {"Breathe", "Atmen", "呼吸"}, At(510, 167, 130)},
    {"LED", "ColorRainbowLabel", {"Rainbow", "Regenbogen", "彩虹"}, At(510, 223, 130)},
    {"LED", "ColorPulsatingLabel", {"Pulse", "Pulsieren", "脉冲"}, At(510, 279, 130)},
    {"LED", "ColorSelectLabel", {"Colour", "Farbe", "颜色"}, At(222, 135, 140, 14)},
    {"LED", "ColorEffectLabel", {"Effect", "Effekt", "效果"}, At(510, 135, 130, 14)},
    {"LED", "ColorLEDOffLabel", {"Lights off", "Licht aus", "关闭灯光"}, At(222, 335, 150)},
    {"LED", "ColorSingleLabel", {"Single colour", "Einzelfarbe", "单色"}, At(510, 111, 130)},
    // The speed scale under the last speed bar (232 .. 452).
    {"LED", "ColorSlowLabel", {"Slow", "Langsam", "慢"}, At(232, 302, 80, 14)},
    {"LED", "ColorFastLabel", {"Fast", "Schnell", "快"}, At(404, 302, 48, 14)},

    {"ENC", "ENCFunctionLabel", {"Noise cancel", "Rauschfilter", "降噪"}, Column(0)},
    {"ENC", "LabelENCValue", {"0", "0", "0"}, At(243, 274, 44)},

    {"VoiceMagic", "VMEffectNoneLabel", {"None", "Kein Effekt", "无"}, Room(0)},
    {"VoiceMagic", "VMEffect1Label", {"Voice 1", "Stimme 1", "声音 1"}, Room(1)},
    {"VoiceMagic", "VMEffect2Label", {"Voice 2", "Stimme 2", "声音 2"}, Room(2)},
    {"VoiceMagic", "VMEffect3Label", {"Voice 3", "Stimme 3", "声音 3"}, Room(3)},
    {"VoiceMagic", "VMEffect4Label", {"Voice 4", "Stimme 4", "声音 4"}, Room(4)},
    {"VoiceMagic", "VMFunctionLabel", {"Voice effects", "Stimmeffekte", "变声"}, Column(0)},

    {"About", "LabelAbout",
     {"Audio77 control panel", "Audio77-Steuerung", "Audio77 控制面板"}, kNone},
    // The web label opens its own text: an address, the same in every language.
    {"About", "LabelWeb",
     {"https://audio77.example.org", "https://audio77.example.org", "https://audio77.example.org"}, kNone},

    {"Main", "LabelWarning",
     {"Please connect the device first.", "Bitte zuerst das Gerät anschließen.",
      "请先连接设备。"},
     kNone},
    {"Main", "LabelWarning1",
     {"This device does not support noise cancellation.",
      "Dieses Gerät unterstützt keine Rauschunterdrückung.", "此设备不支持降噪。"},
     kNone},
};

}  // namespace

std::span<const LanguageRow> LanguageRows() { return kRows; }

}  // namespace skingen
