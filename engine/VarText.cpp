#include "engine/VarText.h"

#include <utility>

#include "engine/ArrVar.h"
#include "engine/Func.h"
#include "engine/Kind.h"
#include "engine/RunFlags.h"
#include "engine/RunState.h"
#include "engine/Stds.h"

std::int32_t ListLevel = 0;
std::string ListLabel;
TLineKind ListKind = lkOutput;

namespace {

// Publishes one listing for its length and restores the outer one.
class TListingScope {
public:
  TListingScope(int level, const std::string& label, TLineKind kind)
      : level_(std::exchange(ListLevel, level)), label_(std::exchange(ListLabel, label)),
        kind_(std::exchange(ListKind, kind)) {}
  ~TListingScope() {
    ListLevel = level_;
    ListLabel = std::move(label_);
    ListKind = kind_;
  }
  TListingScope(const TListingScope&) = delete;
  TListingScope& operator=(const TListingScope&) = delete;

private:
  std::int32_t level_;
  std::string label_;
  TLineKind kind_;
};

// The items' texts with separators; once the text reaches limit, "..." for the rest.
template <class Item>
std::string Join(int count, const char* separator, std::size_t limit, Item&& itemText) {
  std::string text;
  for (int i = 0; i < count; ++i) {
    if (i > 0) text += separator;
    if (text.size() >= limit) return text + "...";
    text += itemText(i, limit - text.size());
  }
  return text;
}

std::string ScalarText(const TBaseVar& var, bool quote) {
  std::string text = ValueToText(var.GetValue());
  if (text == std::string(1, '\0')) text.clear();
  TKindCode code = var.Kind()->Code();
  if (quote && (code == kcChar || code == kcString)) return "'" + text + "'";
  return text;
}

std::string SetText(const TSetVar& set) {
  std::string members;
  if (const TEnumKind* elem = set.ElemKind()) {
    for (int ordinal = 0; ordinal < elem->Count() && ordinal < 32; ++ordinal) {
      if (!set.Contains(ordinal)) continue;
      if (!members.empty()) members += ", ";
      members += elem->GetName(ordinal);
    }
  }
  return "[ " + members + " ]";
}

std::string ArrayText(const TArrVar& array, bool quote, bool useTypeRoutines, std::size_t limit) {
  TSlotVar view;
  return "{" +
         Join(array.Count(), ", ", limit,
              [&](int p, std::size_t left) {
                return VarToText(&array.ElemAt(p, view), quote, useTypeRoutines, left);
              }) +
         "}";
}

std::string RecordText(const TRecVar& record, bool quote, bool useTypeRoutines, std::size_t limit) {
  return "(" +
         Join(record.FieldCount(), "; ", limit,
              [&](int i, std::size_t left) {
                TVar* field = record.Field(i);
                return field->Name() + ":" + VarToText(field, quote, useTypeRoutines, left);
              }) +
         ")";
}

// The text of a variable by its kind, without its kind's string-conversion routine.
std::string StandardText(TVar& var, bool quote, bool useTypeRoutines, std::size_t limit = std::string::npos) {
  switch (var.Kind()->Code()) {
    case kcAny:
      return {};
    case kcEnum: {
      auto& member = static_cast<const TBaseVar&>(var);
      return static_cast<const TEnumKind*>(var.Kind())->GetName(member.GetValue().AsInt());
    }
    case kcSet:
      return SetText(static_cast<const TSetVar&>(var));
    case kcArray:
      return ArrayText(static_cast<const TArrVar&>(var), quote, useTypeRoutines, limit);
    case kcRecord:
    case kcClass:
      return RecordText(static_cast<const TRecVar&>(var), quote, useTypeRoutines, limit);
    case kcFunction: {
      const TFunc* func = static_cast<const TFuncVar&>(var).Func();
      return func ? func->Name() : "nil";
    }
    default:
      return ScalarText(static_cast<const TBaseVar&>(var), quote);
  }
}

// A by-reference view shows the variable it is bound to.
TVar* Shown(TVar* var) {
  auto* ref = dynamic_cast<TRefVar*>(var);
  return ref ? ref->Target() : var;
}

bool TypeRoutineText(TVar& var, std::string& text) { return Stds && Stds->ToText(var, text); }

// A listing is part of the statement that shows it: between two of its
// lines the windows are let through, and an abort ends it.
bool ListingGoesOn() {
  ProcessMessages();
  return !AbortFlag;
}

}  // namespace

std::string VarToText(TVar* var, bool quote, bool useTypeRoutines, std::size_t limit) {
  var = Shown(var);
  if (!var) return {};
  std::string text;
  if (useTypeRoutines && TypeRoutineText(*var, text)) return text;
  return StandardText(*var, quote, useTypeRoutines, limit);
}

void ListVar(TVar* var, const std::string& label, int level, TLineKind lineKind) {
  var = Shown(var);
  if (!var) return;
  TListingScope listing(level, label, lineKind);
  // An output routine stopped by an abort has listed what it could.
  if ((Stds && Stds->Output(*var)) || AbortFlag) return;
  auto write = [&](const std::string& text) { WriteMessage(label + text, lineKind, level); };
  std::string text;
  switch (var->Kind()->Code()) {
    case kcAny:
      return;
    case kcArray: {
      if (TypeRoutineText(*var, text)) return write(text);
      auto& array = static_cast<TArrVar&>(*var);
      write("array [" + std::to_string(array.Count()) + "]");
      TSlotVar view;
      for (std::int32_t p = 0; p < array.Count() && ListingGoesOn(); ++p)
        ListVar(&array.ElemAt(p, view), "[" + std::to_string(p + 1) + "] = ", level + 1, lkOutput);
      return;
    }
    case kcRecord:
    case kcClass: {
      if (TypeRoutineText(*var, text)) return write(text);
      auto& record = static_cast<TRecVar&>(*var);
      write("record");
      for (int i = 0; i < record.FieldCount() && ListingGoesOn(); ++i)
        ListVar(record.Field(i), record.Field(i)->Name() + " = ", level + 1, lkOutput);
      return;
    }
    default:
      write(StandardText(*var, true, false));
  }
}
