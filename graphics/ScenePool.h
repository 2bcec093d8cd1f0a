#pragma once
// Storage for the objects of one 3D scene. The scene is rebuilt on every
// repaint, also while the user drags the view: objects are handed out in
// creation order from chunks that never move and are kept from build to
// build, so a warm rebuild allocates nothing and an object's address holds
// until the next Clear.

#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

template <class T>
class TScenePool {
public:
  // The next slot, reset to T(args...).
  template <class... TArgs>
  T* New(TArgs&&... Args) {
    if (count_ == chunks_.size() * ChunkSize) chunks_.push_back(std::make_unique<T[]>(ChunkSize));
    T* slot = &chunks_[count_ / ChunkSize][count_ % ChunkSize];
    *slot = T(std::forward<TArgs>(Args)...);
    ++count_;
    return slot;
  }
  // Gives the last slot back (an object that turned out not to be wanted).
  void RemoveLast() { --count_; }
  void Clear() { count_ = 0; }
  std::size_t Count() const { return count_; }
  T* operator[](std::size_t I) const { return &chunks_[I / ChunkSize][I % ChunkSize]; }

private:
  static constexpr std::size_t ChunkSize = 1024;
  std::vector<std::unique_ptr<T[]>> chunks_;
  std::size_t count_ = 0;
};
