#pragma once
// Libraries: every named engine object belongs to one, so that a library can
// be unloaded as a whole. Built-in libraries (made by the engine at start-up)
// keep their names when unloaded without force.
//
// Compiled code may refer to the objects of other libraries: a script
// library to those loaded before it, a tree handed out of the engine to any.
// Such code holds the libraries it refers to (TLibUses), and a held library
// is not unloaded, so no compiled code outlives what it points to.

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class TLib;
class TVar;

// The variables compiled code refers to, held one by one: DeleteVariable,
// ClearWorkspace and a new ans leave a held variable alone (Workspace is
// built in and never unloaded, so holding the library would not do).
// Holds are shares of a token per variable, never pointers that are
// followed; a token without holders means nothing, so a new variable at a
// deleted one's address starts free.
class TVarHolds {
public:
  std::shared_ptr<const void> Hold(const TVar* var);
  bool Held(const TVar* var) const;

private:
  void ForgetUnheld();

  std::unordered_map<const TVar*, std::shared_ptr<const void>> tokens_;
  std::size_t pruneAt_ = 64;
};

// The libraries some compiled code refers to beyond its own, each held
// while this object lives. Holding outlives the libraries and the engine
// safely: a hold is a share of a token, never a pointer that is followed.
class TLibUses {
public:
  // Built-in libraries are never unloaded and need no hold; nil is ignored.
  void Add(const TLib* lib);
  bool Contains(const TLib* lib) const;
  // A variable, held through holds.
  void AddVariable(const TVar* var, TVarHolds& holds);

private:
  struct TUse {
    const TLib* Lib;  // compared only
    std::shared_ptr<const void> Hold;
  };
  std::vector<TUse> uses_;
  std::unordered_map<const TVar*, std::shared_ptr<const void>> variables_;  // keys compared only
};

class TLib {
public:
  TLib(std::string name, bool builtIn) : name_(std::move(name)), builtIn_(builtIn) {}
  TLib(const TLib&) = delete;
  TLib& operator=(const TLib&) = delete;

  const std::string& Name() const { return name_; }
  bool BuiltIn() const { return builtIn_; }

  // The other libraries this library's compiled code refers to.
  TLibUses& Uses() { return uses_; }
  const TLibUses& Uses() const { return uses_; }
  // Whether compiled code elsewhere (another library, a tree) refers to it.
  bool Held() const { return holdToken_.use_count() > 1; }

private:
  friend class TLibUses;

  std::string name_;
  bool builtIn_;
  TLibUses uses_;
  std::shared_ptr<const void> holdToken_ = std::make_shared<char>();
};

// All libraries in order of creation; owns them. Names compare
// case-insensitively (A-Z folded only).
class TLibs {
public:
  // An existing library of that name is returned unchanged (its BuiltIn flag
  // included); otherwise a new one is appended.
  TLib* FindOrAdd(std::string_view name, bool builtIn);
  TLib* Find(std::string_view name) const;
  int IndexOf(std::string_view name) const;  // -1 when absent
  TLib* Add(std::unique_ptr<TLib> lib);
  TLib* Get(int index) const;  // assertion "5D3FC984" when out of range
  // Frees the library and closes the gap; false for an index out of range.
  bool Delete(int index);
  int Count() const { return static_cast<int>(libs_.size()); }
  // Takes the library out of the list (its name is free again) and gives
  // it back to its place later; Insert clamps index to the list.
  std::unique_ptr<TLib> Take(TLib* lib);
  void Insert(int index, std::unique_ptr<TLib> lib);
  int IndexOf(const TLib* lib) const;  // -1 when absent

private:
  std::vector<std::unique_ptr<TLib>> libs_;
};
