#pragma once
// Large zeroed buffers of doubles, asked of the system in huge pages where it
// offers them: a score table of tens of megabytes then takes a few dozen page
// faults instead of thousands, which on a virtual machine cost more than the
// fill of a small interior.
#include <cstddef>

namespace zenphal {

class ZeroedStorage {
 public:
  ZeroedStorage() = default;
  // count doubles, all 0.0, the first aligned to 64 bytes. Throws
  // std::bad_alloc when the memory is not there.
  explicit ZeroedStorage(size_t count);
  ~ZeroedStorage();
  ZeroedStorage(ZeroedStorage&& other) noexcept;
  ZeroedStorage& operator=(ZeroedStorage&& other) noexcept;
  ZeroedStorage(const ZeroedStorage&) = delete;
  ZeroedStorage& operator=(const ZeroedStorage&) = delete;

  double* data() const { return data_; }
  size_t size() const { return count_; }
  size_t Bytes() const { return bytes_; }

 private:
  void Release();

  double* data_ = nullptr;
  size_t count_ = 0;
  size_t bytes_ = 0;  // as allocated
};

}  // namespace zenphal
