#include "ui/SkinPlan.h"

#include <array>

#include "ui/SkinEntryView.h"

namespace audio77::ui {
namespace {

std::string Key(std::string_view base, const char* suffix) { return std::string(base) + suffix; }

}  // namespace

SkinPlan::SkinPlan(toolkit::Form& form, const SkinTable& table, const SkinViewState& state)
    : form_(form), table_(table), state_(state) {
  Main();
  Eq();
  ThreeD();
  Effect();
  Mic();
  Virtual();
  PageTabs();
  EncAndVoice();
}

void SkinPlan::Resolve(toolkit::PictureCache& cache, const std::string& skin_folder) {
  for (Step& step : steps_) step.picture = LoadSkinPicture(cache, skin_folder, step.entry);
}

void SkinPlan::Commit() {
  for (Step& step : steps_) {
    ShowSkinEntry(step.entry, step.picture, *step.image);
    if (step.empty_width) {
      step.image->SetAutoSize(false);
      step.image->SetWidth(0);
    }
  }
}

void SkinPlan::Show(std::string_view control, const SkinEntry& entry) {
  Show(form_.Find<toolkit::Image>(control), entry);
}

void SkinPlan::Show(toolkit::Image* image, const SkinEntry& entry) {
  // A window without the control has nothing to show it on.
  if (image != nullptr) steps_.push_back(Step{image, entry, false, nullptr});
}

// Controls whose keys are the control's name with "Up" or "Down" appended.
void SkinPlan::Switch(std::string_view control, std::string_view key_base, bool down) {
  Show(control, table_.Get(Key(key_base, down ? "Down" : "Up")));
}

void SkinPlan::Main() {
  Show("MainFormImage", table_.Get("MainFormImage"));
  for (const char* button :
       {"CloseImage", "MinimizeImage", "Menu1Image", "Menu2Image", "Menu3Image"}) {
    Switch(button, button, false);
  }
  Show("DeviceActiveImage", table_.Get("DeviceActiveImage"));
  Show("LogoImage", table_.Get("Main", "LogoImage"));
  Switch("LEDImage", "LedImage", state_.led_on);
}

void SkinPlan::Eq() {
  Show("Back_EQImage", table_.Get("Back_EQImage"));
  Switch("EQEQENImage", "EQEQENImage", state_.eq_enabled);
  Switch("EQ3DENImage", "EQ3DENImage", state_.d3_enabled);
  Switch("EQResetImage", "EQResetImage", false);
  for (int preset = 1; preset <= 4; ++preset) {
    const std::string name = "EQS" + std::to_string(preset) + "Image";
    Switch(name, name, state_.eq_preset == preset);
  }
  for (int line = 1; line <= 5; ++line) {
    const std::string name = "EQButtonLineImage" + std::to_string(line);
    Show(name, table_.Get(name));
  }
  Show("EQGraduationImage", table_.Get("EQGraduationImage"));
  static constexpr std::array<const char*, 5> kBands = {"60", "300", "1200", "3600", "12000"};
  for (const char* kind : {"BarImage", "SliderImage", "BarDownImage"}) {
    for (const char* band : kBands) {
      const std::string name = std::string("EQ") + band + "Hz" + kind;
      Show(name, table_.Get(name));
    }
  }
}

void SkinPlan::ThreeD() {
  Show("Back_3DImage", table_.Get("Back_3DImage"));
  Switch("D33DENImage", "D33DENImage", state_.d3_enabled);
  Switch("D3FBMImage", "D3FBMImage", state_.fbm_on);
  Switch("D3ResetImage", "D3ResetImage", false);
  for (const char* name : {"D3LChannelImage", "D3RChannelImage", "D3ConnectionImage"}) {
    Show(name, table_.Get(name));
  }
  const auto link = [](int mode) { return mode == 1 ? "Dep" : mode == 2 ? "Inv" : "Indep"; };
  Show("D3AlphaImage", table_.Get(std::string("D3Alpha") + link(state_.alpha_link) + "Image"));
  Show("D3BetaImage", table_.Get(std::string("D3Beta") + link(state_.beta_link) + "Image"));
  for (const char* name : {"D3ButtonLineImage1", "D3ButtonLineImage2"})
    Show(name, table_.Get(name));
  for (const char* kind : {"GraduationImage", "BarImage", "SliderImage"}) {
    for (const char* slider : {"LAlpha", "LBeta", "RAlpha", "RBeta"}) {
      const std::string name = std::string("D3") + slider + kind;
      Show(name, table_.Get(name));
    }
  }
}

namespace {
// The environments in their order; the buttons carry Tags 16..20.
constexpr std::array<const char*, 5> kEffects = {"Non", "Theater", "Bathroom", "Livingroom",
                                                 "StoneGallery"};
constexpr int kFirstEffectTag = 16;
}  // namespace

void SkinPlan::Effect() {
  Show("Back_EffectImage", table_.Get("Back_EffectImage"));
  for (int n = 1; n <= 5; ++n) {
    const std::string base = std::string("EffectButton") + kEffects[n - 1] + "Image";
    Show(form_.FindImageByTag(kFirstEffectTag + n - 1),
         table_.Get(Key(base, state_.effect == n ? "Down" : "Up")));
  }
  for (int line = 1; line <= 4; ++line) {
    const std::string name = "EffectButtonLineImage" + std::to_string(line);
    Show(name, table_.Get(name));
  }
  const bool known = state_.effect >= 1 && state_.effect <= 5;
  Show("EffectPicImage",
       known ? table_.Get(std::string("EffectPic") + kEffects[state_.effect - 1] + "Image")
             : table_.NoLeftPicture());
}

void SkinPlan::Mic() {
  Show("Back_MicImage", table_.Get("Back_MicImage"));
  Switch("MicBoostImage", "MicBoostImage", state_.mic_boost);
  Switch("MicMuteImage", "MicMuteImage", state_.mic_mute);
  Switch("MicMonitorImage", "MicMonitorImage", state_.mic_monitor);
  Show("MicButtonLineImage", table_.Get("MicButtonLineImage"));
  Show("MicPicImage", table_.Get("MicPicImage"));
  Show("MicProgressImage", table_.Get("MicProgressImage"));
  if (!steps_.empty() && steps_.back().image->Name() == "MicProgressImage") {
    steps_.back().empty_width = true;
  }
  for (const char* name : {"MicGainImage", "MicGraduationImage", "MicBarImage", "MicSliderImage",
                           "MicValueImage", "MicBarDownImage"}) {
    Show(name, table_.Get(name));
  }
}

void SkinPlan::Virtual() {
  Show("Back_Virtual7p1Image", table_.Get("Back_Virtual7p1Image"));
  for (int line = 1; line <= 3; ++line) {
    const std::string name = "VirtualButtonLineImage" + std::to_string(line);
    Show(name, table_.Get(name));
  }
  Switch("VirtualEnableImage", "VirtualEnableImage", state_.virtual_enabled);
  const auto animated = [this](const char* base, bool down) {
    Show(std::string("Virtual") + base + "Image",
         table_.Get(std::string("Virtual") + base + (down ? "DownImage" : "UpImage")));
  };
  animated("Clockwise", state_.clockwise);
  animated("Counterclockwise", state_.counterclockwise);
  animated("Enlarge", state_.enlarge);
  animated("Narrow", state_.narrow);
  animated("Reset", false);
  Show("VirtualPicImage", table_.Get("VirtualPicImage"));
  for (const char* speaker : {"C", "L", "LS", "LB", "RB", "RS", "R", "SUB"}) {
    const std::string name = std::string("Virtual") + speaker + "Image";
    Show(name, table_.Get(name));
  }
}

void SkinPlan::PageTabs() {
  struct Tab {
    const char* base;
    int page;
  };
  static constexpr std::array<Tab, 4> kWithLeftPicture = {Tab{"EQ", 1}, Tab{"Effect", 2},
                                                          Tab{"Mic", 3}, Tab{"Virtual7p1", 4}};
  static constexpr std::array<Tab, 3> kWithout = {Tab{"LED", 6}, Tab{"ENC", 7}, Tab{"VMEffect", 8}};
  const auto tab = [this](const Tab& t) {
    const bool current = state_.page == t.page;
    Show(std::string("Page") + t.base + "Image",
         table_.Get(std::string("Page") + t.base + (current ? "DownImage" : "UpImage")));
    return current;
  };
  for (const Tab& t : kWithLeftPicture) {
    if (tab(t)) Show("MainLeftImage", table_.Get("MainLeftImage" + std::to_string(t.page)));
  }
  for (const Tab& t : kWithout) {
    if (tab(t)) Show("MainLeftImage", table_.NoLeftPicture());
  }
}

void SkinPlan::EncAndVoice() {
  Show("ENCFunctionImage", table_.Get("ENCFunctionUpImage"));
  Show("ENCValueImage", table_.Get("ENCValueImage"));
  Show("VMEffectNoneImage", table_.Get("VMEffectNoneUpImage"));
  Show("ENCBarImage", table_.Get("ENCBarImage"));
  Show("ENCSliderImage", table_.Get("ENCSliderImage"));
  for (int n = 1; n <= 4; ++n) {
    const std::string n_text = std::to_string(n);
    Show("VMEffect" + n_text + "Image", table_.Get("VMEffect" + n_text + "UpImage"));
  }
  Show("VMFunctionImage", table_.Get("VMFunctionUpImage"));
}

}  // namespace audio77::ui
