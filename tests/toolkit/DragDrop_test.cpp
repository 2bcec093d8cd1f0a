#include "toolkit/win/DragDrop.h"

#include <gtest/gtest.h>

#include "tests/toolkit/ToolkitTestSupport.h"
#include "toolkit/controls/Form.h"
#include "toolkit/qt/SyntheticInput.h"

namespace {

const std::string TreeFormat = "Data Tree Data";

// Records each event as a line and answers Effect.
class TRecordingTarget : public IDropTarget {
public:
  DWORD DragEnter(const TDataObject& data, DWORD keyState, TPoint, DWORD) override {
    Events.push_back("enter " + Text(data) + " " + std::to_string(keyState));
    return Effect;
  }
  DWORD DragOver(DWORD keyState, TPoint, DWORD) override {
    Events.push_back("over " + std::to_string(keyState));
    return Effect;
  }
  void DragLeave() override { Events.push_back("leave"); }
  DWORD Drop(const TDataObject& data, DWORD keyState, TPoint, DWORD) override {
    Events.push_back("drop " + Text(data) + " " + std::to_string(keyState));
    return Effect;
  }

  static std::string Text(const TDataObject& data) {
    const auto bytes = data.Data(TreeFormat);
    return {bytes.begin(), bytes.end()};
  }

  std::vector<std::string> Events;
  DWORD Effect = DROPEFFECT_COPY;
};

class DragDropTest : public testing::Test {
protected:
  DragDropTest() {
    data_.SetData(TreeFormat, {'n', 'o', 'd', 'e'});
    for (TForm* form : {&first_, &second_}) {
      form->SetBounds(form == &first_ ? 0 : 300, 0, 200, 150);
      form->Show();
    }
    ProcessEverything();
    EXPECT_TRUE(RegisterDragDrop(first_.Handle(), &firstTarget_));
    EXPECT_TRUE(RegisterDragDrop(second_.Handle(), &secondTarget_));
  }
  ~DragDropTest() override {
    RevokeDragDrop(first_.Handle());
    RevokeDragDrop(second_.Handle());
  }

  DWORD Drag(TForm& form, TSyntheticDrag action, TInputModifiers modifiers = {}) {
    return SynthesizeDrag(form.Handle(), {50, 60}, action, data_, DROPEFFECT_COPY | DROPEFFECT_MOVE, modifiers);
  }

  TDataObject data_;
  TForm first_{nullptr};
  TForm second_{nullptr};
  TRecordingTarget firstTarget_;
  TRecordingTarget secondTarget_;
};

TEST_F(DragDropTest, ARegisteredWindowGetsEnterOverAndDropWithTheBytesAndKeys) {
  const std::string left = std::to_string(MK_LBUTTON);
  const std::string leftControl = std::to_string(MK_LBUTTON | MK_CONTROL);
  EXPECT_EQ(Drag(first_, TSyntheticDrag::Enter), DROPEFFECT_COPY);
  EXPECT_EQ(Drag(first_, TSyntheticDrag::Move, {.Control = true}), DROPEFFECT_COPY);
  EXPECT_EQ(Drag(first_, TSyntheticDrag::Drop, {.Control = true}), DROPEFFECT_COPY);
  EXPECT_EQ(firstTarget_.Events, (std::vector<std::string>{"enter node " + left, "over " + leftControl,
                                                             "drop node " + leftControl}));
  EXPECT_TRUE(secondTarget_.Events.empty());
}

TEST_F(DragDropTest, AnAnswerOfNoneRefusesTheDrop) {
  firstTarget_.Effect = DROPEFFECT_NONE;
  EXPECT_EQ(Drag(first_, TSyntheticDrag::Enter), DROPEFFECT_NONE);
  EXPECT_EQ(Drag(first_, TSyntheticDrag::Move), DROPEFFECT_NONE);
  EXPECT_EQ(Drag(first_, TSyntheticDrag::Drop), DROPEFFECT_NONE);
  ASSERT_EQ(firstTarget_.Events.size(), 3u);
  EXPECT_EQ(firstTarget_.Events.back(), "leave") << "a refused drop ends with a leave";
}

TEST_F(DragDropTest, AnEffectTheSourceDoesNotAllowIsRefused) {
  firstTarget_.Effect = DROPEFFECT_LINK;
  EXPECT_EQ(Drag(first_, TSyntheticDrag::Enter), DROPEFFECT_NONE);
}

TEST_F(DragDropTest, MovingToAnotherWindowLeavesTheFirst) {
  Drag(first_, TSyntheticDrag::Enter);
  Drag(first_, TSyntheticDrag::Move);
  Drag(second_, TSyntheticDrag::Enter);
  EXPECT_EQ(firstTarget_.Events.back(), "leave");
  EXPECT_EQ(secondTarget_.Events.size(), 1u);
  Drag(second_, TSyntheticDrag::Leave);
  EXPECT_EQ(secondTarget_.Events.back(), "leave");
  EXPECT_EQ(std::count(firstTarget_.Events.begin(), firstTarget_.Events.end(), "leave"), 1);
}

TEST_F(DragDropTest, ARevokedWindowGetsNothingAndACancelledDragLeaves) {
  Drag(second_, TSyntheticDrag::Enter);
  DesktopDragLeave(nullptr);
  EXPECT_EQ(secondTarget_.Events.back(), "leave");
  EXPECT_TRUE(RevokeDragDrop(first_.Handle()));
  EXPECT_FALSE(RevokeDragDrop(first_.Handle()));
  EXPECT_EQ(Drag(first_, TSyntheticDrag::Enter), DROPEFFECT_NONE);
  EXPECT_TRUE(firstTarget_.Events.empty());
}

TEST(DataObject, HoldsBytesByFormatName) {
  TDataObject data;
  data.SetData("Data Tree Data", {1, 2});
  data.SetData("CSV", {3});
  data.SetData("DATA TREE DATA", {4});
  EXPECT_EQ(data.Formats(), (std::vector<std::string>{"Data Tree Data", "CSV"}));
  EXPECT_EQ(data.Data("Data Tree Data"), std::vector<std::uint8_t>{4});
  EXPECT_TRUE(data.HasFormat("data tree data"));
  EXPECT_FALSE(data.HasFormat("Data Tree"));
  EXPECT_TRUE(data.Data("Other").empty());
}

}  // namespace
