#pragma once
// Routines that libraries attach to kinds: per kind a string-conversion
// routine (the one-line text of a value) and an output routine (printed in
// place of the standard listing), and kind-to-kind conversion routines that
// the compiler inserts into assignments. Kinds are interned, so a routine
// registered for Vector serves every dynamic array of Real.
//
// Entries borrow their routines; a library's routines leave with RemoveLib.

#include <memory>
#include <string>
#include <utility>
#include <vector>

class TFunc;
class TKind;
class TLib;
class TVar;

class TKindStd {
public:
  explicit TKindStd(TKind* kind) : kind_(kind) {}

  TKind* Kind() const { return kind_; }
  TFunc* StrConv() const { return strConv_; }
  TFunc* Output() const { return output_; }
  // Replacing a routine warns: Type "<kind>" string conversion routine
  // redefined, or ... output routine redefined.
  void SetStrConv(TFunc* func);
  void SetOutput(TFunc* func);

private:
  TKind* kind_;
  TFunc* strConv_ = nullptr;
  TFunc* output_ = nullptr;
};

class TStds {
public:
  TKindStd& Entry(TKind* kind);  // appended when the kind has none
  TKindStd* Find(const TKind* kind) const;
  int Count() const { return static_cast<int>(entries_.size()); }

  // Runs the string-conversion routine of var's kind; true only when it ran
  // and gave a non-empty text.
  bool ToText(TVar& var, std::string& text) const;
  // Runs the output routine of var's kind; true when there is one and it succeeded.
  bool Output(TVar& var) const;

  // Removes every entry one of whose routines belongs to lib.
  void RemoveLib(const TLib* lib);

  // Every entry as it is now, to be put back by Restore.
  std::vector<TKindStd> Save() const;
  void Restore(const std::vector<TKindStd>& saved);

private:
  std::vector<std::unique_ptr<TKindStd>> entries_;
};

struct TKindConv {
  TKind* ToKind;    // the routine's result kind
  TKind* FromKind;  // the kind of its first parameter
  TFunc* Routine;
};

class TConvStds {
public:
  void Add(TKind* toKind, TKind* fromKind, TFunc* routine);
  // The routine of the first entry, in registration order, that takes the
  // source and gives a kind the target accepts; nil when none.
  TFunc* Find(const TKind* target, const TKind* source) const;
  void RemoveLib(const TLib* lib);

  // Every entry as it is now, to be put back by Restore.
  std::vector<TKindConv> Save() const { return entries_; }
  void Restore(std::vector<TKindConv> saved) { entries_ = std::move(saved); }

private:
  std::vector<TKindConv> entries_;
};

// The engine's registry of per-kind routines; nil while no engine exists.
extern TStds* Stds;
