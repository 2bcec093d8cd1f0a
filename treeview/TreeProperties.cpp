#include "treeview/TreeProperties.h"

#include "runtime/MethodEvent.h"
#include "runtime/PublishedProperties.h"
#include "toolkit/controls/ToolkitProperties.h"
#include "treeview/BaseDataTree.h"
#include "treeview/DTHeader.h"
#include "treeview/DataTreeColumns.h"

void RegisterTreeProperties() {
  static bool registered = false;
  if (registered) return;
  registered = true;
  RegisterToolkitProperties();
  RegisterObjectProperty<TBaseDataTree>("Header", [](TBaseDataTree& tree) -> TObject* { return &tree.Header(); });
  RegisterMethodEventProperty("OnAdvancedHeaderDraw", &TBaseDataTree::OnAdvancedHeaderDraw);
  RegisterMethodEventProperty("OnHeaderDrawQueryElements", &TBaseDataTree::OnHeaderDrawQueryElements);
  static const std::vector<std::string> headerOptions = {
      "hoAutoResize", "hoColumnResize", "hoDblClickResize", "hoDrag",    "hoHotTrack", "hoOwnerDraw",
      "hoRestrictDrag", "hoShowHint",   "hoShowImages",     "hoShowSortGlyphs", "hoVisible",  "hoAutoSpring"};
  RegisterSetProperty<TDTHeader>(
      "Options", headerOptions, [](TDTHeader& header) { return static_cast<std::int64_t>(header.Options().Bits()); },
      [](TDTHeader& header, std::int64_t bits) {
        const uint64_t members = (uint64_t{1} << headerOptions.size()) - 1;
        header.SetOptions(TDTHeaderOptions::FromBits(static_cast<uint64_t>(bits) & members));
      });
  RegisterOrdinalProperty<TDTHeader>("Height", [](TDTHeader& header) { return header.Height(); },
                                     [](TDTHeader& header, std::int64_t height) {
                                       header.SetHeight(static_cast<int>(height));
                                     });
  RegisterOrdinalProperty<TDTHeader>("SortDirection", [](TDTHeader& header) { return header.SortDirection(); },
                                     [](TDTHeader& header, std::int64_t direction) {
                                       header.SetSortDirection(static_cast<TSortDirection>(direction));
                                     });
  RegisterStringProperty<TDataTreeColumn>("Text", [](TDataTreeColumn& column) { return column.Text(); },
                                          [](TDataTreeColumn& column, const std::string& text) {
                                            column.SetText(text);
                                          });
}
