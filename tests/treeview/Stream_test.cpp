// Node records and tree streams: the byte layout, round trips, the old
// format, the load errors (which leave the tree as it was), seeded fuzzing
// of the reader, moving nodes, and the column and header streams.

#include <cstring>
#include <random>

#include <gtest/gtest.h>

#include "runtime/Exceptions.h"
#include "runtime/Stream.h"
#include "tests/treeview/TreeTestSupport.h"
#include "treeview/DataStringTree.h"
#include "treeview/DataTreeError.h"

namespace {

class TStreamTree : public TTestTree {
public:
  TStreamTree() {
    SetNodeDataSize(sizeof(int32_t));
    // Each node's user data is its number, carried through the user chunk.
    OnSaveNode = [](TBaseDataTree* sender, PDataNode node, TStream& stream) {
      stream.WriteInt32(*static_cast<int32_t*>(sender->NodeUserData(node)));
    };
    OnLoadNode = [this](TBaseDataTree* sender, PDataNode node, TStream& stream) {
      ++recordsRead;
      *static_cast<int32_t*>(sender->NodeUserData(node)) = stream.ReadInt32();
    };
  }

  using TTestTree::ReadNodeChunk;

  PDataNode Add(PDataNode parent, int32_t number) {
    const PDataNode node = AppendChildNode(parent);
    *static_cast<int32_t*>(NodeUserData(node)) = number;
    return node;
  }
  int32_t Number(PDataNode node) { return *static_cast<int32_t*>(NodeUserData(node)); }

