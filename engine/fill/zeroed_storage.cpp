#include "engine/fill/zeroed_storage.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace zenphal {

namespace {

constexpr size_t kHugePage = size_t{2} << 20;
constexpr size_t kLine = 64;

}  // namespace

ZeroedStorage::ZeroedStorage(size_t count) : count_(count) {
  if (count == 0) return;
  const size_t bytes = count * sizeof(double);
  // Huge pages only pay for buffers of several of them.
  const size_t alignment = bytes >= 4 * kHugePage ? kHugePage : kLine;
  bytes_ = (bytes + alignment - 1) / alignment * alignment;
  void* memory = std::aligned_alloc(alignment, bytes_);
  if (memory == nullptr) throw std::bad_alloc();
#if defined(__linux__) && defined(MADV_HUGEPAGE)
  // A request: where the system declines, ordinary pages serve the same.
  if (alignment == kHugePage) madvise(memory, bytes_, MADV_HUGEPAGE);
#endif
  std::memset(memory, 0, bytes_);
  data_ = static_cast<double*>(memory);
}

ZeroedStorage::~ZeroedStorage() { Release(); }

ZeroedStorage::ZeroedStorage(ZeroedStorage&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      count_(std::exchange(other.count_, 0)),
      bytes_(std::exchange(other.bytes_, 0)) {}

ZeroedStorage& ZeroedStorage::operator=(ZeroedStorage&& other) noexcept {
  if (this != &other) {
    Release();
    data_ = std::exchange(other.data_, nullptr);
    count_ = std::exchange(other.count_, 0);
    bytes_ = std::exchange(other.bytes_, 0);
  }
  return *this;
}

void ZeroedStorage::Release() {
  std::free(data_);
  data_ = nullptr;
}

}  // namespace zenphal
