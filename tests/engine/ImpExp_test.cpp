#include "engine/data/ImpExp.h"

#include "KindsFixture.h"
#include "runtime/Exceptions.h"

namespace {

class ImpExpTest : public KindsFixture {
protected:
  ImpExpTest() { ImpExp = &registry; }
  ~ImpExpTest() override { ImpExp = nullptr; }

  // A routine of the registry's contract for kind, owned by the fixture.
  TFunc* Routine(const char* name, TKind* kind, TLib* lib) {
    TFuncKind* signature = Signature({{"Handle", Integer()}, {"V", kind, amVar}}, Boolean());
    return routines_.emplace_back(std::make_unique<TTestFunc>(name, signature, lib, nullptr)).get();
  }
  std::vector<TKind*> RecordKinds() const {
    std::vector<TKind*> kinds;
    for (int i = 0; i < registry.Count(); ++i) kinds.push_back(registry.GetRecord(i).Kind());
    return kinds;
  }
  static std::vector<TFunc*> Imports(const TImpExpRec& record) {
    std::vector<TFunc*> routines;
    for (int i = 0; i < record.ImportCount(); ++i) routines.push_back(record.GetImport(i));
    return routines;
  }
  static std::vector<TFunc*> Exports(const TImpExpRec& record) {
    std::vector<TFunc*> routines;
    for (int i = 0; i < record.ExportCount(); ++i) routines.push_back(record.GetExport(i));
    return routines;
  }

  TImpExp registry;
  TLib Stats{"Stats", false};

private:
  std::vector<std::unique_ptr<TFunc>> routines_;
};

TEST_F(ImpExpTest, RecordsAreKeyedByKindIdentityInOrderOfCreation) {
  TKind* anything = AnyKind(kcAny);
  TImpExpRec& first = registry.FindOrAdd(anything);
  registry.FindOrAdd(Integer());
  EXPECT_EQ(&registry.FindOrAdd(anything), &first);

  // Two kinds of the same structure, kept apart from the interning table.
  auto one = std::make_unique<TRecKind>("", &User);
  auto two = std::make_unique<TRecKind>("", &User);
  one->AddField(Real(), "x", false, -1);
  two->AddField(Real(), "x", false, -1);
  registry.FindOrAdd(one.get());
  EXPECT_EQ(registry.Find(two.get()), nullptr);
  registry.FindOrAdd(two.get());
  EXPECT_EQ(RecordKinds(), (std::vector<TKind*>{anything, Integer(), one.get(), two.get()}));
  EXPECT_THROW(registry.GetRecord(4), EAssertionFailed);
  EXPECT_THROW(registry.GetRecord(-1), EAssertionFailed);
}

TEST_F(ImpExpTest, RoutinesKeepTheirOrderOfRegistration) {
  TImpExpRec& vectors = registry.FindOrAdd(Vector());
  TFunc* readVector = Routine("ReadVector", Vector(), &System);
  TFunc* readVecCsv = Routine("ReadVecCSV", Vector(), &System);
  TFunc* writeVector = Routine("WriteVector", Vector(), &System);
  vectors.AddImport(readVector);
  vectors.AddExport(writeVector);
  vectors.AddImport(readVecCsv);
  EXPECT_EQ(Imports(vectors), (std::vector<TFunc*>{readVector, readVecCsv}));
  EXPECT_EQ(Exports(vectors), std::vector<TFunc*>{writeVector});
  EXPECT_THROW(vectors.GetExport(1), EAssertionFailed);
  EXPECT_THROW(vectors.GetImport(-1), EAssertionFailed);
}

TEST_F(ImpExpTest, UnloadingALibraryRemovesItsTypesAndRoutines) {
  TKind* sample = Record({{"x", Real()}}, "Sample", &Stats);
  registry.FindOrAdd(sample).AddExport(Routine("WriteSample", sample, &Stats));
  registry.FindOrAdd(sample).AddImport(Routine("ReadSample", sample, &User));

  registry.FindOrAdd(Real()).AddImport(Routine("ReadReal", Real(), &Stats));

  TImpExpRec& strings = registry.FindOrAdd(String());
  TFunc* before = Routine("Before", String(), &User);
  TFunc* after = Routine("After", String(), &User);
  strings.AddExport(before);
  strings.AddExport(Routine("Mine", String(), &Stats));
  strings.AddExport(after);

  registry.RemoveLibrary(&Stats);
  EXPECT_EQ(RecordKinds(), std::vector<TKind*>{String()})
      << "the record of Stats' own type goes whole; Real's goes with its only routine";
  EXPECT_EQ(Exports(strings), (std::vector<TFunc*>{before, after}));
}

}  // namespace
