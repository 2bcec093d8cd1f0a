#pragma once
// A table of kinds: the engine's global one, and one per script routine.
// Registering interns kinds: a structure that is already in the table is not
// added again, so anonymous kinds written in declarations are shared and a
// named type of an existing structure becomes an alias. After Vector is
// registered as "array of Real", every later array of Real is Vector.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "engine/HashTab.h"

class ITarnscript;
class TClassKind;
class TEnumKind;
class TFuncKind;
class TKind;
class TLib;
class TObject;
class TRecKind;
struct THostClass;
struct THostType;
struct TPublishedProperty;

class TKindTab : public THashTab {
public:
  TKindTab() = default;
  // The global table forgets the built-in kinds when it goes.
  ~TKindTab() override;

  // By name in the table, else through an alias; nil when neither.
  TKind* FindKind(std::string_view name) const;
  // False when the alias name is present (the first alias keeps its target).
  bool AddAlias(TKind* kind, std::string name, TLib* lib);
  // Takes the kind and returns the table's kind of that structure: the kind
  // itself when it is new, otherwise the one already registered (the new
  // kind's own name then becomes an alias of it). A new kind must not reuse
  // a name of the table (assertion "6E1C2B90").
  TKind* Register(std::unique_ptr<TKind> kind, TLib* lib);
  // The first SameKind match in table order (buckets 0..30, chain order),
  // found through an index of the kinds by StructureHash.
  TKind* FindSame(const TKind& kind) const;
  // The first registered enumeration that has the member; nil when none.
  TEnumKind* FindEnumMember(std::string_view name) const;
  const std::vector<TEnumKind*>& EnumKinds() const { return enumKinds_; }

  // The scalar and generic kinds and their aliases, owned by lib (System).
  // This table becomes the engine's global kind table.
  void RegisterBuiltIns(TLib* lib);

  void RemoveLib(const TLib* lib, bool force) override;

  // Host objects. The record kind of a host object's class being built
  // while the object declares its routines, nil otherwise; and the engine
  // handed to the object for that.
  TRecKind* ClientKind = nullptr;
  ITarnscript* Engine = nullptr;
  // The kind of a host property type: Integer, Real, String, an enumeration
  // or a set of one (found by name, else made and registered); nil for a
  // type scripts cannot hold.
  TKind* KindFromTypeInfo(const THostType& type, TLib* lib);
  // The kind found under the class's name, else a new class kind of its
  // published properties, registered. Without a class: "No type information
  // available" and nil.
  TKind* KindFromClass(TObject* object, const THostClass* hostClass, TLib* lib);
  // A field for an event property whose signature is a registered routine kind.
  void AddEventField(TRecKind& kind, const TPublishedProperty& property, TLib* lib);
  // A field for the property when scripts can hold its type.
  void AddPropertyField(TObject* object, TRecKind& kind, const TPublishedProperty& property, TLib* lib);
  // The registered record kind of the object's class; a new kind is built
  // from its properties and, for a TTarnClient, the routines it declares.
  // Nil without an Engine or when the name belongs to a kind of another code.
  TKind* KindOfObject(TObject& object, TLib* lib);
  // A routine field of ClientKind; false when no kind is open or the name is taken.
  bool AddClientFunction(const std::string& name, TFuncKind* kind, int index);

  // Kinds taken out by DetachDependants, with their aliases and places.
  struct TDetached {
    TDetachedNodes Kinds;
    TDetachedNodes Aliases;
    std::vector<std::pair<std::size_t, TEnumKind*>> Enums;  // place in EnumKinds
  };
  // Takes out, without freeing, every kind that depends on lib (its own and
  // those of any library built on them), the aliases of those kinds and
  // the aliases lib made; Reattach puts them back as they were.
  TDetached DetachDependants(const TLib* lib);
  void Reattach(TDetached& detached);

private:
  TKind* AddBuiltIn(std::unique_ptr<TKind> kind);
  std::unique_ptr<TClassKind> BuildClassKind(TObject* object, const THostClass& hostClass, TLib* lib);
  void RemoveAliasesOfKinds(const TLib* lib);

  void IndexStructures() const;
  TKind* FirstSameInTableOrder(const TKind& kind) const;

  THashTab aliases_;  // TRefNode: alias name -> kind
  std::vector<TEnumKind*> enumKinds_;
  // Every kind of the table by StructureHash, as of Changes() == indexedAt_;
  // made again when the table changed in any other way than Register.
  mutable std::unordered_multimap<std::size_t, TKind*> structures_;
  mutable std::uint64_t indexedAt_ = UINT64_MAX;
};
