#include "sim/core/StateFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstring>
#include <random>
#include <type_traits>

namespace audio77::sim {
namespace {

constexpr std::uint64_t kMagic = 0x3174617453373741;  // "A77Stat1": bump with the layout
constexpr std::size_t kHeaderSize = 32;
constexpr std::size_t kLargestPayload = 1 << 20;

static_assert(std::is_trivially_copyable_v<DeviceIdentity>);
static_assert(std::is_trivially_copyable_v<DeviceState>, "the live state is stored byte for byte");

struct Header {
  std::uint64_t magic = 0;
  std::uint64_t file_id = 0;
  std::uint64_t generation = 0;
  std::uint64_t size = 0;  // 0: no complete record
};
static_assert(sizeof(Header) == kHeaderSize);

class Writer {
 public:
  template <typename T>
  void Put(const T& value) {
    static_assert(std::is_trivially_copyable_v<T>);
    const auto* bytes = reinterpret_cast<const char*>(&value);
    out_.append(bytes, sizeof value);
  }
  void PutText(const std::string& text) {
    Put(static_cast<std::uint32_t>(text.size()));
    out_ += text;
  }
  std::string Take() { return std::move(out_); }

 private:
  std::string out_;
};

class Reader {
 public:
  explicit Reader(const std::string& in) : in_(in) {}
  template <typename T>
  bool Get(T& value) {
    static_assert(std::is_trivially_copyable_v<T>);
    if (in_.size() - at_ < sizeof value) return false;
    std::memcpy(&value, in_.data() + at_, sizeof value);
    at_ += sizeof value;
    return true;
  }
  bool GetText(std::string& text) {
    std::uint32_t size = 0;
    if (!Get(size) || in_.size() - at_ < size) return false;
    text.assign(in_, at_, size);
    at_ += size;
    return true;
  }
  bool AtEnd() const { return at_ == in_.size(); }

 private:
  const std::string& in_;
  std::size_t at_ = 0;
};

void PutLength(Writer& out, const std::optional<std::uint16_t>& length) {
  out.Put(static_cast<std::uint8_t>(length.has_value()));
  out.Put(length.value_or(0));
}

bool GetLength(Reader& in, std::optional<std::uint16_t>& length) {
  std::uint8_t has = 0;
  std::uint16_t value = 0;
  if (!in.Get(has) || !in.Get(value) || has > 1) return false;
  length = has ? std::optional<std::uint16_t>(value) : std::nullopt;
  return true;
}

bool ReadAll(int fd, void* data, std::size_t size, off_t at) {
  auto* bytes = static_cast<char*>(data);
  while (size > 0) {
    const ssize_t n = ::pread(fd, bytes, size, at);
    if (n <= 0) return false;
    bytes += n;
    size -= static_cast<std::size_t>(n);
    at += n;
  }
  return true;
}

bool WriteAll(int fd, const void* data, std::size_t size, off_t at) {
  const auto* bytes = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t n = ::pwrite(fd, bytes, size, at);
    if (n <= 0) return false;
    bytes += n;
    size -= static_cast<std::size_t>(n);
    at += n;
  }
  return true;
}

std::uint64_t NewFileId() {
  std::random_device random;
  return (static_cast<std::uint64_t>(random()) << 32 | random()) | 1;
}

}  // namespace

std::string EncodeSharedDevice(const SharedDevice& shared) {
  Writer out;
  const auto& setup = shared.setup;
  out.Put(setup.identity);
  out.Put(static_cast<std::uint8_t>(setup.present));
  out.Put(setup.state);
  out.Put(static_cast<std::uint32_t>(setup.faults.entries.size()));
  for (const auto& [name, count] : setup.faults.entries) {
    out.PutText(name);
    out.Put(static_cast<std::int32_t>(count));
  }
  out.Put(static_cast<std::int32_t>(setup.faults.hid_out));
  out.Put(static_cast<std::int32_t>(setup.faults.hid_in));
  out.Put(static_cast<std::uint8_t>(setup.faults.extension_missing));
  PutLength(out, setup.faults.output_report_length);
  PutLength(out, setup.faults.input_report_length);
  out.Put(shared.plug_generation);
  out.Put(shared.scan_owner);
  out.Put(shared.scan_vendor_id);
  out.Put(shared.scan_product_id);
  out.PutText(shared.setup_message);
  return out.Take();
}

