// Uncopyable owners of Win32 handles, one traits struct per handle kind.
#pragma once

#include <windows.h>

#include <utility>

namespace cvn::win {

template <typename Traits>
class Owned {
 public:
  using Type = typename Traits::Type;

  Owned() = default;
  explicit Owned(Type value) : value_(value) {}
  ~Owned() { Reset(); }
  Owned(Owned&& other) noexcept : value_(other.Release()) {}
  Owned& operator=(Owned&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;

  Type Get() const { return value_; }
  explicit operator bool() const { return Traits::IsValid(value_); }
  Type Release() { return std::exchange(value_, Type{}); }
  void Reset(Type value = Type{}) {
    if (Traits::IsValid(value_)) Traits::Close(value_);
    value_ = value;
  }

 private:
  Type value_{};
};

// Kernel objects: events, processes, threads, files and pipes. CreateFile and
// CreateNamedPipe report failure as INVALID_HANDLE_VALUE, the others as nullptr.
struct KernelHandleTraits {
  using Type = HANDLE;
  static bool IsValid(HANDLE handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }
  static void Close(HANDLE handle) { CloseHandle(handle); }
};

struct ServiceHandleTraits {
  using Type = SC_HANDLE;
  static bool IsValid(SC_HANDLE handle) { return handle != nullptr; }
  static void Close(SC_HANDLE handle) { CloseServiceHandle(handle); }
};

using UniqueHandle = Owned<KernelHandleTraits>;
using ServiceHandle = Owned<ServiceHandleTraits>;

}  // namespace cvn::win
