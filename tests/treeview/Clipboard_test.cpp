// Clipboard formats, the tree's data object and format enumerator, copy,
// cut and paste through the clipboard, and the standard edit actions.

#include <gtest/gtest.h>

#include "runtime/Exceptions.h"
#include "tests/treeview/TreeTestSupport.h"
#include "toolkit/controls/ActionList.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Clipboard.h"
#include "toolkit/controls/Form.h"
#include "treeview/ClipboardFormatList.h"
#include "treeview/DTDataObject.h"
#include "treeview/DataDrawTree.h"
#include "treeview/DataStringTree.h"
#include "treeview/DataTreeError.h"
#include "treeview/EnumFormatEtc.h"
#include "treeview/OLEMemoryStream.h"
#include "treeview/TransferDataObject.h"
#include "treeview/DataTransferResults.h"

namespace {

std::vector<int> RanksFor(const TBaseDataTree& tree) {
  TFormatEtcArray formats;
  ClipboardFormatList().ListFormatsFor(tree, formats);
  std::vector<int> ranks;
  for (const TFormatEtc& format : formats)
    for (const TClipboardFormatListEntry& entry : ClipboardFormatList().Entries())
      if (entry.FormatEtc.Format == format.Format && entry.OwnerClass(tree)) ranks.push_back(entry.Rank);
  return ranks;
}

TEST(ClipboardFormatsTest, EachKindOfTreeHasItsFormatsInRankOrder) {
  TDataStringTree text(nullptr);
  TDataDrawTree draw(nullptr);
  EXPECT_EQ(RanksFor(text), (std::vector<int>{50, 80, 84, 85, 90, 95, 100}));
  TFormatEtcArray formats;
  ClipboardFormatList().ListFormatsFor(draw, formats);
  ASSERT_EQ(formats.size(), 1u);
  EXPECT_EQ(GetClipboardFormatName(formats[0].Format), "Data Tree Data");
}

TEST(ClipboardFormatsTest, StandardFormatsAreRegisteredUnderTheirNames) {
  TDataDrawTree tree(nullptr);
  // The shared resources entered format 13 through RegisterTreeFormat.
  const TClipboardFormatListEntry* entry = ClipboardFormatList().LookupFormat("unicode TEXT");
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->FormatName, "Unicode text");
  EXPECT_EQ(entry->FormatEtc.Format, 13u);
  EXPECT_EQ(entry->Rank, 95);
  // A format no tree offers, so the registry stays as the other tests expect it.
  RegisterTreeFormat(16, [](const TBaseDataTree&) { return false; }, 1000);
  entry = ClipboardFormatList().LookupFormat("Locale descriptor");
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->Rank, 1000);
}

TEST(ClipboardFormatsTest, ATreeAcceptsOnlyFormatsOfItsKind) {
  TDataDrawTree draw(nullptr);
  TDataStringTree text(nullptr);
  EXPECT_EQ(draw.ClipboardFormats().Add("CSV"), -1);
  EXPECT_EQ(draw.ClipboardFormats().Add("No such format"), -1);
  EXPECT_EQ(text.ClipboardFormats().Add("CSV"), 0);
  EXPECT_EQ(text.ClipboardFormats().Add("HTML Format"), 1);
  EXPECT_EQ(text.ClipboardFormats().Add("CSV"), 0);
  EXPECT_EQ(text.ClipboardFormats().Count(), 2);
  text.ClipboardFormats().Insert(0, "Not registered");
  EXPECT_EQ(text.ClipboardFormats().Count(), 2);
  try {
    text.ClipboardFormats().Insert(0, "Rich Text Format");
    FAIL() << "a positional insert was accepted";
  } catch (const EQuantrelError& error) {
    EXPECT_EQ(std::string(error.what()), "Operation not allowed on sorted list");
  }
}

// ---- Data object and enumerator -----------------------------------------------------------