  int recordsRead = 0;
};

// Level, number, states (but those of lazy initialisation), height and child count of every node, in tree order.
std::string Shape(TStreamTree& tree) {
  std::ostringstream text;
  for (PDataNode node : AllNodes(tree))
    text << tree.NodeLevel(node) << ':' << tree.Number(node) << ':' << (node->States & ~(nsInitialized | nsAllChildrenHidden)) << ':' << node->NodeHeight << ':'
         << node->ChildCount << ' ';
  return text.str();
}

// Three top-level nodes: the first expanded with two children (one of them
// hidden, one higher), the last with a child of its own.
void BuildSample(TStreamTree& tree) {
  const PDataNode first = tree.Add(nullptr, 1);
  tree.Add(first, 11);
  const PDataNode hidden = tree.LinkHiddenNode(first, amAddChildLast);
  *static_cast<int32_t*>(tree.NodeUserData(hidden)) = 12;
  tree.SetNodeRowHeight(hidden, 30);
  tree.Add(nullptr, 2);
  const PDataNode third = tree.Add(nullptr, 3);
  tree.Add(third, 31);
  tree.SetNodeExpanded(first, true);
}

TMemoryStream Saved(TStreamTree& tree, PDataNode node = nullptr) {
  TMemoryStream stream;
  tree.SaveTreeToStream(stream, node);
  stream.SetPosition(0);
  return stream;
}

int TreeErrorContext(const std::function<void()>& action) {
  try {
    action();
  } catch (const EDataTreeError& error) {
    return error.HelpContext;
  }
  return 0;
}

TEST(StreamTest, OneLeafWithoutUserDataIs49Bytes) {
  TTestTree tree;
  tree.SetRootNodeCount(1);
  TMemoryStream stream;
  tree.SaveTreeToStream(stream);
  ASSERT_EQ(stream.Size(), 49);
  const uint8_t start[] = {0x45, 0x20, 0x56, 0x00, 0x54, 0x00, 0x02, 0x00, 0x20, 0x00, 0x46, 0x20, 1, 0, 0, 0};
  EXPECT_EQ(std::memcmp(stream.Memory(), start, sizeof start), 0);
}

TEST(StreamTest, UserChunkIsLeftOutWhenTheHandlerWritesNothing) {
  TStreamTree tree;
  tree.Add(nullptr, 7);
  const int64_t withData = Saved(tree).Size();
  tree.OnSaveNode = nullptr;
  // Four data bytes and the user chunk's own 8-byte header.
  EXPECT_EQ(Saved(tree).Size(), withData - 4 - 8);
}

TEST(StreamTest, RoundTripGivesTheSameShapeThroughTheRecordReader) {
  TStreamTree source;
  BuildSample(source);
  TMemoryStream stream = Saved(source);
  TStreamTree target;
  int copied = 0;
  target.OnNodeCopied = [&copied](TBaseDataTree*, PDataNode node) {
    EXPECT_EQ(node, nullptr);
    ++copied;
  };
  target.LoadTreeFromStream(stream);
  EXPECT_EQ(Shape(target), Shape(source));
  EXPECT_EQ(target.recordsRead, 6);
  EXPECT_EQ(copied, 1);
  EXPECT_EQ(target.RootNode()->TotalHeight, source.RootNode()->TotalHeight);
  CheckTree(target);
}

TEST(StreamTest, SavingOneNodeWritesItsSubtreeOnly) {
  TStreamTree source;
  BuildSample(source);
  TMemoryStream stream = Saved(source, source.FirstRootNodeRaw());
  TStreamTree target;
  target.LoadTreeFromStream(stream);
  EXPECT_EQ(target.RootNodeCount(), 1u);
  EXPECT_EQ(target.RootNode()->TotalCount, 4u);
  CheckTree(target);
}

TEST(StreamTest, HandlerReadingLessThanItsChunkLeavesTheStreamAfterIt) {
  TStreamTree source;
  BuildSample(source);
  source.OnSaveNode = [](TBaseDataTree* sender, PDataNode node, TStream& stream) {
    stream.WriteInt32(*static_cast<int32_t*>(sender->NodeUserData(node)));
    stream.WriteInt32(-1);
  };
  TMemoryStream stream = Saved(source);
  TStreamTree target;
  target.LoadTreeFromStream(stream);
  EXPECT_EQ(Shape(target), Shape(source));
  CheckTree(target);
}

TEST(StreamTest, HandlerCannotReadPastItsChunk) {
  TStreamTree source;
  source.Add(nullptr, 1);
  source.Add(nullptr, 2);
  TMemoryStream stream = Saved(source);
  TStreamTree target;
  std::vector<int64_t> read;
  target.OnLoadNode = [&read](TBaseDataTree*, PDataNode, TStream& stream) {
    char buffer[64];
    read.push_back(stream.Read(buffer, sizeof buffer));
  };
  target.LoadTreeFromStream(stream);
  EXPECT_EQ(read, (std::vector<int64_t>{4, 4}));
  EXPECT_EQ(target.RootNodeCount(), 2u);
}

// A stream of version 1: no count, 12-byte base bodies with one-byte states.
TMemoryStream VersionOneStream(int records) {
  TMemoryStream stream;
  const uint8_t header[] = {0x45, 0x20, 0x56, 0x00, 0x54, 0x00, 0x01, 0x00, 0x20, 0x00, 0x46, 0x20};
  stream.WriteBuffer(header, sizeof header);
  for (int i = 0; i < records; ++i) {
    stream.WriteInt32(1);
    stream.WriteInt32(8 + 12);
    stream.WriteInt32(2);
    stream.WriteInt32(12);
    stream.WriteInt32(0);
    stream.WriteInt32(20);
    // Initialised, and selected in the old layout's bit 7.
    const uint8_t rest[] = {static_cast<uint8_t>(nsInitialized | (i == 1 ? 0x80 : 0)), 50, 0, 0};
    stream.WriteBuffer(rest, sizeof rest);
  }
  stream.SetPosition(0);
  return stream;
}

TEST(StreamTest, VersionOneLoadsToTheEndWithOldSelectedBitAndEveryNodeVisible) {
  TStreamTree tree;
  tree.OnLoadNode = nullptr;
  Include(tree, toMultiSelect);
  TMemoryStream stream = VersionOneStream(3);
  tree.LoadTreeFromStream(stream);
  ASSERT_EQ(tree.RootNodeCount(), 3u);
  const std::vector<PDataNode> nodes = AllNodes(tree);
  for (PDataNode node : nodes) {
    EXPECT_TRUE(node->Has(nsVisible));
    EXPECT_EQ(node->NodeHeight, 20);
  }
  EXPECT_EQ(tree.Selection(), TNodeArray{nodes[1]});
  EXPECT_EQ(tree.VisibleCount(), 3u);
  CheckTree(tree);
}

TEST(StreamTest, UninitializedNodeWithChildrenDoesNotSwallowItsSiblings) {
  TTestTree source;
  source.TreeOptions().SetMiscOptions(source.TreeOptions().MiscOptions() - TDTMiscOptions{toInitOnSave});
  source.SetRootNodeCount(2);
  source.SetNodeChildCount(source.FirstRootNodeRaw(), 2);
  ASSERT_FALSE(source.FirstRootNodeRaw()->Has(nsInitialized));
  TMemoryStream stream;
  source.SaveTreeToStream(stream);
  stream.SetPosition(0);
  TTestTree target;
  target.LoadTreeFromStream(stream);
  EXPECT_EQ(target.RootNodeCount(), 2u);
  EXPECT_EQ(target.FirstRootNodeRaw()->ChildCount, 0u);
  CheckTree(target);
}

TEST(StreamTest, InitOnSaveInitialisesNodesAndChildrenBeforeWriting) {
  TTestTree source;
  Include(source, toInitOnSave);
  source.OnInitNode = [](TBaseDataTree* sender, PDataNode, PDataNode node, TDataNodeInitStates& states) {
    if (sender->NodeLevel(node) == 0) states.Include(ivsHasChildren);
  };
  source.OnInitChildren = [](TBaseDataTree*, PDataNode, unsigned& count) { count = 2; };
  source.SetRootNodeCount(2);
  TMemoryStream stream;
  source.SaveTreeToStream(stream);
  stream.SetPosition(0);
  TTestTree target;
  target.LoadTreeFromStream(stream);
  EXPECT_EQ(target.RootNode()->TotalCount, 7u);
  CheckTree(target);
}

TEST(StreamTest, LoadingALowerSubtreeIntoANodeShrinksTheParent) {
  TStreamTree small;
  small.Add(nullptr, 5);
  TMemoryStream record;
  small.WriteNodeChunk(record, small.FirstRootNodeRaw());
  record.SetPosition(0);

  TStreamTree tree;
  const PDataNode parent = tree.Add(nullptr, 1);
  const PDataNode node = tree.Add(parent, 2);
  tree.SetNodeExpanded(parent, true);
  tree.SetNodeRowHeight(node, 60);
  const unsigned before = parent->TotalHeight;
  tree.LoadNodeFromStream(record, 2, node);
  EXPECT_EQ(parent->TotalHeight, before - 60 + 18);
  EXPECT_EQ(tree.Number(node), 5);
  CheckTree(tree);
}

TEST(StreamTest, LoadErrorsLeaveTheTreeAsItWas) {
  TStreamTree source;
  BuildSample(source);
  TMemoryStream good = Saved(source);
  const auto bytes = [&good](size_t count) {
    return std::vector<uint8_t>(good.Memory(), good.Memory() + std::min<size_t>(count, good.Size()));
  };
  std::vector<uint8_t> wrongMagic = bytes(good.Size());
  wrongMagic[2] = 'X';
  std::vector<uint8_t> version3 = bytes(good.Size());
  version3[6] = 3;
  std::vector<uint8_t> notANodeChunk = bytes(good.Size());
  notANodeChunk[16] = 9;
  std::vector<uint8_t> subChunkTooLong = bytes(good.Size());
  subChunkTooLong[28] = 0x7F;
  const struct {
    const char* name;
    std::vector<uint8_t> data;
    int helpContext;
  } cases[] = {
      {"11 bytes", bytes(11), StreamTooSmallHelp},
      {"header without count", bytes(13), StreamTooSmallHelp},
      {"wrong magic", wrongMagic, WrongStreamFormatHelp},
      {"version 3", version3, WrongStreamVersionHelp},
      {"record cut short", bytes(good.Size() - 3), StreamTooSmallHelp},
      {"not a node chunk", notANodeChunk, AnchorChunkMissingHelp},
      {"sub-chunk past its node", subChunkTooLong, DataAfterNodeEndHelp},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.name);
    TStreamTree tree;
    tree.Add(nullptr, 99);
    const std::string before = Shape(tree);
    TMemoryStream stream;
    stream.WriteBuffer(test.data.data(), static_cast<int64_t>(test.data.size()));
    stream.SetPosition(0);
    EXPECT_EQ(TreeErrorContext([&] { tree.LoadTreeFromStream(stream); }), test.helpContext);
    EXPECT_EQ(Shape(tree), before);
    CheckTree(tree);
  }
}

