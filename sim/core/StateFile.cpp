#include "sim/core/StateFile.h"

#include <fcntl.h>
#include <pthread.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <random>
#include <type_traits>

#include "platform/posix/FlockLock.h"

namespace audio77::sim {
namespace {

constexpr std::uint64_t kMagic = 0x3274617453373741;  // "A77Stat2": bump with the layout
constexpr std::size_t kStateOffset = 4096;            // a page of its own for the header
constexpr std::size_t kVariableOffset = (kStateOffset + sizeof(DeviceState) + 63) / 64 * 64;
constexpr std::size_t kLargestVariable = 1 << 20;
// Mapped once at its largest: the variable part may grow without a new
// mapping (only the pages the file holds are ever touched).
constexpr std::size_t kMappedSize = kVariableOffset + kLargestVariable;
constexpr int kReopenAttempts = 3;
constexpr int kLockAttempts = 2;

static_assert(std::is_trivially_copyable_v<DeviceIdentity>);
static_assert(std::is_trivially_copyable_v<DeviceState>, "the live state is stored byte for byte");
static_assert(alignof(DeviceState) <= 64);

class Writer {
 public:
  explicit Writer(std::string& out) : out_(out) { out_.clear(); }
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

 private:
  std::string& out_;
};

class Reader {
 public:
  explicit Reader(std::string_view in) : in_(in) {}
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
    text.assign(in_.substr(at_, size));
    at_ += size;
    return true;
  }
  bool AtEnd() const { return at_ == in_.size(); }

 private:
  std::string_view in_;
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

void Encode(const SharedDevice& shared, std::string& bytes) {
  Writer out(bytes);
  const auto& setup = shared.setup;
  out.Put(setup.identity);
  out.Put(static_cast<std::uint8_t>(setup.present));
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
}

std::uint64_t NewFileId() {
  std::random_device random;
  return (static_cast<std::uint64_t>(random()) << 32 | random()) | 1;
}

}  // namespace

struct StateFile::Header {
  std::uint64_t magic;       // set last when the file is set up: the lock below works
  std::uint64_t file_id;
  std::uint64_t generation;
  std::uint64_t complete;    // size of the variable part; 0: no complete record
  std::uint64_t state_size;
  std::uint64_t file_size;   // as the users grew it
  std::uint64_t reserved[2];
  pthread_mutex_t lock;      // shared between processes; robust: a holder that dies lets go
};

std::string EncodeSharedDevice(const SharedDevice& shared) {
  std::string bytes;
  Encode(shared, bytes);
  return bytes;
}

bool DecodeSharedDevice(std::string_view bytes, SharedDevice& shared) {
  Reader in(bytes);
  DeviceIdentity identity;
  DeviceFaults faults;
  std::uint8_t present = 0, extension_missing = 0;
  std::uint32_t entries = 0;
  if (!in.Get(identity) || !in.Get(present) || !in.Get(entries)) return false;
  for (std::uint32_t i = 0; i < entries; ++i) {
    std::string name;
    std::int32_t count = 0;
    if (!in.GetText(name) || !in.Get(count)) return false;
    faults.entries[name] = count;
  }
  std::int32_t hid_out = 0, hid_in = 0;
  std::uint64_t plug_generation = 0, scan_owner = 0;
  std::uint16_t scan_vendor_id = 0, scan_product_id = 0;
  std::string setup_message;
  if (!in.Get(hid_out) || !in.Get(hid_in) || !in.Get(extension_missing) ||
      !GetLength(in, faults.output_report_length) || !GetLength(in, faults.input_report_length) ||
      !in.Get(plug_generation) || !in.Get(scan_owner) || !in.Get(scan_vendor_id) || !in.Get(scan_product_id) ||
      !in.GetText(setup_message) || !in.AtEnd()) {
    return false;
  }
  faults.hid_out = hid_out;
  faults.hid_in = hid_in;
  faults.extension_missing = extension_missing != 0;
  shared.setup.identity = identity;
  shared.setup.present = present != 0;
  shared.setup.faults = std::move(faults);
  shared.plug_generation = plug_generation;
  shared.scan_owner = scan_owner;
  shared.scan_vendor_id = scan_vendor_id;
  shared.scan_product_id = scan_product_id;
  shared.setup_message = std::move(setup_message);
  return true;
}

StateFile::StateFile(std::string path) : path_(std::move(path)) { Open(); }

StateFile::~StateFile() { Close(); }

void StateFile::Open() {
  fd_ = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd_ < 0) {
    problem_ = std::strerror(errno);
    return;
  }
  void* map = ::mmap(nullptr, kMappedSize, PROT_READ | PROT_WRITE, MAP_SHARED, fd_, 0);
  if (map == MAP_FAILED) {
    problem_ = std::strerror(errno);
    ::close(fd_);
    fd_ = -1;
    return;
  }
  problem_.clear();
  map_ = static_cast<char*>(map);
  set_up_ = false;
  known_ = false;
}