TEST(DataObjectTest, QueriesAnswerByFormatThenMedium) {
  TDataStringTree tree(nullptr);
  tree.ClipboardFormats().Add("Data Tree Data");
  const auto dataObject = MakeCounted<TDTDataObject>(tree, false);
  const UINT csv = RegisterClipboardFormat("CSV");
  EXPECT_EQ(dataObject->QueryGetData(TFormatEtc{csv}), DV_E_FORMATETC);
  EXPECT_EQ(dataObject->QueryGetData(TFormatEtc{TBaseDataTree::TreeDataFormat(), DVASPECT_CONTENT, -1, TYMED_GDI}),
            DV_E_TYMED);
  EXPECT_EQ(dataObject->QueryGetData(TFormatEtc{TBaseDataTree::TreeDataFormat(), 4}), DV_E_DVASPECT);
  EXPECT_EQ(dataObject->QueryGetData(TFormatEtc{TBaseDataTree::TreeDataFormat()}), S_OK);
  TStgMedium medium;
  EXPECT_EQ(dataObject->GetData(TFormatEtc{csv}, medium), DV_E_FORMATETC);
  // Nothing selected: the tree data renders no block.
  EXPECT_EQ(dataObject->GetData(TFormatEtc{TBaseDataTree::TreeDataFormat()}, medium), E_FAIL);
  EXPECT_EQ(medium.Tymed, 0u);
  EXPECT_EQ(dataObject->DAdvise(), OLE_E_ADVISENOTSUPPORTED);
}

TEST(DataObjectTest, SetDataWithoutReleaseKeepsAnIndependentCopy) {
  TDataDrawTree tree(nullptr);
  const auto dataObject = MakeCounted<TDTDataObject>(tree, false);
  const TFormatEtc own{RegisterClipboardFormat("Own format")};
  TStgMedium medium;
  medium.Tymed = TYMED_HGLOBAL;
  medium.HGlobal = std::make_shared<std::vector<uint8_t>>(std::vector<uint8_t>{1, 2, 3});
  EXPECT_EQ(dataObject->SetData(own, medium, false), S_OK);
  (*medium.HGlobal)[0] = 9;
  medium.Release();
  TStgMedium result;
  ASSERT_EQ(dataObject->GetData(own, result), S_OK);
  EXPECT_EQ(*result.HGlobal, (std::vector<uint8_t>{1, 2, 3}));
  // A medium that cannot be copied is refused and its format is not offered.
  TStgMedium picture;
  picture.Tymed = TYMED_GDI;
  const TFormatEtc drawing{RegisterClipboardFormat("Drawing"), DVASPECT_CONTENT, -1, TYMED_GDI};
  EXPECT_EQ(dataObject->SetData(drawing, picture, false), DV_E_TYMED);
  EXPECT_EQ(dataObject->QueryGetData(drawing), DV_E_FORMATETC);
}

TEST(DataObjectTest, EnumeratorSkipsExactlyToTheEnd) {
  TEnumFormatEtc enumerator(TFormatEtcArray{TFormatEtc{1}, TFormatEtc{2}, TFormatEtc{3}});
  EXPECT_EQ(enumerator.Skip(2), S_OK);
  EXPECT_EQ(enumerator.Skip(2), S_FALSE);
  EXPECT_EQ(enumerator.CurrentIndex(), 2u);
  EXPECT_EQ(enumerator.Skip(1), S_OK);
  TFormatEtcArray buffer;
  size_t fetched = 7;
  EXPECT_EQ(enumerator.Next(1, buffer, &fetched), S_FALSE);
  EXPECT_EQ(fetched, 0u);
  enumerator.Reset();
  CountedPtr<TEnumFormatEtc> clone;
  EXPECT_EQ(enumerator.Clone(clone), S_OK);
  EXPECT_EQ(clone->Next(5, buffer, &fetched), S_OK);
  EXPECT_EQ(fetched, 3u);
}

TEST(DataObjectTest, ReferenceOfADestroyedTreeGivesNoSourceTree) {
  auto tree = std::make_unique<TDataDrawTree>(nullptr);
  const auto dataObject = MakeCounted<TDTDataObject>(*tree, false);
  EXPECT_EQ(TBaseDataTree::SourceTreeOf(*dataObject), tree.get());
  tree.reset();
  EXPECT_EQ(TBaseDataTree::SourceTreeOf(*dataObject), nullptr);
}

// ---- Copy, cut and paste -------------------------------------------------------------------

