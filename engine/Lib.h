#pragma once
// Libraries: every named engine object belongs to one, so that a library can
// be unloaded as a whole. Built-in libraries (made by the engine at start-up)
// keep their names when unloaded without force.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TLib {
public:
  TLib(std::string name, bool builtIn) : name_(std::move(name)), builtIn_(builtIn) {}
  TLib(const TLib&) = delete;
  TLib& operator=(const TLib&) = delete;

  const std::string& Name() const { return name_; }
  bool BuiltIn() const { return builtIn_; }

private:
  std::string name_;
  bool builtIn_;
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

private:
  std::vector<std::unique_ptr<TLib>> libs_;
};
