#include "libraries/SystemLibrary.h"

#include <string>
#include <vector>

#include "SystemEngine.h"
#include "engine/Kind.h"

namespace {

class SystemLibrary : public SystemEngine {
protected:
  TLib* System() const { return Engine->Libs().Find("System"); }
  TFunc* Routine(const char* name) const { return Engine->Funcs().Find(name); }
  TEnumKind* Enumeration(const char* name) const {
    TKind* kind = Engine->Kinds().FindKind(name);
    EXPECT_TRUE(kind && kind->Code() == kcEnum) << name;
    return static_cast<TEnumKind*>(kind);
  }
  static std::vector<std::string> Members(const TEnumKind& kind) {
    std::vector<std::string> names;
    for (int i = 0; i < kind.Count(); ++i) names.push_back(kind.GetName(i));
    return names;
  }
};

TEST_F(SystemLibrary, EveryRoutineBelongsToSystem) {
  const char* names[] = {
      "Inc",      "Dec",       "Length",   "High",       "Low",      "SetLength", "Write",        "Show",
      "Str",      "StrX",      "Bin",      "Hex",        "SysTime",  "Random",    "IsInf",        "RGB",
      "Assigned", "Error",     "Info",     "Warning",    "Splitter", "Fatal",     "Round",        "Trunc",
      "Ceil",     "Floor",     "Min",      "Max",        "RandGauss", "MinInt",   "MaxInt",       "Chr",
      "Ord",      "Copy",      "CmpStr",   "SplitStr",   "StrToReal", "StrToInt", "Delay",        "Apply",
      "ToWorkspace", "InputString", "InputInteger", "InputReal", "ShowMessage",
  };
  for (const char* name : names) {
    TFunc* routine = Routine(name);
    ASSERT_NE(routine, nullptr) << name;
    EXPECT_EQ(routine->Lib(), System()) << name;
    TVar* constant = Engine->FindVariable(name);
    ASSERT_NE(constant, nullptr) << name;
    EXPECT_TRUE(constant->IsConstant()) << name;
  }
}

TEST_F(SystemLibrary, SignaturesBelongToSystem) {
  for (const char* name : {"Inc", "Min", "Copy", "Apply", "ShowMessage"})
    EXPECT_EQ(Routine(name)->Signature()->Lib(), System()) << name;
  for (const char* name : {"TMeshFunc", "TMouseButton", "TShiftState", "TNotifyEvent", "TMsgButton"})
    EXPECT_EQ(Engine->Kinds().FindKind(name)->Lib(), System()) << name;
}

TEST_F(SystemLibrary, RoutinesOfOneGroupShareTheirSignature) {
  const std::vector<std::vector<const char*>> groups = {
      {"Inc", "Dec"},
      {"Length", "High", "Low"},
      {"Write", "Show"},
      {"Str", "StrX"},
      {"Bin", "Hex"},
      {"SysTime", "Random"},
      {"Error", "Info", "Warning", "Splitter", "Fatal"},
      {"Round", "Trunc", "Ceil", "Floor"},
      {"Min", "Max"},
      {"MinInt", "MaxInt"},
  };
  for (const auto& group : groups)
    for (const char* name : group)
      EXPECT_EQ(Routine(name)->Signature(), Routine(group.front())->Signature()) << name;
  EXPECT_EQ(Routine("Min")->Signature(), Engine->Kinds().FindKind("TMeshFunc"));
  EXPECT_EQ(Routine("Min")->Signature()->GetText(true), "TMeshFunc");
}

TEST_F(SystemLibrary, VectorAndMatrixNameEveryLaterArrayOfReals) {
  TKind* vector = Engine->Kinds().FindKind("Vector");
  TKind* matrix = Engine->Kinds().FindKind("Matrix");
  ASSERT_NE(vector, nullptr);
  ASSERT_NE(matrix, nullptr);
  EXPECT_EQ(matrix->GetText(false), "Array of Vector");
  ASSERT_TRUE(Engine->RegisterType("Reals", "array of real"));
  ASSERT_TRUE(Engine->RegisterType("Table", "array of array of real"));
  EXPECT_EQ(Engine->Kinds().FindKind("Reals"), vector);
  EXPECT_EQ(Engine->Kinds().FindKind("Table"), matrix);
}

TEST_F(SystemLibrary, Constants) {
  EXPECT_EQ(Eval("Off = False"), "True");
  EXPECT_EQ(Eval("On = True"), "True");
  EXPECT_EQ(Eval("On and not Off"), "True");
  EXPECT_EQ(Eval("Inf > 1e4000"), "True");
  auto* path = dynamic_cast<TBaseVar*>(Engine->FindVariable("ApplicationPath"));
  ASSERT_NE(path, nullptr);
  EXPECT_TRUE(path->IsConstant());
  EXPECT_TRUE(path->GetValue().Str().ends_with('/'));
  TVar* none = Engine->FindVariable("nil");
  ASSERT_NE(none, nullptr);
  EXPECT_TRUE(none->IsConstant());
  EXPECT_EQ(none->Lib(), System());
  EXPECT_EQ(Eval("g := Round"), "Round");
  EXPECT_EQ(Eval("g := nil"), "nil") << "nil goes into every routine variable";
  EXPECT_EQ(Eval("Assigned(g)"), "False");
}

TEST_F(SystemLibrary, HostEnumerationsHaveTheirMembersInOrder) {
  TKind* shiftState = Engine->Kinds().FindKind("TShiftState");
  ASSERT_NE(shiftState, nullptr);
  ASSERT_EQ(shiftState->Code(), kcSet);
  TEnumKind* shift = static_cast<TSetKind*>(shiftState)->Elem();
  ASSERT_NE(shift, nullptr);
  EXPECT_FALSE(shift->HasName()) << "scripts cannot name the member enumeration";
  EXPECT_EQ(Members(*shift),
            (std::vector<std::string>{"ssShift", "ssAlt", "ssCtrl", "ssLeft", "ssRight", "ssMiddle", "ssDouble"}));
  EXPECT_EQ(Members(*Enumeration("TMouseButton")), (std::vector<std::string>{"mbLeft", "mbRight", "mbMiddle"}));
}

TEST_F(SystemLibrary, MessageEnumerations) {
  EXPECT_EQ(Members(*Enumeration("TMsgType")),
            (std::vector<std::string>{"mtWarning", "mtError", "mtInformation", "mtConfirmation", "mtCustom"}));
  EXPECT_EQ(Enumeration("TMsgButton")->IndexOf("mbOK"), 5);
  EXPECT_EQ(Enumeration("TMsgButtons")->IndexOf("mbsOK"), 2);
  EXPECT_EQ(Enumeration("TMsgButton")->Count(), 9);
  EXPECT_EQ(Enumeration("TMsgButtons")->Count(), 7);
  for (const char* member : {"ssDouble", "mbMiddle", "mtCustom", "mbTryAgain", "mbsYesNoCancel"})
    EXPECT_EQ(Eval(member), member) << "a bare member name is a constant";
}

TEST_F(SystemLibrary, EventTypesCarryTheirCodes) {
  const char* names[] = {"TProcedure",      "TNotifyEvent",    "TMouseButtonEvent",
                         "TMouseMoveEvent", "TKeyUpDownEvent", "TKeyPressEvent"};
  int code = 0;
  for (const char* name : names) {
    TKind* kind = Engine->Kinds().FindKind(name);
    ASSERT_NE(kind, nullptr) << name;
    ASSERT_EQ(kind->Code(), kcFunction) << name;
    EXPECT_EQ(static_cast<TFuncKind*>(kind)->EventCode(), ++code) << name;
  }
  EXPECT_EQ(Engine->Kinds().FindKind("TMouseMoveEvent")->GetText(false),
            "Procedure ( Sender : TObject; Shift : TShiftState; X : Integer; Y : Integer )");
}

}  // namespace
