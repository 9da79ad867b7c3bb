#include "HidFirmware.h"

#include <linux/hidraw.h>
#include <sys/ioctl.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>

#ifndef HIDIOCSOUTPUT
#define HIDIOCSOUTPUT(len) _IOC(_IOC_WRITE | _IOC_READ, 'H', 0x0B, len)
#endif
#ifndef HIDIOCGINPUT
#define HIDIOCGINPUT(len) _IOC(_IOC_WRITE | _IOC_READ, 'H', 0x0A, len)
#endif

namespace audio77::test {
namespace {

// A read with nothing to give waits this long for a queued report, then
// answers EAGAIN, so that a reader can notice that it is told to stop.
constexpr guint kReadWaitMs = 10;

struct PendingRead {
  HidFirmware* firmware;
  UMockdevIoctlClient* client;
};

// The pointed-to buffer of an ioctl argument; unref when done.
UMockdevIoctlData* Resolve(UMockdevIoctlClient* client, std::size_t length) {
  return umockdev_ioctl_data_resolve(umockdev_ioctl_client_get_arg(client), 0, length, nullptr);
}

}  // namespace

HidFirmware::HidFirmware(std::uint16_t vendor_id, std::uint16_t product_id)
    : vendor_id_(vendor_id), product_id_(product_id), handler_(umockdev_ioctl_base_new()) {
  g_signal_connect(handler_, "handle-ioctl", G_CALLBACK(OnIoctl), this);
  g_signal_connect(handler_, "handle-read", G_CALLBACK(OnRead), this);
  g_signal_connect(handler_, "handle-write", G_CALLBACK(OnWrite), this);
}

HidFirmware::~HidFirmware() { g_object_unref(handler_); }

Bytes HidFirmware::ReportDescriptor() {
  // Vendor page, one 8-byte input and one 8-byte output report, no report IDs.
  return {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08,
          0x95, 0x08, 0x09, 0x01, 0x81, 0x02, 0x95, 0x08, 0x09, 0x01, 0x91, 0x02, 0xC0};
}

void HidFirmware::SetOldKernel(bool old) {
  std::lock_guard lock(mutex_);
  old_kernel_ = old;
}

void HidFirmware::SetRegister(std::uint16_t address, std::uint8_t value) {
  std::lock_guard lock(mutex_);
  registers_[address] = value;
}

std::uint8_t HidFirmware::Register(std::uint16_t address) {
  std::lock_guard lock(mutex_);
  return registers_[address];
}

void HidFirmware::SetGpio(std::uint16_t lines) {
  std::lock_guard lock(mutex_);
  gpio_ = lines;
}

std::uint16_t HidFirmware::Gpio() {
  std::lock_guard lock(mutex_);
  return gpio_;
}

std::vector<Bytes> HidFirmware::Outputs() {
  std::lock_guard lock(mutex_);
  return outputs_;
}

void HidFirmware::ClearOutputs() {
  std::lock_guard lock(mutex_);
  outputs_.clear();
}

void HidFirmware::QueueInputReport(const Bytes& data) {
  std::lock_guard lock(mutex_);
  inputs_.push_back(data);
}

void HidFirmware::Unplug() {
  std::lock_guard lock(mutex_);
  gone_ = true;
}

bool HidFirmware::WaitForDelivered(std::size_t n) {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, std::chrono::seconds(10), [&] { return delivered_ >= n; });
}

gboolean HidFirmware::OnIoctl(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer self) {
  static_cast<HidFirmware*>(self)->HandleIoctl(client);
  return TRUE;
}

gboolean HidFirmware::OnRead(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer self) {
  static_cast<HidFirmware*>(self)->HandleRead(client);
  return TRUE;
}

gboolean HidFirmware::OnWrite(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer self) {
  auto* firmware = static_cast<HidFirmware*>(self);
  UMockdevIoctlData* arg = umockdev_ioctl_client_get_arg(client);
  std::lock_guard lock(firmware->mutex_);
  if (firmware->gone_) {
    umockdev_ioctl_client_complete(client, -1, ENODEV);
    return TRUE;
  }
  firmware->TakeOutput(Bytes(arg->data, arg->data + arg->data_len));
  umockdev_ioctl_client_complete(client, arg->data_len, 0);
  return TRUE;
}