TEST(StreamTest, RecordFailingInItsHandlerIsRemovedAgain) {
  TStreamTree source;
  BuildSample(source);
  TMemoryStream record;
  source.WriteNodeChunk(record, source.FirstRootNodeRaw());
  record.SetPosition(0);
  TStreamTree tree;
  tree.Add(nullptr, 1);
  const std::string before = Shape(tree);
  tree.OnLoadNode = [](TBaseDataTree*, PDataNode node, TStream&) {
    if (node->ChildCount == 0 && node->Parent->Parent) throw EStreamError("refused");
  };
  const PDataNode node = tree.AppendChildNode();
  EXPECT_THROW(tree.LoadNodeFromStream(record, 2, node), EStreamError);
  EXPECT_EQ(Shape(tree), before);
  CheckTree(tree);
}

TEST(StreamTest, TextTreeCaptionsReachOnNewTextForTheMainColumn) {
  TDataStringTree source(nullptr);
  source.SetRootNodeCount(2);
  source.SetNodeChildCount(source.FirstRootNodeRaw(), 1);
  source.OnGetText = [](TBaseDataTree* sender, PDataNode node, TColumnIndex, TDSTTextType, std::string& text) {
    text = "n\xC3\xA9" + std::to_string(sender->NodeLevel(node)) + "-" + std::to_string(node->Index);
  };
  TMemoryStream stream;
  source.SaveTreeToStream(stream);
  stream.SetPosition(0);
  TDataStringTree target(nullptr);
  std::vector<std::string> captions;
  target.OnNewText = [&captions](TBaseDataTree*, PDataNode, TColumnIndex column, const std::string& text) {
    EXPECT_EQ(column, ColumnNone);
    captions.push_back(text);
  };
  target.LoadTreeFromStream(stream);
  // The caption chunk follows the base chunk with the children's records.
  EXPECT_EQ(captions, (std::vector<std::string>{"n\xC3\xA9" "1-0", "n\xC3\xA9" "0-0", "n\xC3\xA9" "0-1"}));
  CheckTree(target);
}