class ClipboardTest : public testing::Test {
protected:
  ClipboardTest() : source(nullptr), target(nullptr) {
    desktopClipboard = SetClipboardStore(&store);
    for (TDataStringTree* tree : {&source, &target}) {
      tree->ClipboardFormats().Add("Data Tree Data");
      tree->ClipboardFormats().Add("Plain text");
      Include(*tree, toMultiSelect);
      tree->OnGetText = [](TBaseDataTree* sender, PDataNode node, TColumnIndex, TDSTTextType, std::string& text) {
        text = "n" + std::to_string(node->Index) + "." + std::to_string(sender->NodeLevel(node));
      };
    }
    source.SetRootNodeCount(3);
    source.SetNodeChildCount(source.FirstRootNodeRaw(), 2);
    target.SetRootNodeCount(1);
  }
  ~ClipboardTest() override { SetClipboardStore(desktopClipboard); }

  PDataNode Top(TBaseDataTree& tree, int i) {
    PDataNode node = tree.FirstRootNodeRaw();
    while (i-- > 0) node = node->NextSibling;
    return node;
  }

  TMemoryClipboardStore store;
  IClipboardStore* desktopClipboard = nullptr;
  TDataStringTree source;
  TDataStringTree target;
};

TEST_F(ClipboardTest, CopyRendersEveryOfferedFormat) {
  source.SetNodeSelected(Top(source, 1), true);
  source.CopySelectionToClipboard();
  EXPECT_TRUE(source.TreeStates().Contains(tsCopyPending));
  EXPECT_TRUE(Top(source, 1)->Has(nsCutOrCopy));
  EXPECT_EQ(store.Text(), "n1.0\r\n");
  EXPECT_FALSE(store.Data("Data Tree Data").empty());
  EXPECT_FALSE(store.Data("Data Tree Reference").empty());
  EXPECT_TRUE(store.Data("CSV").empty());
}

TEST_F(ClipboardTest, UnicodeTextAloneGivesTheClipboardItsText) {
  source.ClipboardFormats().Clear();
  source.ClipboardFormats().Add("Unicode text");
  source.OnGetText = [](TBaseDataTree*, PDataNode, TColumnIndex, TDSTTextType, std::string& text) { text = "\xC3\xA9"; };
  source.SetNodeSelected(Top(source, 1), true);
  source.CopySelectionToClipboard();
  EXPECT_EQ(store.Text(), "\xC3\xA9\r\n");
}

TEST_F(ClipboardTest, PasteOfACopyInsertsRecordsAndKeepsTheSource) {
  source.SetNodeSelected(Top(source, 0), true);
  source.CopySelectionToClipboard();
  target.SetFocusedNode(Top(target, 0));
  std::vector<PDataNode> copied;
  target.OnNodeCopied = [&copied](TBaseDataTree*, PDataNode node) { copied.push_back(node); };
  EXPECT_TRUE(target.PasteClipboardNodes());
  EXPECT_EQ(target.RootNode()->TotalCount, 1u + 1 + 3);
  EXPECT_EQ(copied.size(), 1u);
  EXPECT_EQ(source.RootNode()->TotalCount, 6u);
  CheckTree(source);
  CheckTree(target);
}

TEST_F(ClipboardTest, CutAndPasteIntoAnotherTreeRemovesTheNodesFromTheSource) {
  source.SetNodeSelected(Top(source, 0), true);
  source.SetNodeSelected(Top(source, 2), true);
  source.CutSelectionToClipboard();
  target.SetFocusedNode(Top(target, 0));
  EXPECT_TRUE(target.PasteClipboardNodes());
  EXPECT_EQ(source.RootNode()->TotalCount, 2u);
  EXPECT_EQ(target.RootNode()->TotalCount, 2u + 3 + 1);
  EXPECT_FALSE(source.TreeStates().Contains(tsCutPending));
  CheckTree(source);
  CheckTree(target);
}

