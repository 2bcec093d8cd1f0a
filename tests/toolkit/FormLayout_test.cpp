// Anchors, OnCanResize, tab order and the form's style, icons and state.

#include <gtest/gtest.h>

#include "tests/toolkit/ToolkitTestSupport.h"
#include "toolkit/controls/CustomControl.h"
#include "toolkit/controls/Form.h"

namespace {

TCustomControl* Child(TForm& form, int left, int top, int width, int height) {
  auto* control = new TCustomControl(&form);
  control->SetParent(&form);
  control->SetBounds(left, top, width, height);
  return control;
}

TEST(FormLayout, AnchoredControlsKeepTheirDistanceToTheAnchoredEdges) {
  TForm form(nullptr);
  form.SetBorderStyle(bsNone);
  form.SetBounds(0, 0, 400, 300);
  form.Show();
  TCustomControl* fixed = Child(form, 10, 10, 50, 20);
  TCustomControl* right = Child(form, 340, 10, 50, 20);
  right->SetAnchors(akTop | akRight);
  TCustomControl* stretched = Child(form, 10, 50, 380, 200);
  stretched->SetAnchors(akLeft | akTop | akRight | akBottom);
  TCustomControl* bottomRight = Child(form, 340, 270, 50, 20);
  bottomRight->SetAnchors(akRight | akBottom);

  form.SetBounds(0, 0, 500, 350);
  EXPECT_EQ(fixed->BoundsRect(), Bounds(10, 10, 50, 20));
  EXPECT_EQ(right->BoundsRect(), Bounds(440, 10, 50, 20));
  EXPECT_EQ(stretched->BoundsRect(), Bounds(10, 50, 480, 250));
  EXPECT_EQ(bottomRight->BoundsRect(), Bounds(440, 320, 50, 20));
  form.SetBounds(0, 0, 400, 300);
  EXPECT_EQ(stretched->BoundsRect(), Bounds(10, 50, 380, 200)) << "shrinking goes back";
}

TEST(FormLayout, OnCanResizeClampsOrRefusesANewSize) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 400, 300);
  form.Show();
  form.OnCanResize = [](TObject*, int& width, int& height, bool& resize) {
    if (height < 100) resize = false;
    width = std::max(width, 250);
  };
  form.SetBounds(0, 0, 200, 300);
  EXPECT_EQ(form.Width(), 250) << "clamped";
  form.SetBounds(0, 0, 300, 50);
  EXPECT_EQ(form.Width(), 250) << "refused";
  EXPECT_EQ(form.Height(), 300);
  TCustomControl* child = Child(form, 0, 0, 10, 10);
  child->OnCanResize = [](TObject*, int&, int&, bool& resize) { resize = false; };
  child->SetBounds(5, 5, 20, 20);
  EXPECT_EQ(child->BoundsRect(), Bounds(5, 5, 10, 10)) << "a windowless resize refused still moves";
}

class TFocusable : public TCustomControl {
public:
  explicit TFocusable(TComponent* owner) : TCustomControl(owner) { TabStop = true; }
};

TEST(FormLayout, TabOrderDecidesTheNextControlAndSkipsWhatCannotTakeTheFocus) {
  TForm form(nullptr);
  std::vector<TFocusable*> controls;
  for (int i = 0; i < 4; ++i) {
    controls.push_back(new TFocusable(&form));
    controls.back()->SetParent(&form);
  }
  form.Show();
  controls[3]->SetTabOrder(0);
  EXPECT_EQ(controls[3]->TabOrder(), 0);
  EXPECT_EQ(controls[0]->TabOrder(), 1);
  controls[1]->SetEnabled(false);
  controls[2]->TabStop = false;
  EXPECT_EQ(form.FindNextControl(controls[3], true, true), controls[0]);
  EXPECT_EQ(form.FindNextControl(controls[0], true, true), controls[3]) << "wraps around, skipping disabled and non-stops";
  EXPECT_EQ(form.FindNextControl(controls[0], true, false), controls[2]);
  EXPECT_EQ(form.FindNextControl(controls[3], false, true), controls[0]);
  EXPECT_EQ(form.FindNextControl(nullptr, true, true), controls[3]);
}

TEST(FormLayout, StayOnTopSwitchesWhileShownAndIconsShapeTheCaption) {
  TForm form(nullptr);
  form.Show();
  const auto exStyle = [&form] { return static_cast<DWORD>(GetWindowLongPtr(form.Handle(), GWL_EXSTYLE)); };
  EXPECT_FALSE(exStyle() & WS_EX_TOPMOST);
  const HWND handle = form.Handle();
  form.SetFormStyle(fsStayOnTop);
  EXPECT_EQ(form.Handle(), handle) << "switching keeps the window";
  EXPECT_TRUE(exStyle() & WS_EX_TOPMOST);
  form.SetFormStyle(fsNormal);
  EXPECT_FALSE(exStyle() & WS_EX_TOPMOST);

  form.SetBorderIcons(biSystemMenu);
  const auto style = static_cast<DWORD>(GetWindowLongPtr(form.Handle(), GWL_STYLE));
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
}

TEST(FormLayout, AFormShownMaximizedIsMaximized) {
  TForm form(nullptr);
  form.SetWindowState(wsMaximized);
  form.Show();
  EXPECT_TRUE(IsZoomed(form.Handle()));
  EXPECT_EQ(form.WindowState(), wsMaximized);
  form.SetWindowState(wsNormal);
  EXPECT_FALSE(IsZoomed(form.Handle()));
}

}  // namespace