TEST(StreamTest, OddCaptionLengthIsCorrupt) {
  TDataStringTree source(nullptr);
  source.SetRootNodeCount(1);
  TMemoryStream stream;
  source.SaveTreeToStream(stream);
  // The caption chunk closes the record: make its length odd and the record a byte longer.
  stream.SetPosition(stream.Size());
  const uint8_t extra = 0;
  stream.WriteBuffer(&extra, 1);
  const int64_t captionHeader = 16 + 8 + 8 + 17;
  stream.SetPosition(captionHeader + 4);
  stream.WriteInt32(9);
  stream.SetPosition(20);
  stream.WriteInt32(8 + 17 + 8 + 9);
  stream.SetPosition(0);
  TDataStringTree target(nullptr);
  EXPECT_EQ(TreeErrorContext([&] { target.LoadTreeFromStream(stream); }), AnchorChunkMissingHelp);
}

TEST(StreamTest, LoadTreeFromFileReadsWhatWasSaved) {
  TStreamTree source;
  BuildSample(source);
  const std::string fileName = testing::TempDir() + "/stream_test.tree";
  {
    TFileStream file(fileName, fmCreate);
    source.SaveTreeToStream(file);
  }
  TStreamTree target;
  target.LoadTreeFromFile(fileName);
  EXPECT_EQ(Shape(target), Shape(source));
  EXPECT_THROW(target.LoadTreeFromFile(fileName + ".missing"), EQuantrelError);
  EXPECT_EQ(Shape(target), Shape(source));
}

