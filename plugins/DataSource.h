#pragma once
// The plug-in's side of a data source: derive from TDataSource, implement its
// operations, and export a CreateIO that returns a new object:
//
//   QIO_EXPORT QIOInOut* CreateIO() { return new (std::nothrow) TMySource; }
//
// The base turns the operations into the C table of IOPluginABI.h, keeps the
// count (the object is deleted at its last release) and the last error, and
// stops every exception at the boundary (the operation then fails).

#include <cstdint>
#include <cstring>
#include <exception>
#include <new>
#include <string>

#include "runtime/IOPluginABI.h"

#define QIO_EXPORT extern "C" __attribute__((visibility("default")))

class TDataSource : public QIOInOut {
public:
  TDataSource() : QIOInOut{&Table} {}
  virtual ~TDataSource() = default;
  TDataSource(const TDataSource&) = delete;
  TDataSource& operator=(const TDataSource&) = delete;

protected:
  virtual const char* TypeName() const = 0;
  virtual std::uint8_t Flags() const = 0;
  virtual bool Open(QIOParams& params, std::uint8_t mode) = 0;
  virtual bool ReadByte(std::uint8_t& byte) = 0;
  virtual bool WriteByte(std::uint8_t byte) = 0;
  // Completes the work; called by the program on an abort, and by the base
  // at the last release.
  virtual void Close() = 0;

  // Each failing operation sets the text the program shows.
  bool Fail(std::string text) {
    lastError_ = std::move(text);
    return false;
  }
  void ClearLastError() { lastError_.clear(); }

  static std::string ParamValue(QIOParams& params, const char* name) {
    const char* value = params.Table->GetValue(&params, name);
    return value ? value : "";
  }
  static std::string FilesFolder(QIOParams& params) {
    const char* folder = params.Table->GetFilesFolder(&params);
    return folder ? folder : "";
  }

private:
  static TDataSource& Self(QIOInOut* self) { return *static_cast<TDataSource*>(self); }

  // Runs an operation; an exception fails it with its text.
  template <class F>
  static bool Guarded(QIOInOut* self, F operation) noexcept {
    try {
      return operation(Self(self));
    } catch (const std::exception& error) {
      return Self(self).FailQuietly(error.what());
    } catch (...) {
      return Self(self).FailQuietly("Unknown failure");
    }
  }
  bool FailQuietly(const char* text) noexcept {
    try {
      lastError_ = text;
    } catch (...) {
      lastError_.clear();
    }
    return false;
  }

  static int32_t QueryInterface(QIOInOut* self, const QIOGuid* iid, void** object) {
    const bool known = std::memcmp(iid, &QIO_IID_IUnknown, sizeof *iid) == 0 ||
                       std::memcmp(iid, &QIO_IID_IInOut, sizeof *iid) == 0;
    *object = known ? self : nullptr;
    if (!known) return QIO_E_NOINTERFACE;
    AddRef(self);
    return QIO_S_OK;
  }
  static uint32_t AddRef(QIOInOut* self) { return ++Self(self).count_; }
  static uint32_t Release(QIOInOut* self) {
    const uint32_t count = --Self(self).count_;
    if (count == 0) {
      Guarded(self, [](TDataSource& source) { return source.Close(), true; });
      delete &Self(self);
    }
    return count;
  }
  static const char* GetTypeName(QIOInOut* self) { return Self(self).TypeName(); }
  static const char* GetLastError(QIOInOut* self) { return Self(self).lastError_.c_str(); }
  static uint8_t OpenSource(QIOInOut* self, QIOParams* params, uint8_t mode) {
    return Guarded(self, [&](TDataSource& source) { return source.Open(*params, mode); });
  }
  static void Reserved(QIOInOut*) {}
  static uint8_t ReadNext(QIOInOut* self, uint8_t* byte) {
    return Guarded(self, [&](TDataSource& source) { return source.ReadByte(*byte); });
  }
  static uint8_t WriteNext(QIOInOut* self, uint8_t byte) {
    return Guarded(self, [&](TDataSource& source) { return source.WriteByte(byte); });
  }
  static void CloseSource(QIOInOut* self) {
    Guarded(self, [](TDataSource& source) { return source.Close(), true; });
  }
  static uint8_t GetFlags(QIOInOut* self) { return Self(self).Flags(); }

  static constexpr QIOInOutTable Table = {QueryInterface, AddRef,   Release,    GetTypeName, GetLastError, OpenSource,
                                          Reserved,       ReadNext, WriteNext,  CloseSource, GetFlags};

  uint32_t count_ = 1;
  std::string lastError_;
};
