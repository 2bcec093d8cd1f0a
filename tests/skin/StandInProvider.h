#pragma once
// Stands in for a form's skinning provider: its skin data follows the
// manager given, and it counts how often it rebuilt the form's region.

#include "skin/SkinCommonData.h"
#include "skin/forms/SkinProvider.h"

class TStandInProvider : public TSkinProvider {
public:
  TStandInProvider(TComponent* form, TSkinManager* manager) : TSkinProvider(form, TBare{}), data_(this, false) {
    data_.SetSkinManager(manager);
  }
  TSkinCommonData& SkinData() const override { return data_; }
  void RebuildRegionAndCaches() override { ++Rebuilds; }
  int Rebuilds = 0;

private:
  mutable TSkinCommonData data_;
};
