#include "engine/Catalogue.h"

#include <gtest/gtest.h>

#include "engine/Kind.h"
#include "engine/XBuilder.h"
#include "libraries/StandardLibraries.h"
#include "runtime/Exceptions.h"

namespace {

class CatalogueDeclarations : public ::testing::Test {
protected:
  TXBuilder Engine{StandardCatalogues()};
  TLib* Math = Engine.FindLibrary("Math");
  TCatalogue Catalogue{Engine, Math};
};

}  // namespace

TEST_F(CatalogueDeclarations, DefaultsTakeTheParameterKindAndConstPassingIsKept) {
  TFuncKind* kind = Catalogue.Signature(
      Function({TParamSpec{"k", kcReal, amConst, 2}, Param("Dialog", "TMsgType", TDefaultSpec::Member("mtError"))},
               "Vector"),
      "TScaledFunc");
  ASSERT_NE(kind, nullptr);
  EXPECT_EQ(Engine.Kinds().FindKind("TScaledFunc"), kind);
  EXPECT_EQ(kind->Lib(), Math);
  EXPECT_EQ(kind->Arg(0)->Mode(), amConst);
  EXPECT_EQ(kind->Arg(0)->Default().Kind(), kcReal) << "an Integer default of a Real parameter is a Real";
  EXPECT_EQ(kind->Arg(0)->Default().AsReal(), 2.0L);
  EXPECT_EQ(kind->Arg(1)->Default().Kind(), kcEnum);
  EXPECT_EQ(kind->Arg(1)->Default().AsInt(), 1);
  EXPECT_EQ(kind->Result(), Engine.Kinds().FindKind("Vector"));
  EXPECT_EQ(kind->GetText(false), "Function ( const k : Real; Dialog : TMsgType ) : Vector");
}

TEST_F(CatalogueDeclarations, AFaultyDescriptionFailsAnAssertion) {
  const struct {
    const char* Fault;
    TSignatureSpec Signature;
  } cases[] = {
      {"unknown kind name", Procedure({Param("x", "NoSuchKind")})},
      {"unknown result kind", Function({}, "NoSuchKind")},
      {"member its enumeration lacks", Procedure({Param("d", "TMsgType", TDefaultSpec::Member("mbsOK"))})},
      {"member default of a scalar", Procedure({Param("n", kcInteger, TDefaultSpec::Member("mtError"))})},
      {"Boolean default of an Integer", Procedure({Param("n", kcInteger, true)})},
      {"name given twice", Procedure({Param("x", kcReal), Param("X", kcReal)})},
  };
  for (const auto& c : cases) EXPECT_THROW(Catalogue.Signature(c.Signature), EAssertionFailed) << c.Fault;
}

TEST_F(CatalogueDeclarations, EnumerationsBelongToSystemAndRefuseATakenNameOrARepeatedMember) {
  constexpr const char* members[] = {"lsSolid", "lsDotted"};
  TEnumKind* named = Catalogue.AddEnumeration("TLineStyle", members);
  EXPECT_EQ(Engine.Kinds().FindKind("TLineStyle"), named);
  EXPECT_EQ(named->Lib(), Engine.FindLibrary("System")) << "as RegisterType's types";
  EXPECT_EQ(named->IndexOf("lsDotted"), 1);
  constexpr const char* others[] = {"xA", "xB"};
  EXPECT_NE(Catalogue.AddEnumeration("", others), nullptr) << "an unnamed enumeration needs no free name";
  EXPECT_THROW(Catalogue.AddEnumeration("TMsgType", others), EAssertionFailed);
  constexpr const char* repeated[] = {"yA", "YA"};
  EXPECT_THROW(Catalogue.AddEnumeration("TRepeated", repeated), EAssertionFailed);
}
