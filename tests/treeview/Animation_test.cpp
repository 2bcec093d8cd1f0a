// The slide of expanding and collapsing: the stepped runner on the fake
// clock, the step's pixels and the toggles that use them.

#include <stdexcept>
#include <vector>

#include <gtest/gtest.h>

#include "tests/treeview/TreeTestSupport.h"
#include "toolkit/controls/Form.h"
#include "toolkit/gdi/Color.h"
#include "toolkit/gdi/Gdi.h"
#include "toolkit/gdi/GdiObject.h"
#include "toolkit/win/Paint.h"

namespace {

struct TCall {
  int Step, StepSize;
  bool operator==(const TCall&) const = default;
};

class TAnimatedTree : public TTestTree {
public:
  using TBaseDataTree::AnimationStep;
  using TBaseDataTree::TToggleAnimationData;
};

class AnimationTest : public testing::Test {
protected:
  AnimationTest() : form(nullptr) {
    tree.SetParent(&form);
    tree.SetBounds(0, 0, 200, 200);
    tree.HandleNeeded();
    tree.AnimationWait = [this](unsigned milliseconds) {
      waited += milliseconds;
      time.Clock.Advance(milliseconds * slowness);
    };
  }
  ~AnimationTest() override { tree.SetParent(nullptr); }

  // Runs an animation that records its calls and answers Continue while fewer than StopAfter were made.
  std::vector<TCall> Run(unsigned steps, unsigned duration, size_t stopAfter = SIZE_MAX) {
    std::vector<TCall> calls;
    tree.RunAnimation(
        steps, duration,
        [&](int step, int stepSize, void*) {
          calls.push_back({step, stepSize});
          return calls.size() < stopAfter;
        },
        nullptr);
    return calls;
  }