bool DecodeSharedDevice(const std::string& bytes, SharedDevice& shared) {
  Reader in(bytes);
  SharedDevice read;
  auto& setup = read.setup;
  std::uint8_t present = 0, extension_missing = 0;
  std::uint32_t entries = 0;
  if (!in.Get(setup.identity) || !in.Get(present) || !in.Get(setup.state) || !in.Get(entries)) return false;
  for (std::uint32_t i = 0; i < entries; ++i) {
    std::string name;
    std::int32_t count = 0;
    if (!in.GetText(name) || !in.Get(count)) return false;
    setup.faults.entries[name] = count;
  }
  std::int32_t hid_out = 0, hid_in = 0;
  if (!in.Get(hid_out) || !in.Get(hid_in) || !in.Get(extension_missing) ||
      !GetLength(in, setup.faults.output_report_length) || !GetLength(in, setup.faults.input_report_length) ||
      !in.Get(read.plug_generation) || !in.Get(read.scan_owner) || !in.Get(read.scan_vendor_id) ||
      !in.Get(read.scan_product_id) || !in.GetText(read.setup_message) || !in.AtEnd()) {
    return false;
  }
  setup.present = present != 0;
  setup.faults.hid_out = hid_out;
  setup.faults.hid_in = hid_in;
  setup.faults.extension_missing = extension_missing != 0;
  shared = std::move(read);
  return true;
}

StateFile::StateFile(const std::string& path) : fd_(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600)) {}

StateFile::~StateFile() {
  if (fd_ >= 0) ::close(fd_);
}

void StateFile::Lock() {
  if (fd_ < 0) return;
  while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
  }
}

void StateFile::Unlock() {
  if (fd_ >= 0) ::flock(fd_, LOCK_UN);
}

bool StateFile::Refresh(SharedDevice& shared) {
  Header header;
  if (fd_ < 0 || !ReadAll(fd_, &header, sizeof header, 0) || header.magic != kMagic || header.size == 0 ||
      header.size > kLargestPayload) {
    known_ = false;
    return false;
  }
  if (known_ && header.file_id == file_id_ && header.generation == generation_) return true;
  std::string payload(header.size, '\0');
  if (!ReadAll(fd_, payload.data(), payload.size(), kHeaderSize) || !DecodeSharedDevice(payload, shared)) {
    known_ = false;
    return false;
  }
  file_id_ = header.file_id;
  generation_ = header.generation;
  known_ = true;
  return true;
}

void StateFile::Write(const SharedDevice& shared) {
  if (fd_ < 0) return;
  Header header;
  header.magic = kMagic;
  Header old;
  const bool had_record = ReadAll(fd_, &old, sizeof old, 0) && old.magic == kMagic;
  if (had_record) {
    header.file_id = old.file_id;
    header.generation = old.generation + 1;
  } else {
    header.file_id = NewFileId();
    header.generation = 1;
  }
  const std::string payload = EncodeSharedDevice(shared);
  // Incomplete until the last write gives the size.
  const bool same_size = had_record && old.size == payload.size();
  if (!WriteAll(fd_, &header, sizeof header, 0) ||
      !WriteAll(fd_, payload.data(), payload.size(), kHeaderSize) ||
      (!same_size && ::ftruncate(fd_, static_cast<off_t>(kHeaderSize + payload.size())) != 0)) {
    known_ = false;
    return;
  }
  header.size = payload.size();
  known_ = WriteAll(fd_, &header.size, sizeof header.size, offsetof(Header, size));
  file_id_ = header.file_id;
  generation_ = header.generation;
}

}  // namespace audio77::sim