// Thousands of mutations of valid streams: each loads with a sound tree or
// raises a load error and changes nothing.
TEST(StreamTest, FuzzedStreamsLoadSoundlyOrChangeNothing) {
  std::mt19937 random(20261210);
  const auto number = [&random](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
  TStreamTree source;
  Include(source, toMultiSelect);
  for (int i = 0; i < 12; ++i) {
    const std::vector<PDataNode> nodes = AllNodes(source);
    const PDataNode parent = nodes.empty() || number(0, 2) == 0 ? nullptr : nodes[static_cast<size_t>(number(0, static_cast<int>(nodes.size()) - 1))];
    source.Add(parent, i);
    if (parent && number(0, 1)) source.SetNodeExpanded(parent, true);
  }
  source.SetNodeSelected(AllNodes(source)[3], true);
  TMemoryStream good = Saved(source);
  const std::vector<uint8_t> original(good.Memory(), good.Memory() + good.Size());

  TStreamTree tree;
  Include(tree, toMultiSelect);
  tree.Add(nullptr, 100);
  tree.Add(tree.FirstRootNodeRaw(), 101);
  int loaded = 0;
  for (int run = 0; run < 3000; ++run) {
    std::vector<uint8_t> data = original;
    const int kind = number(0, 4);
    if (kind == 0) {
      data.resize(static_cast<size_t>(number(0, static_cast<int>(data.size()))));
    } else if (kind <= 2) {
      for (int flips = number(1, 4); flips > 0; --flips)
        data[static_cast<size_t>(number(0, static_cast<int>(data.size()) - 1))] ^= static_cast<uint8_t>(1 << number(0, 7));
    } else {
      // A size or count field replaced by a negative, huge or odd value.
      static const int32_t values[] = {-1, -8, 0x7FFFFFFF, 0x40000000, 3, 1, 65536, 1000000};
      const size_t at = 12 + 4 * static_cast<size_t>(number(0, static_cast<int>(data.size() - 16) / 4));
      const int32_t value = values[number(0, 7)];
      std::memcpy(data.data() + at, &value, 4);
    }
    TMemoryStream stream;
    stream.WriteBuffer(data.data(), static_cast<int64_t>(data.size()));
    stream.SetPosition(0);
    const std::string before = Shape(tree);
    const bool asRecord = run % 2 == 1;
    try {
      if (asRecord) {
        stream.SetPosition(16);
        tree.LoadNodeFromStream(stream, 2, tree.AppendChildNode(tree.FirstRootNodeRaw()));
      } else {
        tree.LoadTreeFromStream(stream);
      }
      ++loaded;
    } catch (const EDataTreeError&) {
      ASSERT_EQ(Shape(tree), before) << "run " << run;
    } catch (const ERangeError&) {
      ASSERT_EQ(Shape(tree), before) << "run " << run;
    } catch (const EStreamError&) {
      // The user chunk's own reader ran out of its chunk: that record was removed again.
      ASSERT_EQ(Shape(tree), before) << "run " << run;
    }
    const std::string fault = TreeFaults(tree);
    ASSERT_EQ(fault, "") << "run " << run;
    if (tree.RootNode()->TotalCount > 400) {
      tree.Clear();
      tree.Add(nullptr, 100);
    }
  }
  EXPECT_GT(loaded, 100);
}

// ---- Moving -----------------------------------------------------------------------

class MoveTest : public testing::Test {
protected:
  void SetUp() override { BuildSample(tree); }
  PDataNode TopNode(int i) {
    PDataNode node = tree.FirstRootNodeRaw();
    while (i-- > 0) node = node->NextSibling;
    return node;
  }
  std::vector<int32_t> Numbers(TStreamTree& of) {
    std::vector<int32_t> numbers;
    for (PDataNode node : AllNodes(of)) numbers.push_back(of.Number(node));
    return numbers;
  }
  TStreamTree tree;
};

TEST_F(MoveTest, ParentOntoItsOwnChildIsRefused) {
  const std::string before = Shape(tree);
  EXPECT_EQ(TreeErrorContext([&] { tree.MoveNodeTo(TopNode(0), TopNode(0)->FirstChild, amAddChildLast, false); }),
            TargetBelowSourceHelp);
  EXPECT_EQ(Shape(tree), before);
  CheckTree(tree);
}

TEST_F(MoveTest, NodeOntoItselfDoesNothing) {
  const std::string before = Shape(tree);
  tree.MoveNodeTo(TopNode(1), TopNode(1), amAddChildLast, false);
  EXPECT_EQ(Shape(tree), before);
}

TEST_F(MoveTest, WithinTheTreeByEveryMode) {
  const struct {
    TDTNodeAttachMode mode;
    std::vector<int32_t> numbers;
  } cases[] = {
      {amInsertBefore, {3, 31, 1, 11, 12, 2}},
      {amInsertAfter, {1, 11, 12, 3, 31, 2}},
      {amAddChildFirst, {1, 3, 31, 11, 12, 2}},
      {amAddChildLast, {1, 11, 12, 3, 31, 2}},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.mode);
    TStreamTree fresh;
    BuildSample(fresh);
    const PDataNode first = fresh.FirstRootNodeRaw();
    fresh.MoveNodeTo(first->NextSibling->NextSibling, first, test.mode, false);
    EXPECT_EQ(Numbers(fresh), test.numbers);
    CheckTree(fresh);
  }
}

