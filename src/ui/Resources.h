#pragma once

// Small owners of Win32 resources: each frees what it holds when it goes, so no path out of a
// function leaks a font, a brush, a block of global memory or a COM object.

#include <windows.h>

#include <cstddef>
#include <utility>

namespace varkam::ui {

// One handle and the call that frees it.
template <typename Handle, typename Free>
class Owned {
 public:
  Owned() = default;
  explicit Owned(Handle handle) : handle_(handle) {}
  ~Owned() { Reset(); }
  Owned(Owned&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  Owned& operator=(Owned&& other) noexcept {
    if (this != &other) {
      Reset(std::exchange(other.handle_, nullptr));
    }
    return *this;
  }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;

  Handle Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  // Hands the handle on to whoever frees it now.
  Handle Release() { return std::exchange(handle_, nullptr); }
  void Reset(Handle handle = nullptr) {
    if (handle_ != nullptr) {
      Free{}(handle_);
    }
    handle_ = handle;
  }

 private:
  Handle handle_ = nullptr;
};

struct DeleteGdiObject {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct FreeGlobalMemory {
  void operator()(HGLOBAL memory) const { GlobalFree(memory); }
};
struct CloseKernelHandle {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
struct DeleteDeviceContext {
  void operator()(HDC dc) const { DeleteDC(dc); }
};

using Font = Owned<HFONT, DeleteGdiObject>;
using Pen = Owned<HPEN, DeleteGdiObject>;
using Brush = Owned<HBRUSH, DeleteGdiObject>;
using Bitmap = Owned<HBITMAP, DeleteGdiObject>;
using GlobalMemory = Owned<HGLOBAL, FreeGlobalMemory>;
using KernelHandle = Owned<HANDLE, CloseKernelHandle>;
using MemoryDeviceContext = Owned<HDC, DeleteDeviceContext>;  // from CreateCompatibleDC

// The screen's device context for one scope (GetDC of no window), released at its end.
class ScreenDeviceContext {
 public:
  ScreenDeviceContext() : dc_(GetDC(nullptr)) {}
  ~ScreenDeviceContext() {
    if (dc_ != nullptr) {
      ReleaseDC(nullptr, dc_);
    }
  }
  ScreenDeviceContext(const ScreenDeviceContext&) = delete;
  ScreenDeviceContext& operator=(const ScreenDeviceContext&) = delete;
  HDC Get() const { return dc_; }

 private:
  HDC dc_;
};

// Global memory locked for one scope; Get() is null when it could not be locked.
class LockedMemory {
 public:
  explicit LockedMemory(HGLOBAL memory)
      : memory_(memory), bytes_(memory != nullptr ? GlobalLock(memory) : nullptr) {}
  ~LockedMemory() {
    if (bytes_ != nullptr) {
      GlobalUnlock(memory_);
    }
  }
  LockedMemory(const LockedMemory&) = delete;
  LockedMemory& operator=(const LockedMemory&) = delete;
  void* Get() const { return bytes_; }
  std::size_t Size() const { return bytes_ != nullptr ? GlobalSize(memory_) : 0; }

 private:
  HGLOBAL memory_;
  void* bytes_;
};

// An object selected into a device context for one scope; the previous one comes back.
class Selected {
 public:
  Selected(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~Selected() { SelectObject(dc_, previous_); }
  Selected(const Selected&) = delete;
  Selected& operator=(const Selected&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// A COM interface pointer that releases its reference.
template <typename Interface>
class ComPointer {
 public:
  ComPointer() = default;
  ~ComPointer() { Reset(); }
  ComPointer(const ComPointer&) = delete;
  ComPointer& operator=(const ComPointer&) = delete;

  Interface* Get() const { return pointer_; }
  Interface* operator->() const { return pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }
  // For the calls that hand out a new reference.
  void** Receive() {
    Reset();
    return reinterpret_cast<void**>(&pointer_);
  }
  void Reset() {
    if (pointer_ != nullptr) {
      pointer_->Release();
      pointer_ = nullptr;
    }
  }

 private:
  Interface* pointer_ = nullptr;
};

}  // namespace varkam::ui