void StateFile::Retry() {
  if (Usable()) return;
  Close();
  Open();
}

void StateFile::Close() {
  if (map_ != nullptr) ::munmap(map_, kMappedSize);
  if (fd_ >= 0) ::close(fd_);
  map_ = nullptr;
  fd_ = -1;
  ready_ = false;
}

StateFile::Header& StateFile::Head() const {
  static_assert(offsetof(Header, complete) == 24, "where a killed writer leaves its mark");
  static_assert(sizeof(Header) <= kStateOffset);
  return *reinterpret_cast<Header*>(map_);
}

// Whether every page the header says the users grew the file to is still
// there: another process may cut the file short, and past its end a mapped
// page faults. One fstat, taken before each lock.
bool StateFile::Intact() const {
  struct stat info {};
  if (::fstat(fd_, &info) != 0 || info.st_nlink == 0) return false;
  const auto size = static_cast<std::size_t>(info.st_size);
  return size >= kVariableOffset && Head().file_size <= size;
}

// The slow path, once per object and whenever the file is not set up (new,
// of another layout, overwritten, cut short or replaced): under flock, makes
// sure the header page exists and holds a working lock. A file cut short
// holds no record any more: it is grown again and counts as missing, so the
// device starts again from device.ini. The header's file_size, kept by every
// user, tells which pages may be touched.
void StateFile::SetUp(bool renew_lock) {
  for (int attempt = 0; attempt < kReopenAttempts && fd_ >= 0; ++attempt) {
    FlockLock setting_up = FlockLock::Wait(fd_);
    struct stat info {};
    if (::fstat(fd_, &info) != 0) break;
    if (info.st_nlink == 0 && attempt + 1 < kReopenAttempts) {
      // Deleted or replaced: the folder's file is the one every user opens.
      setting_up.Release();
      Close();
      Open();
      continue;
    }
    const auto size = static_cast<std::size_t>(info.st_size);
    // Without its header page the lock is gone too; beyond it, the lock is
    // whole and may be held by another user right now.
    const bool header_cut = size < kStateOffset;
    if (size < kVariableOffset && ::ftruncate(fd_, static_cast<off_t>(kVariableOffset)) != 0) break;
    Header& head = Head();
    if (!header_cut && head.magic == kMagic && head.file_size > size) {
      SetComplete(0);
      head.file_size = std::max(size, kVariableOffset);
    }
    if (head.magic != kMagic || renew_lock || header_cut) {
      SetComplete(0);
      head.magic = 0;
      head.file_id = 0;
      head.generation = 0;
      head.state_size = 0;
      head.file_size = std::max(size, kVariableOffset);
      pthread_mutexattr_t attributes;
      pthread_mutexattr_init(&attributes);
      pthread_mutexattr_setpshared(&attributes, PTHREAD_PROCESS_SHARED);
      pthread_mutexattr_setrobust(&attributes, PTHREAD_MUTEX_ROBUST);
      // A second lock by the same thread (through another object) fails
      // instead of waiting for ever.
      pthread_mutexattr_settype(&attributes, PTHREAD_MUTEX_ERRORCHECK);
      pthread_mutex_init(&head.lock, &attributes);
      pthread_mutexattr_destroy(&attributes);
      std::atomic_signal_fence(std::memory_order_seq_cst);
      head.magic = kMagic;
    }
    set_up_ = true;
    break;
  }
}