TEST_F(MoveTest, ChildrenOnlyKeepTheirOrder) {
  tree.MoveNodeTo(TopNode(0), TopNode(1), amAddChildFirst, true);
  EXPECT_EQ(Numbers(tree), (std::vector<int32_t>{1, 2, 11, 12, 3, 31}));
  CheckTree(tree);
  tree.MoveNodeTo(TopNode(1), TopNode(1), amInsertAfter, true);
  EXPECT_EQ(Numbers(tree), (std::vector<int32_t>{1, 2, 11, 12, 3, 31}));
  CheckTree(tree);
}

TEST_F(MoveTest, RefusedByOnNodeMovingChangesNothing) {
  tree.OnNodeMoving = [](TBaseDataTree*, PDataNode, PDataNode, bool& allowed) { allowed = false; };
  const std::string before = Shape(tree);
  tree.MoveNodeTo(TopNode(2), TopNode(0), amInsertBefore, false);
  EXPECT_EQ(Shape(tree), before);
}

TEST_F(MoveTest, ToAnotherTreeThroughTheRecordReader) {
  TStreamTree other;
  other.Add(nullptr, 50);
  std::vector<PDataNode> moved;
  tree.OnNodeMoved = [&moved](TBaseDataTree*, PDataNode node) { moved.push_back(node); };
  tree.MoveNodeTo(TopNode(0), other.FirstRootNodeRaw(), amInsertAfter, false);
  EXPECT_EQ(Numbers(other), (std::vector<int32_t>{50, 1, 11, 12}));
  EXPECT_EQ(Numbers(tree), (std::vector<int32_t>{2, 3, 31}));
  EXPECT_EQ(other.recordsRead, 3);
  ASSERT_EQ(moved.size(), 1u);
  EXPECT_EQ(moved[0], other.FirstRootNodeRaw()->NextSibling);
  CheckTree(tree);
  CheckTree(other);
  tree.MoveNodeTo(TopNode(1), other.FirstRootNodeRaw(), amAddChildFirst, true);
  EXPECT_EQ(Numbers(other), (std::vector<int32_t>{50, 31, 1, 11, 12}));
  CheckTree(tree);
  CheckTree(other);
}

TEST_F(MoveTest, SourceNodeOfAnotherTreeIsRefused) {
  TStreamTree other;
  other.Add(nullptr, 50);
  try {
    tree.MoveNodeTo(other.FirstRootNodeRaw(), TopNode(0), amInsertAfter, false);
    FAIL() << "no assertion";
  } catch (const EQuantrelError& error) {
    EXPECT_NE(std::string(error.what()).find("The source tree must contain the source node."), std::string::npos);
  }
}

// ---- Columns and header -------------------------------------------------------------

void AddWorkspaceColumns(TTestTree& tree) {
  TDataTreeColumns& columns = tree.Header().Columns();
  const char* texts[] = {" Name ", " Value ", " Type "};
  const int widths[] = {96, 192, 96};
  for (int i = 0; i < 3; ++i) {
    TDataTreeColumn& column = columns.AddColumn();
    column.SetMinWidth(64);
    column.SetWidth(widths[i]);
    column.SetText(texts[i]);
  }
  columns.ColumnAt(1).Hint = "h\xC3\xA9";
  columns.ColumnAt(2).Tag = 7;
  columns.ColumnAt(2).SetAlignment(taRightJustify);
  columns.SetColumnPosition(2, 0);
  tree.Header().SetAutoSizeIndex(1);
  tree.Header().SetMainColumn(1);
  tree.Header().SetSortColumn(2);
  tree.Header().SetSortDirection(sdDescending);
  tree.Header().SetHeight(23);
  tree.Header().Font().SetName("Arial");
}

