#include "engine/TarnClient.h"

#include "runtime/PublishedProperties.h"

void TTarnClient::TarnExports(ITarnscript&) {}

TVariant TTarnClient::TarnExecs(int, std::span<const TVariant>) { return TVariant::Integer(varInteger, 0); }

const THostClass& HostTarnClientClass() {
  static const THostClass& tarnClient = RegisterHostClassOf<TTarnClient>("TTarnClient", &HostPersistentClass());
  return tarnClient;
}
