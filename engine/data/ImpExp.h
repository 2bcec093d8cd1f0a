#pragma once
// The import/export registry: routines that move a variable of one type
// between an open data source and the workspace, filed by the kind of their
// second parameter. An import routine is function(Handle: Integer; var V: T):
// Boolean, an export routine the same with V by value. Records are keyed by
// the identity of the kind object; records and lists keep registration order,
// which is the order the import/export dialog shows.
//
// The registry borrows its kinds and routines; a library's entries leave
// with RemoveLibrary before the library's objects are freed.

#include <memory>
#include <vector>

class TFunc;
class TKind;
class TLib;

class TImpExpRec {
public:
  explicit TImpExpRec(TKind* Kind) : kind_(Kind) {}

  TKind* Kind() const { return kind_; }
  void AddImport(TFunc* F) { imports_.push_back(F); }
  void AddExport(TFunc* F) { exports_.push_back(F); }
  int ImportCount() const { return static_cast<int>(imports_.size()); }
  int ExportCount() const { return static_cast<int>(exports_.size()); }
  // Assertion outside 0..Count-1.
  TFunc* GetImport(int Index) const;
  TFunc* GetExport(int Index) const;
  // Removes every routine of Lib from both lists, keeping the order of the rest.
  void RemoveLibrary(const TLib* Lib);
  bool IsEmpty() const { return imports_.empty() && exports_.empty(); }

private:
  TKind* kind_;
  std::vector<TFunc*> imports_;
  std::vector<TFunc*> exports_;
};

class TImpExp {
public:
  // The record of Kind, appended when it has none.
  TImpExpRec& FindOrAdd(TKind* Kind);
  TImpExpRec* Find(const TKind* Kind) const;
  int Count() const { return static_cast<int>(records_.size()); }
  TImpExpRec& GetRecord(int Index) const;  // assertion outside 0..Count-1
  // Deletes the records of Lib's kinds, removes Lib's routines from the
  // others, and deletes the records left without routines.
  void RemoveLibrary(const TLib* Lib);

  // Every record as it is now, to be put back by Restore.
  std::vector<TImpExpRec> Save() const;
  void Restore(const std::vector<TImpExpRec>& Saved);

private:
  std::vector<std::unique_ptr<TImpExpRec>> records_;
};

// The engine's registry; nil while no engine exists.
extern TImpExp* ImpExp;