TEST_F(ClipboardTest, CutAndPasteInTheSameTreeMovesTheNodes) {
  const PDataNode moved = Top(source, 2);
  source.SetNodeSelected(moved, true);
  source.CutSelectionToClipboard();
  source.SetFocusedNode(Top(source, 0));
  EXPECT_TRUE(source.PasteClipboardNodes());
  EXPECT_EQ(source.RootNode()->TotalCount, 6u);
  EXPECT_EQ(moved->Parent, Top(source, 0));
  EXPECT_FALSE(source.TreeStates().Contains(tsCutPending));
  EXPECT_FALSE(moved->Has(nsCutOrCopy)) << "a moved node no longer shows as cut";
  const PDataNode next = Top(source, 1);
  source.UnselectAll();
  source.SetNodeSelected(next, true);
  source.CutSelectionToClipboard();
  source.SetFocusedNode(Top(source, 0)->FirstChild);
  EXPECT_TRUE(source.PasteClipboardNodes());
  EXPECT_EQ(next->Parent, Top(source, 0)->FirstChild);
  EXPECT_EQ(moved->Parent, Top(source, 0)) << "the first cut is not moved again";
  CheckTree(source);
}

TEST_F(ClipboardTest, TheEditMessagesCopyCutAndPaste) {
  source.SetNodeSelected(Top(source, 1), true);
  source.Perform(WM_COPY, 0, 0);
  EXPECT_TRUE(source.TreeStates().Contains(tsCopyPending));
  source.Perform(WM_CUT, 0, 0);
  EXPECT_TRUE(source.TreeStates().Contains(tsCutPending));
  target.SetFocusedNode(Top(target, 0));
  target.Perform(WM_PASTE, 0, 0);
  EXPECT_EQ(source.RootNodeCount(), 2u);
  EXPECT_EQ(target.RootNode()->TotalCount, 3u);
  CheckTree(source);
  CheckTree(target);
}

TEST_F(ClipboardTest, OwnersOfferAndRenderFormatsOfTheirOwn) {
  const UINT own = RegisterClipboardFormat("Variable list");
  source.OnGetUserClipboardFormats = [own](TBaseDataTree*, TFormatEtcArray& formats) {
    formats.push_back(TFormatEtc{own});
  };
  source.OnRenderOLEData = [own](TBaseDataTree*, const TFormatEtc& format, TStgMedium& medium, bool forClipboard,
                                 HRESULT& result) {
    if (format.Format != own || !forClipboard) return;
    medium.Tymed = TYMED_HGLOBAL;
    medium.HGlobal = std::make_shared<std::vector<uint8_t>>(std::vector<uint8_t>{7, 7});
    result = S_OK;
  };
  int created = 0;
  source.OnCreateDataObject = [&created](TBaseDataTree* sender, CountedPtr<IDTDataObject>& dataObject) {
    ++created;
    dataObject = MakeCounted<TDTDataObject>(*sender, true);
  };
  source.SetNodeSelected(Top(source, 1), true);
  source.CopySelectionToClipboard();
  EXPECT_EQ(created, 1);
  EXPECT_EQ(store.Data("Variable list"), (std::vector<uint8_t>{7, 7}));
  EXPECT_FALSE(store.Data("Data Tree Data").empty());
}

TEST_F(ClipboardTest, ReadOnlyTreesCopyButNeitherCutNorPaste) {
  Include(source, toReadOnly);
  source.SetNodeSelected(Top(source, 1), true);
  source.CutSelectionToClipboard();
  EXPECT_FALSE(source.TreeStates().Contains(tsCutPending));
  EXPECT_TRUE(store.Data("Data Tree Data").empty());
  source.CopySelectionToClipboard();
  EXPECT_TRUE(source.TreeStates().Contains(tsCopyPending));
  Include(target, toReadOnly);
  EXPECT_FALSE(target.PasteClipboardNodes());
  EXPECT_EQ(target.RootNode()->TotalCount, 2u);
}

TEST_F(ClipboardTest, BusyClipboardFailsPasteAndFlagsNothingOnCopy) {
  store.Busy = true;
  source.SetNodeSelected(Top(source, 1), true);
  source.CopySelectionToClipboard();
  EXPECT_FALSE(source.TreeStates().Contains(tsCopyPending));
  EXPECT_FALSE(Top(source, 1)->Has(nsCutOrCopy));
  try {
    target.PasteClipboardNodes();
    FAIL() << "no error";
  } catch (const EDataTreeError& error) {
    EXPECT_EQ(std::string(error.what()), "Clipboard operation failed.");
    EXPECT_EQ(error.HelpContext, ClipboardFailedHelp);
  }
}