void StateFile::Lock() {
  ready_ = false;
  for (int attempt = 0; attempt < kLockAttempts && map_ != nullptr; ++attempt) {
    if (!set_up_ || !Intact() || Head().magic != kMagic || attempt > 0) SetUp(attempt > 0);
    if (map_ == nullptr || !set_up_) return;
    const int locked = pthread_mutex_lock(&Head().lock);
    if (locked == EOWNERDEAD) {
      // Its holder died. Whatever it left half done, it left the record
      // marked incomplete.
      pthread_mutex_consistent(&Head().lock);
    } else if (locked == EDEADLK) {
      return;  // this thread holds it through another object: no record for this call
    } else if (locked != 0) {
      continue;  // overwritten by hand: set up again
    }
    locked_ = true;
    return;
  }
}

void StateFile::Unlock() {
  ready_ = false;
  if (!locked_) return;
  locked_ = false;
  pthread_mutex_unlock(&Head().lock);
}

bool StateFile::Refresh(SharedDevice& shared) {
  ready_ = false;
  changing_ = false;
  if (!locked_) {
    known_ = false;
    return false;
  }
  const Header& head = Head();
  const std::uint64_t size = head.complete;
  if (head.magic != kMagic || head.state_size != sizeof(DeviceState) || head.file_id == 0 || size == 0 ||
      size > kLargestVariable || head.file_size < kVariableOffset + size) {
    known_ = false;
    return false;
  }
  if (!known_ || head.file_id != file_id_ || head.generation != generation_) {
    if (!DecodeSharedDevice(std::string_view(map_ + kVariableOffset, size), shared)) {
      known_ = false;
      return false;
    }
    file_id_ = head.file_id;
    generation_ = head.generation;
    known_ = true;
  }
  variable_size_ = size;
  ready_ = true;
  return true;
}

bool StateFile::Fits(std::size_t variable_size) {
  if (variable_size > kLargestVariable) return false;
  Header& head = Head();
  const std::size_t needed = kVariableOffset + variable_size;
  if (head.file_size >= needed) return true;
  if (::ftruncate(fd_, static_cast<off_t>(needed)) != 0) return false;
  head.file_size = needed;
  return true;
}

void StateFile::SetComplete(std::uint64_t variable_size) {
  // The compiler keeps this store between the stores around it, so a writer
  // killed at any point leaves the mark cleared while anything is half done.
  std::atomic_signal_fence(std::memory_order_seq_cst);
  Head().complete = variable_size;
  std::atomic_signal_fence(std::memory_order_seq_cst);
}

bool StateFile::Write(const SharedDevice& shared) {
  ready_ = false;
  changing_ = false;
  known_ = false;
  Encode(shared, encoded_);
  if (!locked_ || !Fits(encoded_.size())) return false;
  Header& head = Head();
  const bool had_record = head.file_id != 0;
  SetComplete(0);
  head.magic = kMagic;
  head.state_size = sizeof(DeviceState);
  head.file_id = had_record ? head.file_id : NewFileId();
  head.generation = had_record ? head.generation + 1 : 1;
  std::memcpy(map_ + kStateOffset, &shared.setup.state, sizeof(DeviceState));
  std::memcpy(map_ + kVariableOffset, encoded_.data(), encoded_.size());
  SetComplete(encoded_.size());
  file_id_ = head.file_id;
  generation_ = head.generation;
  variable_size_ = encoded_.size();
  known_ = true;
  ready_ = true;
  return true;
}

const DeviceState& StateFile::ReadState() const {
  return *reinterpret_cast<const DeviceState*>(map_ + kStateOffset);
}

DeviceState& StateFile::State() {
  if (!changing_) {
    SetComplete(0);
    changing_ = true;
  }
  return *reinterpret_cast<DeviceState*>(map_ + kStateOffset);
}

void StateFile::Commit(const SharedDevice& shared) {
  if (!ready_) return;
  ready_ = false;
  Encode(shared, encoded_);
  const bool same = encoded_.size() == variable_size_ &&
                    std::memcmp(map_ + kVariableOffset, encoded_.data(), encoded_.size()) == 0;
  if (!same && Fits(encoded_.size())) {
    Header& head = Head();
    SetComplete(0);
    std::memcpy(map_ + kVariableOffset, encoded_.data(), encoded_.size());
    ++head.generation;
    generation_ = head.generation;
    variable_size_ = encoded_.size();
  } else if (!same) {
    // No room for the change: the record keeps what it had, and so will this
    // object at its next Refresh.
    known_ = false;
  } else if (!changing_) {
    return;
  }
  SetComplete(variable_size_);
  changing_ = false;
}

}  // namespace audio77::sim