TEST(HeaderStreamTest, WorkspaceHeaderRoundTrips) {
  TTestTree source;
  AddWorkspaceColumns(source);
  TMemoryStream stream;
  source.Header().WriteToStream(stream);
  stream.SetPosition(0);
  EXPECT_EQ(stream.ReadInt32(), -1);
  EXPECT_EQ(stream.ReadInt32(), 3);
  stream.SetPosition(0);
  TTestTree target;
  target.Header().ReadFromStream(stream);
  EXPECT_EQ(stream.Position(), stream.Size());
  EXPECT_TRUE(target.Header().Columns().SameAs(source.Header().Columns()));
  EXPECT_EQ(target.Header().Columns().ColumnAt(1).Hint, "h\xC3\xA9");
  EXPECT_EQ(target.Header().MainColumn(), 1);
  EXPECT_EQ(target.Header().SortColumn(), 2);
  EXPECT_EQ(target.Header().SortDirection(), sdDescending);
  EXPECT_EQ(target.Header().Height(), 23);
  EXPECT_EQ(target.Header().Font().Name(), "Arial");
  EXPECT_FALSE(target.Header().States().Contains(hdLoading));
  CheckTree(target);
}

TEST(HeaderStreamTest, OldColumnOptionsAreConverted) {
  // Old layout: bit 4 resizable, bit 6 visible, and no parent bidi mode before them.
  EXPECT_EQ(ConvertColumnOptions(1 << 4 | 1 << 6, 0), (TDTColumnOptions{coResizable, coVisible}));
  EXPECT_EQ(ConvertColumnOptions(1 << 4 | 1 << 6 | 1, 1), (TDTColumnOptions{coAllowClick, coResizable, coVisible}));
  const TDTColumnOptions low8{coAllowClick, coDraggable, coEnabled, coParentBidiMode,
                              coParentColor, coResizable, coShowDropMark, coVisible};
  EXPECT_EQ(ConvertColumnOptions(0x3FF, 2), low8);
  EXPECT_EQ(ConvertColumnOptions(0x3FF, 3), (low8 + TDTColumnOptions{coAutoSpring, coFixed}));
  EXPECT_THROW(ConvertColumnOptions(-1, 3), ERangeError);
}

TEST(HeaderStreamTest, StreamWithoutLeadingMinusOneIsTheOldestFormat) {
  TTestTree source;
  AddWorkspaceColumns(source);
  TMemoryStream full;
  source.Header().WriteToStream(full);
  // The oldest format: no version, columns without tag, alignment and colour, no main or sort column.
  TMemoryStream oldest;
  full.SetPosition(8);
  oldest.WriteInt32(full.ReadInt32());
  for (int i = 0; i < 3; ++i) {
    for (int text = 0; text < 2; ++text) {
      const int32_t length = full.ReadInt32();
      oldest.WriteInt32(length);
      if (length > 0) oldest.CopyFrom(full, 2 * length);
    }
    oldest.CopyFrom(full, 4 * 10);
    full.Seek(3 * 4, soCurrent);
  }
  oldest.CopyFrom(full, full.Size() - full.Position() - 12);
  oldest.SetPosition(0);
  TTestTree target;
  target.Header().ReadFromStream(oldest);
  EXPECT_EQ(oldest.Position(), oldest.Size());
  ASSERT_EQ(target.Header().Columns().Count(), 3);
  EXPECT_EQ(target.Header().Columns().ColumnAt(2).Tag, 0);
  EXPECT_EQ(target.Header().Columns().ColumnAt(2).Alignment(), taLeftJustify);
  EXPECT_NE(target.Header().MainColumn(), 1);
  EXPECT_EQ(target.Header().SortColumn(), ColumnNone);
}

TEST(HeaderStreamTest, NegativeHeightIsARangeErrorAndLoadingEnds) {
  TTestTree source;
  TMemoryStream stream;
  source.Header().WriteToStream(stream);
  stream.SetPosition(4 * 5);
  stream.WriteInt32(-3);
  stream.SetPosition(0);
  TTestTree target;
  EXPECT_THROW(target.Header().ReadFromStream(stream), ERangeError);
  EXPECT_FALSE(target.Header().States().Contains(hdLoading));
  EXPECT_EQ(target.Header().Height(), 17);
}

}  // namespace