TEST_F(ClipboardTest, ClearWithAPendingCutEmptiesTheClipboard) {
  source.SetNodeSelected(Top(source, 1), true);
  source.CutSelectionToClipboard();
  ASSERT_FALSE(store.Data("Data Tree Data").empty());
  source.Clear();
  EXPECT_TRUE(store.Data("Data Tree Data").empty());
  EXPECT_EQ(store.Text(), "");
}

TEST_F(ClipboardTest, RefusedCopiesAreRemovedAgain) {
  source.SetNodeSelected(Top(source, 1), true);
  source.SetNodeSelected(Top(source, 2), true);
  source.CopySelectionToClipboard();
  target.SetFocusedNode(Top(target, 0));
  int asked = 0;
  target.OnNodeCopying = [&asked](TBaseDataTree*, PDataNode, PDataNode, bool& allowed) { allowed = ++asked == 2; };
  target.DefaultPasteMode = amInsertAfter;
  EXPECT_TRUE(target.PasteClipboardNodes());
  EXPECT_EQ(target.RootNodeCount(), 2u);
  CheckTree(target);
}

TEST(OLEMemoryStreamTest, ReadsTheBlockInPlaceAndRefusesWrites) {
  const uint8_t block[] = {1, 2, 3};
  TOLEMemoryStream stream(block, sizeof block);
  uint8_t read[4] = {};
  EXPECT_EQ(stream.Read(read, 4), 3);
  EXPECT_EQ(read[2], 3);
  try {
    stream.Write(read, 1);
    FAIL() << "written";
  } catch (const EStreamError& error) {
    EXPECT_EQ(std::string(error.what()), "Can't write to a read-only resource stream");
  }
}

TEST_F(ClipboardTest, ABlockCountingMoreThanItHoldsIsRefused) {
  TDataObject contents;
  contents.SetData("Data Tree Data", {200, 0, 0, 0, 1, 2, 3});
  const auto dataObject = MakeCounted<TTransferDataObject>(std::move(contents));
  try {
    target.InsertFromDataObject(nullptr, *dataObject, nullptr, amAddChildLast, false);
    FAIL() << "inserted";
  } catch (const EDataTreeError& error) {
    EXPECT_EQ(error.HelpContext, StreamTooSmallHelp);
  }
  EXPECT_EQ(target.RootNode()->TotalCount, 2u);
  CheckTree(target);
}

// ---- Edit actions --------------------------------------------------------------------------

TEST_F(ClipboardTest, StandardEditActionsAndTheirEnabling) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 300, 200);
  source.SetParent(&form);
  source.SetBounds(0, 0, 200, 150);
  form.Show();
  source.SetFocus();
  TAction action(nullptr);
  action.EditKind = eakNone;
  EXPECT_FALSE(source.HandleEditAction(action));
  EXPECT_FALSE(source.HandleEditActionUpdate(action));

  action.EditKind = eakCopy;
  ASSERT_TRUE(source.HandleEditActionUpdate(action));
  EXPECT_FALSE(action.Enabled());
  action.EditKind = eakSelectAll;
  EXPECT_TRUE(source.HandleEditActionUpdate(action));
  EXPECT_TRUE(action.Enabled());
  EXPECT_TRUE(source.HandleEditAction(action));
  EXPECT_EQ(source.SelectionCount(), 5);
  for (TEditActionKind kind : {eakCopy, eakCut, eakDelete, eakPaste}) {
    action.EditKind = kind;
    source.HandleEditActionUpdate(action);
    EXPECT_TRUE(action.Enabled()) << kind;
  }
  action.EditKind = eakCopy;
  source.HandleEditAction(action);
  EXPECT_TRUE(source.TreeStates().Contains(tsCopyPending));
  action.EditKind = eakDelete;
  source.HandleEditAction(action);
  EXPECT_EQ(source.RootNodeCount(), 0u);
  action.EditKind = eakPaste;
  source.HandleEditAction(action);
  EXPECT_EQ(source.RootNodeCount(), 3u);
  CheckTree(source);
  source.SetParent(nullptr);
}

}  // namespace