  TFakeClockScope time;
  TForm form;
  TAnimatedTree tree;
  uint64_t waited = 0;
  unsigned slowness = 1;
};

TEST_F(AnimationTest, StepsArePacedByTheClockWithoutSpinning) {
  const uint64_t start = time.Clock.Milliseconds();
  const std::vector<TCall> calls = Run(10, 100);
  std::vector<TCall> expected;
  for (int step = 0; step < 10; ++step) expected.push_back({step, 1});
  expected.push_back({0, 0});
  EXPECT_EQ(calls, expected);
  EXPECT_EQ(time.Clock.Milliseconds() - start, 100u) << "ten steps of 10 ms";
  EXPECT_EQ(waited, 100u);
  EXPECT_FALSE(tree.TreeStates().Contains(tsInAnimation));
}

TEST_F(AnimationTest, StopsAtTheDurationWhenStepsRunLate) {
  slowness = 4;  // every wait overshoots: the animation runs out of time
  const uint64_t start = time.Clock.Milliseconds();
  const std::vector<TCall> calls = Run(50, 100);
  EXPECT_LE(time.Clock.Milliseconds() - start, 4 * 100u);
  EXPECT_LT(calls.size(), 50u);
  EXPECT_EQ(calls.back(), (TCall{0, 0}));
}

TEST_F(AnimationTest, MoreStepsThanMillisecondsWidenTheSteps) {
  const std::vector<TCall> calls = Run(300, 100);
  ASSERT_GT(calls.size(), 1u);
  EXPECT_EQ(calls.front(), (TCall{0, 3}));
  EXPECT_EQ(calls.size(), 101u) << "one step per millisecond, then the final call";
}

TEST_F(AnimationTest, EndsEarlyRefusesNestingAndZeroDuration) {
  EXPECT_TRUE(Run(10, 0).empty()) << "duration 0: not even the final call";
  EXPECT_EQ(Run(10, 100, 3).size(), 4u) << "three steps, the last answered false, then the final call";
  std::vector<TCall> inner;
  tree.RunAnimation(
      5, 50,
      [&](int, int, void*) {
        inner = Run(5, 50);
        return false;
      },
      nullptr);
  EXPECT_TRUE(inner.empty()) << "no animation while one runs";
}

TEST_F(AnimationTest, LeavesTheAnimationStateOnFailure) {
  EXPECT_THROW(tree.RunAnimation(
                   5, 50, [](int, int, void*) -> bool { throw std::runtime_error("step failed"); }, nullptr),
               std::runtime_error);
  EXPECT_FALSE(tree.TreeStates().Contains(tsInAnimation));
  EXPECT_EQ(Run(2, 20).size(), 3u);
}

TEST_F(AnimationTest, AStepMovesTheAreaAndTheFirstClearsTheUncoveredStripe) {
  const HDC dc = GetDC(tree.Handle());
  const HBRUSH red = CreateSolidBrush(clRed);
  const HBRUSH blue = CreateSolidBrush(clBlue);
  FillRect(dc, Rect(0, 0, 200, 200), blue);
  SetPixel(dc, 10, 50, clLime);
  TAnimatedTree::TToggleAnimationData data{dc, red, Rect(0, 40, 200, 190), true};
  EXPECT_TRUE(tree.AnimationStep(0, 5, &data));
  EXPECT_EQ(GetPixel(dc, 10, 55), clLime) << "expanding moves the area down";
  EXPECT_EQ(GetPixel(dc, 10, 42), clRed) << "the uncovered stripe is cleared";
  EXPECT_EQ(GetPixel(dc, 10, 38), clBlue) << "above the area nothing changes";
  data.Expand = false;
  EXPECT_TRUE(tree.AnimationStep(1, 5, &data));
  EXPECT_EQ(GetPixel(dc, 10, 50), clLime) << "collapsing moves it up";
  EXPECT_TRUE(tree.AnimationStep(0, 0, &data)) << "the final call moves nothing";
  EXPECT_EQ(GetPixel(dc, 10, 50), clLime);
  DeleteObject(red);
  DeleteObject(blue);
  ReleaseDC(tree.Handle(), dc);
}

TEST_F(AnimationTest, AnimatedTogglesEndLikePlainOnes) {
  TTestTree plain;
  for (TBaseDataTree* each : {static_cast<TBaseDataTree*>(&tree), static_cast<TBaseDataTree*>(&plain)}) {
    each->SetRootNodeCount(6);
    each->SetNodeChildCount(each->RootNode()->FirstChild->NextSibling, 4);
  }
  plain.SetParent(&form);
  plain.SetBounds(0, 0, 200, 200);
  Include(tree, toAnimatedToggle);
  for (int round = 0; round < 2; ++round) {
    for (TBaseDataTree* each : {static_cast<TBaseDataTree*>(&tree), static_cast<TBaseDataTree*>(&plain)})
      each->ToggleExpanded(each->RootNode()->FirstChild->NextSibling);
    EXPECT_GT(waited, 0u) << "the slide ran";
    EXPECT_LE(waited, tree.AnimationDuration());
    EXPECT_EQ(tree.VisibleCount(), plain.VisibleCount());
    EXPECT_EQ(tree.RangeY(), plain.RangeY());
    EXPECT_EQ(AllNodes(tree).size(), AllNodes(plain).size());
    EXPECT_FALSE(tree.TreeStates().Contains(tsInAnimation));
    CheckTree(tree);
    waited = 0;
  }
  plain.SetParent(nullptr);
}

TEST_F(AnimationTest, NoSlideInsideUpdatesOrWithoutTheOption) {
  tree.SetRootNodeCount(3);
  const PDataNode node = tree.RootNode()->FirstChild;
  tree.SetNodeChildCount(node, 3);
  tree.ToggleExpanded(node);
  tree.ToggleExpanded(node);
  EXPECT_EQ(waited, 0u) << "toAnimatedToggle is off";
  Include(tree, toAnimatedToggle);
  tree.BeginUpdate();
  tree.ToggleExpanded(node);
  tree.ToggleExpanded(node);
  tree.EndUpdate();
  EXPECT_EQ(waited, 0u) << "inside an update";
  tree.ExpandAll(nullptr);
  EXPECT_EQ(waited, 0u) << "bulk expanding";
  CheckTree(tree);
}

}  // namespace
