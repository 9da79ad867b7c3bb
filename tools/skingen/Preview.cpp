#include "Preview.h"

#include <QImage>
#include <QPainter>
#include <iostream>
#include <map>

#include "app/MainFormResource.h"
#include "platform/ManualClock.h"
#include "toolkit/Application.h"
#include "toolkit/EventLoop.h"
#include "toolkit/Form.h"
#include "toolkit/qt/FormPainter.h"
#include "toolkit/qt/QtPictureLoader.h"
#include "ui/Skin.h"
#include "ui/SkinKeys.h"

namespace skingen {
namespace {

using audio77::ui::SkinKeyKind;

// The image control a picture key feeds.
std::string ControlOf(std::string key) {
  static const std::map<std::string, std::string> kSpecial = {
      {"LedImageUp", "LEDImage"},
      {"LedImageDown", "LEDImage"},
      {"DeviceActiveUpImage", "DeviceInImage"},
      {"DeviceActiveDownImage", "DeviceInImage"},
      {"DeviceUnActiveUpImage", "DeviceOutImage"},
      {"DeviceUnActiveDownImage", "DeviceOutImage"},
  };
  if (auto it = kSpecial.find(key); it != kSpecial.end()) return it->second;
  if (key.size() > 12 && key.compare(key.size() - 12, 12, "BarDownImage") == 0) return key;
  for (const char* prefix : {"MainLeftImage", "EffectPic"}) {
    if (key.rfind(prefix, 0) == 0)
      return key.rfind("MainLeft", 0) == 0 ? "MainLeftImage" : "EffectPicImage";
  }
  for (const char* mode : {"Indep", "Dep", "Inv"}) {
    for (const char* axis : {"D3Alpha", "D3Beta"}) {
      if (key == std::string(axis) + mode + "Image") return std::string(axis) + "Image";
    }
  }
  for (const char* suffix : {"UpImage", "DownImage"}) {
    const std::string s = suffix;
    if (key.size() > s.size() && key.compare(key.size() - s.size(), s.size(), s) == 0) {
      return key.substr(0, key.size() - s.size()) + "Image";
    }
  }
  for (const char* suffix : {"Up", "Down"}) {
    const std::string s = suffix;
    if (key.size() > s.size() && key.compare(key.size() - s.size(), s.size(), s) == 0) {
      return key.substr(0, key.size() - s.size());
    }
  }
  return key;
}

int EffectTag(const std::string& key) {
  static const std::map<std::string, int> kTags = {
      {"Non", 16}, {"Theater", 17}, {"Bathroom", 18}, {"Livingroom", 19}, {"StoneGallery", 20}};
  for (const auto& [name, tag] : kTags) {
    if (key == "EffectButton" + name + "ImageUp" || key == "EffectButton" + name + "ImageDown")
      return tag;
  }
  return 0;
}

struct Host : audio77::ui::SkinHost {
  audio77::ui::SkinViewState ViewState() const override { return state; }
  std::int32_t RegionCut() const override { return 1; }
  void SkinChanged() override {}
  std::string CurrentLanguage() const override { return {}; }
  audio77::ui::SkinViewState state;
};

}  // namespace

bool RenderPreview(const QString& skin_root, const QString& resolution_folder,
                   const QString& skin_name, int page, const QString& out_png) {
  using namespace audio77;
  ManualClock clock{0};
  toolkit::EventLoop loop{clock};
  toolkit::Application app{loop};
  toolkit::qt::QtPictureLoader loader;
  app.SetPictureLoader(loader);
  toolkit::Form form{app, "AudioMainForm"};
  // The main window's own controls; labels wait for a language file, so they stay out.
  BuildControls(form);
  for (const auto& control : form.Controls()) {
    if (control->Kind() != toolkit::ControlKind::kImage &&
        control->Kind() != toolkit::ControlKind::kShape) {
      control->Hide();
    }
  }
  for (const char* bevel : {"Bevel2", "Bevel3", "Bevel4", "Bevel5", "Bevel6", "Bevel7"}) {
    if (auto* c = form.FindControl(bevel)) c->Hide();
  }
  std::map<std::string, toolkit::Image*> by_key;
  for (const auto& key : ui::SkinKeyList()) {
    if (key.kind != SkinKeyKind::kPicture || key.section == "About") continue;
    const std::string k(key.key);
    const int tag = EffectTag(k);
    auto* image = tag != 0 ? form.FindImageByTag(tag) : form.Find<toolkit::Image>(ControlOf(k));
    if (image == nullptr) {
      std::cerr << "skingen: no control for " << k << "\n";
      return false;
    }
    by_key[k] = image;
  }
  Host host;
  host.state.page = page;
  host.state.eq_enabled = true;
  host.state.eq_preset = 2;
  host.state.effect = 2;
  host.state.mic_monitor = true;
  host.state.virtual_enabled = true;
  host.state.d3_enabled = true;
  host.state.alpha_link = 1;
  try {
    ui::Skin skin(form, host, skin_root.toStdString() + "/", false, nullptr);
    skin.SetName(skin_name.toStdString());
    skin.ChooseResolutionFolder(resolution_folder.startsWith("1920") ? 2560 : 1920,
                                resolution_folder.startsWith("1920") ? 1440 : 1080);
    if (resolution_folder.isEmpty()) skin.ChooseResolutionFolder(800, 480);
    skin.LoadSkinSettings(skin.Name());
    skin.ApplySkin();
    // The LED page applies its own pictures; show them at rest, one effect chosen.
    for (const auto& key : ui::SkinKeyList()) {
      const std::string k(key.key);
      if (key.kind != SkinKeyKind::kPicture || key.section != "LED") continue;
      const bool down = k.find("Down") != std::string::npos;
      const bool chosen = k.rfind("ColorRainbowCheck", 0) == 0;
      if (down != chosen && k.find("Check") != std::string::npos) continue;
      if (down && k.find("Slider") != std::string::npos) continue;
      skin.ApplyEntry(skin.Table().Get(k), *by_key[k]);
    }
    // Pages: what belongs to another page is hidden, as the page switch does.
    for (const auto& key : ui::SkinKeyList()) {
      if (key.kind != SkinKeyKind::kPicture || key.section == "About") continue;
      const auto& entry = skin.Table().Get(key.section, key.key);
      auto* image = by_key[std::string(key.key)];
      if (entry.page != 0 && entry.page != page) image->Hide();
    }
    for (std::size_t i = 0; i < ui::kSwatchCount; ++i) {
      form.Find<toolkit::Shape>(std::string(ui::SwatchName(i)))->SetVisible(page == 6);
    }
    // The device is present.
    skin.ApplyEntry(skin.Table().Get("DeviceActiveUpImage"), *by_key["DeviceActiveUpImage"]);
    skin.ApplyEntry(skin.Table().Get("DeviceUnActiveUpImage"), *by_key["DeviceUnActiveUpImage"]);
    // The level bar at two thirds; the EQ fills below their knobs.
    if (auto* level = form.Find<toolkit::Image>("MicProgressImage")) {
      level->SetWidth(skin.Geometry().mic_progress_length * 2 / 3);
    }
    const bool feature_page_eq = page == 1;
    for (const char* band : {"60", "300", "1200", "3600", "12000"}) {
      auto* knob = form.Find<toolkit::Image>(std::string("EQ") + band + "HzSliderImage");
      auto* fill = form.Find<toolkit::Image>(std::string("EQ") + band + "HzBarDownImage");
      if (knob == nullptr || fill == nullptr) continue;
      const int offset = (std::string(band).size() * 23) % 90;
      knob->SetTop(skin.Geometry().eq.top + offset);
      const int fill_top = knob->Top() + knob->Height() / 2;
      const int bottom = fill->Top() + fill->Height();
      fill->SetAutoSize(false);
      fill->SetTop(fill_top);
      fill->SetHeight(bottom - fill_top);
      fill->SetVisible(feature_page_eq);
    }
  } catch (const std::exception& error) {
    std::cerr << "skingen: " << error.what() << "\n";
    return false;
  }
  const auto size = form.ClientSize();
  QImage canvas(size.width, size.height, QImage::Format_ARGB32_Premultiplied);
  canvas.fill(Qt::transparent);
  {
    QPainter painter(&canvas);
    if (!form.Region().Empty()) {
      QRegion clip;
      for (const auto& r : form.Region().Rects()) clip += QRect(r.left, r.top, r.width, r.height);
      painter.setClipRegion(clip);
    }
    toolkit::qt::FormPainter::Paint(painter, form, nullptr, QRect(0, 0, size.width, size.height));
  }
  if (!canvas.save(out_png, "PNG")) {
    std::cerr << "skingen: cannot write " << out_png.toStdString() << "\n";
    return false;
  }
  return true;
}

}  // namespace skingen
