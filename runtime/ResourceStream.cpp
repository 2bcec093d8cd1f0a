#include "runtime/ResourceStream.h"

#include <map>

namespace {

struct TResource {
  const void* Data;
  std::size_t Size;
};

std::map<std::string, TResource>& Resources() {
  static std::map<std::string, TResource> resources;
  return resources;
}

}  // namespace

void AddResource(const std::string& name, const void* data, std::size_t size, bool replace) {
  auto [place, added] = Resources().try_emplace(name, TResource{data, size});
  if (!added && replace) place->second = {data, size};
}

void RemoveResource(const std::string& name) { Resources().erase(name); }

TResourceStream::TResourceStream(const std::string& name) {
  const auto found = Resources().find(name);
  if (found == Resources().end()) throw EResNotFound("Resource " + name + " not found");
  WriteBuffer(found->second.Data, std::int64_t(found->second.Size));
  SetPosition(0);
}