void HidFirmware::HandleIoctl(UMockdevIoctlClient* client) {
  const unsigned long request = umockdev_ioctl_client_get_request(client);
  const std::size_t size = _IOC_SIZE(request);
  std::lock_guard lock(mutex_);
  if (gone_) {
    umockdev_ioctl_client_complete(client, -1, ENODEV);
    return;
  }
  if (request == HIDIOCGRAWINFO) {
    UMockdevIoctlData* data = Resolve(client, sizeof(hidraw_devinfo));
    hidraw_devinfo info{};
    info.bustype = 3;  // USB
    info.vendor = static_cast<__s16>(vendor_id_);
    info.product = static_cast<__s16>(product_id_);
    std::memcpy(data->data, &info, sizeof info);
    g_object_unref(data);
    umockdev_ioctl_client_complete(client, 0, 0);
  } else if (request == HIDIOCGRDESCSIZE) {
    UMockdevIoctlData* data = Resolve(client, sizeof(int));
    const int descriptor_size = static_cast<int>(ReportDescriptor().size());
    std::memcpy(data->data, &descriptor_size, sizeof descriptor_size);
    g_object_unref(data);
    umockdev_ioctl_client_complete(client, 0, 0);
  } else if (request == HIDIOCGRDESC) {
    UMockdevIoctlData* data = Resolve(client, sizeof(hidraw_report_descriptor));
    const Bytes descriptor = ReportDescriptor();
    std::memcpy(data->data + sizeof(__u32), descriptor.data(), descriptor.size());
    g_object_unref(data);
    umockdev_ioctl_client_complete(client, 0, 0);
  } else if (_IOC_NR(request) == _IOC_NR(HIDIOCSOUTPUT(0)) && _IOC_TYPE(request) == 'H') {
    if (old_kernel_) {
      umockdev_ioctl_client_complete(client, -1, ENOTTY);
      return;
    }
    UMockdevIoctlData* data = Resolve(client, size);
    TakeOutput(Bytes(data->data, data->data + size));
    g_object_unref(data);
    umockdev_ioctl_client_complete(client, static_cast<glong>(size), 0);
  } else if (_IOC_NR(request) == _IOC_NR(HIDIOCGINPUT(0)) && _IOC_TYPE(request) == 'H') {
    if (old_kernel_) {
      umockdev_ioctl_client_complete(client, -1, ENOTTY);
      return;
    }
    UMockdevIoctlData* data = Resolve(client, size);
    const Bytes answer = Answer();
    std::fill(data->data + 1, data->data + size, 0);
    std::copy_n(answer.begin(), std::min(answer.size(), size - 1), data->data + 1);
    g_object_unref(data);
    umockdev_ioctl_client_complete(client, static_cast<glong>(size), 0);
  } else {
    umockdev_ioctl_client_complete(client, -1, ENOTTY);
  }
}

void HidFirmware::TakeOutput(const Bytes& report) {
  outputs_.push_back(report);
  if (report.size() < 5 || report[1] != 0x60) return;
  const std::uint8_t command = report[4];
  if (command == 0x10) {
    address_ = static_cast<std::uint16_t>(report[2] | report[3] << 8);
    reply_ = Reply::kRegister;
    reply_unread_ = true;
  } else if (command == 0x20 && report[3] == 1) {
    registers_[address_] = report[2];
  } else if (command == 0x30) {
    reply_ = Reply::kGpio;
    reply_unread_ = true;
  } else if ((command & 0xFC) == 0x3C && report[3] == 0xFF) {
    gpio_ = static_cast<std::uint16_t>(report[2] | (command & 0x03) << 8);
  }
}

Bytes HidFirmware::Answer() {
  Bytes data(kReportBytes, 0);
  data[0] = 0x60;
  if (reply_ == Reply::kRegister) {
    data[1] = registers_[address_];
  } else if (reply_ == Reply::kGpio) {
    data[1] = static_cast<std::uint8_t>(gpio_ & 0xFF);
    data[2] = static_cast<std::uint8_t>(gpio_ >> 8);
    data[3] = 0x30;
  }
  reply_unread_ = false;
  return data;
}

bool HidFirmware::AnswerRead(UMockdevIoctlClient* client) {
  UMockdevIoctlData* arg = umockdev_ioctl_client_get_arg(client);
  if (gone_) {
    umockdev_ioctl_client_complete(client, -1, ENODEV);
    return true;
  }
  Bytes data;
  if (old_kernel_ && reply_unread_) {
    data = Answer();
  } else if (!inputs_.empty()) {
    data = inputs_.front();
    inputs_.pop_front();
    ++delivered_;
    changed_.notify_all();
  } else {
    return false;
  }
  const std::size_t length = std::min(data.size(), static_cast<std::size_t>(arg->data_len));
  std::copy_n(data.begin(), length, arg->data);
  umockdev_ioctl_client_complete(client, static_cast<glong>(length), 0);
  return true;
}

void HidFirmware::HandleRead(UMockdevIoctlClient* client) {
  std::lock_guard lock(mutex_);
  if (AnswerRead(client)) return;
  GSource* timer = g_timeout_source_new(kReadWaitMs);
  auto* pending = new PendingRead{this, client};
  g_object_ref(client);
  g_source_set_callback(timer, &HidFirmware::OnReadTimer, pending, nullptr);
  g_source_attach(timer, g_main_context_get_thread_default());
  g_source_unref(timer);
}

gboolean HidFirmware::OnReadTimer(gpointer data) {
  auto* pending = static_cast<PendingRead*>(data);
  {
    std::lock_guard lock(pending->firmware->mutex_);
    if (!pending->firmware->AnswerRead(pending->client))
      umockdev_ioctl_client_complete(pending->client, -1, EAGAIN);
  }
  g_object_unref(pending->client);
  delete pending;
  return G_SOURCE_REMOVE;
}

}  // namespace audio77::test
