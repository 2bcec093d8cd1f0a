#include "runtime/Params.h"

#include "runtime/Exceptions.h"
#include "runtime/Storage.h"

constinit TParams Params;

namespace {

// Load and Save walk the keys in this one order; "VEditTree" comes before
// "MEditTree", unlike the fields.
template <class Options, class Visitor>
void VisitOptions(Options& options, Visitor visit) {
  visit("MainOnTop", options.MainOnTop);
  visit("WinsInTask", options.WinsInTask);
  visit("FMantissa", options.FMantissa);
  visit("FExponent", options.FExponent);
  visit("ShowLevel", options.ShowLevel);
  visit("CopyPrefix", options.CopyPrefix);
  visit("ExecTime", options.ExecTime);
  visit("MemTaken", options.MemTaken);
  visit("BackImage", options.BackImage);
  visit("UseShow", options.UseShow);
  visit("VEditTree", options.VEditTree);
  visit("MEditTree", options.MEditTree);
  visit("UseExpr", options.UseExpr);
  visit("CopyClip", options.CopyClip);
}

struct TOptionReader {
  TStorage& store;
  void operator()(const char* key, bool& value) const { value = store.ReadBool(key, value); }
  void operator()(const char* key, std::int64_t& value) const { value = store.ReadInteger(key, value); }
};

struct TOptionWriter {
  TStorage& store;
  void operator()(const char* key, bool value) const { store.WriteBool(key, value); }
  void operator()(const char* key, std::int64_t value) const { store.WriteInteger(key, value); }
};

TStorage& OpenOptions(bool erase) {
  QASSERT(Storage, "Assertion failure");
  Storage->OpenSection("PARAMS", erase);
  return *Storage;
}

}  // namespace

void TParams::Load() {
  TStorage& store = OpenOptions(false);
  TSectionCloser closer(store);
  VisitOptions(*this, TOptionReader{store});
}

// Erasing first drops keys no longer written.
void TParams::Save() const {
  TStorage& store = OpenOptions(true);
  TSectionCloser closer(store);
  VisitOptions(*this, TOptionWriter{store});
}
