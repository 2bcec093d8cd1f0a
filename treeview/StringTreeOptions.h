#pragma once
// The option holder of the text tree: the tree's option sets and the set
// of text options.

#include "treeview/DataTreeOptions.h"

enum TDTStringOption { toSaveCaptions, toShowStaticText, toAutoAcceptEditChange };
using TDTStringOptions = TEnumSet<TDTStringOption>;

class TCustomStringTreeOptions : public TCustomDataTreeOptions {
public:
  using TCustomDataTreeOptions::TCustomDataTreeOptions;

  TDTStringOptions StringOptions() const { return string_; }
  void SetStringOptions(TDTStringOptions value);

  // Copies the text options too when the destination has them.
  void AssignOptionsTo(TCustomDataTreeOptions& destination) const override;

private:
  TDTStringOptions string_{toSaveCaptions, toAutoAcceptEditChange};
};

// The holder the text tree publishes as TreeOptions.
class TStringTreeOptions : public TCustomStringTreeOptions {
public:
  using TCustomStringTreeOptions::TCustomStringTreeOptions;
};
