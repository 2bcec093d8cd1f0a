#include "runtime/PluginInOut.h"

#include <cstring>

#include "runtime/Exceptions.h"

namespace {

bool SameGuid(const QIOGuid* a, const QIOGuid& b) { return std::memcmp(a, &b, sizeof b) == 0; }

std::string TextOf(const char* text) { return text ? text : ""; }

// An IIOParamSys as the C object QIOParams. It holds its own count, so a
// plug-in that keeps the parameters keeps them alive. No exception may leave
// these functions into the plug-in's code.
class TParamsView final : public QIOParams {
public:
  explicit TParamsView(CountedPtr<IIOParamSys> params) : QIOParams{&Table}, params_(std::move(params)) {}

private:
  static TParamsView& Self(QIOParams* self) { return *static_cast<TParamsView*>(self); }

  static int32_t QueryInterface(QIOParams* self, const QIOGuid* iid, void** object) {
    const bool known = SameGuid(iid, QIO_IID_IUnknown) || SameGuid(iid, QIO_IID_IIOParams) ||
                       SameGuid(iid, QIO_IID_IIOParamSys);
    *object = known ? self : nullptr;
    if (!known) return QIO_E_NOINTERFACE;
    AddRef(self);
    return QIO_S_OK;
  }
  static uint32_t AddRef(QIOParams* self) { return ++Self(self).count_; }
  static uint32_t Release(QIOParams* self) {
    const uint32_t count = --Self(self).count_;
    if (count == 0) delete &Self(self);
    return count;
  }
  // The returned text lives in the view until the next call.
  static const char* Keep(QIOParams* self, std::string text) {
    Self(self).text_ = std::move(text);
    return Self(self).text_.c_str();
  }
  static const char* GetValue(QIOParams* self, const char* name) noexcept {
    try {
      return Keep(self, Self(self).params_->GetValue(TextOf(name)));
    } catch (...) {
      return "";
    }
  }
  static const char* GetFilesFolder(QIOParams* self) noexcept {
    try {
      return Keep(self, Self(self).params_->GetFilesFolder());
    } catch (...) {
      return "";
    }
  }
  static int32_t AddParam(QIOParams* self, const char* text) noexcept {
    try {
      return Self(self).params_->AddParam(TextOf(text));
    } catch (...) {
      return -1;
    }
  }

  static constexpr QIOParamsTable Table = {QueryInterface, AddRef, Release, GetValue, GetFilesFolder, AddParam};

  uint32_t count_ = 1;
  CountedPtr<IIOParamSys> params_;
  std::string text_;
};

}  // namespace

TPluginInOut::TPluginInOut(QIOInOut* Object) : object_(Object) { QASSERT(Object != nullptr, "Assertion failure"); }

TPluginInOut::~TPluginInOut() { object_->Table->Release(object_); }

std::string TPluginInOut::GetTypeName() { return TextOf(object_->Table->GetTypeName(object_)); }

std::string TPluginInOut::GetLastError() { return TextOf(object_->Table->GetLastError(object_)); }

bool TPluginInOut::Open(const CountedPtr<IIOParamSys>& Params, std::uint8_t Mode) {
  QIOParams* view = new TParamsView(Params);
  const bool opened = object_->Table->Open(object_, view, Mode) != 0;
  view->Table->Release(view);
  return opened;
}

bool TPluginInOut::ReadByte(std::uint8_t& B) { return object_->Table->ReadByte(object_, &B) != 0; }

bool TPluginInOut::WriteByte(std::uint8_t B) { return object_->Table->WriteByte(object_, B) != 0; }

void TPluginInOut::Close() { object_->Table->Close(object_); }

std::uint8_t TPluginInOut::GetFlags() { return object_->Table->GetFlags(object_); }
