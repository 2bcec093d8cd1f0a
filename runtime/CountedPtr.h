#pragma once
// Counted interfaces: an object is freed when its last counted reference is
// released. The count lives in the object (intrusive), so a raw pointer handed
// across an interface can be wrapped into a new counted reference at any time.

#include <cstdint>
#include <utility>

class TCounted {
public:
  TCounted() = default;
  TCounted(const TCounted&) = delete;
  TCounted& operator=(const TCounted&) = delete;

  void AddRef() const noexcept { ++count_; }
  void Release() const noexcept {
    if (--count_ == 0) delete this;
  }
  std::int32_t RefCount() const noexcept { return count_; }

protected:
  virtual ~TCounted() = default;

private:
  mutable std::int32_t count_ = 0;
};

// A counted reference; T derives from TCounted.
template <class T>
class CountedPtr {
public:
  CountedPtr() noexcept = default;
  CountedPtr(std::nullptr_t) noexcept {}
  CountedPtr(T* object) noexcept : object_(object) {
    if (object_) object_->AddRef();
  }
  CountedPtr(const CountedPtr& other) noexcept : CountedPtr(other.object_) {}
  CountedPtr(CountedPtr&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
  template <class U>
  CountedPtr(const CountedPtr<U>& other) noexcept : CountedPtr(other.get()) {}
  ~CountedPtr() {
    if (object_) object_->Release();
  }

  CountedPtr& operator=(CountedPtr other) noexcept {
    std::swap(object_, other.object_);
    return *this;
  }

  T* get() const noexcept { return object_; }
  T* operator->() const noexcept { return object_; }
  T& operator*() const noexcept { return *object_; }
  explicit operator bool() const noexcept { return object_ != nullptr; }
  friend bool operator==(const CountedPtr& a, const CountedPtr& b) noexcept { return a.object_ == b.object_; }

private:
  T* object_ = nullptr;
};

template <class T, class... Args>
CountedPtr<T> MakeCounted(Args&&... args) {
  return CountedPtr<T>(new T(std::forward<Args>(args)...));
}
