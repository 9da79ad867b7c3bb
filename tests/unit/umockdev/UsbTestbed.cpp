#include "UsbTestbed.h"

#include <cstdio>
#include <stdexcept>

namespace audio77::test {
namespace {

std::string Hex4(unsigned value, bool upper) {
  char text[8];
  std::snprintf(text, sizeof text, upper ? "%04X" : "%04x", value & 0xFFFF);
  return text;
}

std::string Take(gchar* text) {
  std::string copy = text ? text : "";
  g_free(text);
  return copy;
}

std::string CardName(const UsbDeviceSetup& setup) {
  return "card" + std::to_string(setup.number + 1);
}

[[noreturn]] void Fail(GError* error) {
  const std::string message = error ? error->message : "umockdev failed";
  g_clear_error(&error);
  throw std::runtime_error(message);
}

}  // namespace

UsbTestbed::UsbTestbed() : testbed_(umockdev_testbed_new()) {}

UsbTestbed::~UsbTestbed() { g_object_unref(testbed_); }

std::string UsbTestbed::UsbDevicePath(const UsbDeviceSetup& setup) const {
  return "/sys/devices/" + setup.port;
}

HidFirmware* UsbTestbed::Plug(const UsbDeviceSetup& setup) {
  const std::string vendor = Hex4(setup.vendor_id, false), product = Hex4(setup.product_id, false);
  const std::string product_property = vendor + "/" + product + "/100";
  const std::string device = Take(umockdev_testbed_add_device(
      testbed_, "usb", setup.port.c_str(), nullptr, "idVendor", vendor.c_str(), "idProduct",
      product.c_str(), "bcdDevice", "0100", nullptr, "DEVTYPE", "usb_device", "PRODUCT",
      product_property.c_str(), nullptr));
  const std::string audio_name = setup.port + ":1.0";
  const std::string audio = Take(umockdev_testbed_add_device(
      testbed_, "usb", audio_name.c_str(), device.c_str(), "bInterfaceNumber", "00",
      "bInterfaceClass", "01", nullptr, "DEVTYPE", "usb_interface", "INTERFACE", "1/1/0", "PRODUCT",
      product_property.c_str(), nullptr));
  if (setup.sound_card) {
    const std::string card =
        Take(umockdev_testbed_add_device(testbed_, "sound", ("sound/" + CardName(setup)).c_str(),
                                         audio.c_str(), "id", "Audio77", nullptr, nullptr));
    // The kernel links a card to the interface it serves.
    umockdev_testbed_set_attribute_link(testbed_, card.c_str(), "device", "../..");
  }
  if (!setup.hid) return nullptr;
  const std::string hid_name = setup.port + ":1.3";
  const std::string hid_interface = Take(umockdev_testbed_add_device(
      testbed_, "usb", hid_name.c_str(), device.c_str(), "bInterfaceNumber", "03",
      "bInterfaceClass", "03", nullptr, "DEVTYPE", "usb_interface", "INTERFACE", "3/0/0", "PRODUCT",
      product_property.c_str(), nullptr));
  const std::string hid_id =
      "0003:0000" + Hex4(setup.vendor_id, true) + ":0000" + Hex4(setup.product_id, true);
  const std::string hid_device_name =
      "0003:" + Hex4(setup.vendor_id, true) + ":" + Hex4(setup.product_id, true) + ".0001";
  const std::string hid_device = Take(umockdev_testbed_add_device(
      testbed_, "hid", hid_device_name.c_str(), hid_interface.c_str(), nullptr, "HID_ID",
      hid_id.c_str(), "HID_NAME", "Audio77 Headset", nullptr));
  Bytes descriptor = HidFirmware::ReportDescriptor();
  umockdev_testbed_set_attribute_binary(testbed_, hid_device.c_str(), "report_descriptor",
                                        descriptor.data(), static_cast<gint>(descriptor.size()));
  // The node is described as a recorded device is: that gives it a file in
  // /dev (content 00) that the firmware can be attached to.
  const std::string node = "hidraw" + std::to_string(setup.number);
  const std::string dev_node = "/dev/" + node;
  const std::string minor = std::to_string(setup.number);
  const std::string description =
      "P: " + hid_device.substr(4) + "/hidraw/" + node + "\nN: " + node +
      "=00\nE: SUBSYSTEM=hidraw\nE: DEVNAME=" + dev_node + "\nE: MAJOR=241\nE: MINOR=" + minor +
      "\nA: dev=241:" + minor + "\nL: device=../..\n";
  GError* error = nullptr;
  if (!umockdev_testbed_add_from_string(testbed_, description.c_str(), &error)) Fail(error);
  auto firmware = std::make_unique<HidFirmware>(setup.vendor_id, setup.product_id);
  if (!umockdev_testbed_attach_ioctl(testbed_, dev_node.c_str(), firmware->handler(), &error))
    Fail(error);
  HidFirmware* result = firmware.get();
  firmware_[setup.port] = std::move(firmware);
  return result;
}

void UsbTestbed::Unplug(const UsbDeviceSetup& setup) {
  const std::string device = UsbDevicePath(setup);
  const auto found = firmware_.find(setup.port);
  if (found != firmware_.end()) found->second->Unplug();
  // The kernel reports the parts child first.
  const std::string hid = device + "/" + setup.port + ":1.3";
  const std::string hid_device =
      hid + "/0003:" + Hex4(setup.vendor_id, true) + ":" + Hex4(setup.product_id, true) + ".0001";
  const std::string audio = device + "/" + setup.port + ":1.0";
  if (setup.hid) {
    umockdev_testbed_uevent(
        testbed_, (hid_device + "/hidraw/hidraw" + std::to_string(setup.number)).c_str(), "remove");
    umockdev_testbed_uevent(testbed_, hid_device.c_str(), "remove");
    umockdev_testbed_uevent(testbed_, hid.c_str(), "remove");
  }
  if (setup.sound_card)
    umockdev_testbed_uevent(testbed_, (audio + "/sound/" + CardName(setup)).c_str(), "remove");
  umockdev_testbed_uevent(testbed_, audio.c_str(), "remove");
  umockdev_testbed_uevent(testbed_, device.c_str(), "remove");
  umockdev_testbed_remove_device(testbed_, device.c_str());
}

}  // namespace audio77::test
