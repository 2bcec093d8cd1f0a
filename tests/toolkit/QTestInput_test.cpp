// The controls driven by Qt's own test input (QTest's QWindow overloads):
// key and mouse events enter through Qt's window-system interface, as the
// desktop's do, and reach the controls by Qt's delivery and the toolkit's
// message protocol.
#include <QTest>
#include <QWindow>

#include "tests/toolkit/NativeControlFixture.h"
#include "toolkit/controls/Button.h"
#include "toolkit/controls/ComboBox.h"
#include "toolkit/controls/Edit.h"
#include "toolkit/controls/ListView.h"

namespace {

class QTestInput : public NativeControlTest {
protected:
  QWindow* Window() { return InputQtWindow(form->Handle()); }
  void KeyClick(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(Window(), key, modifiers);
    ProcessEverything();
  }
  void TypeKeys(const std::string& text) {
    for (const char c : text) QTest::keyClick(Window(), c);
    ProcessEverything();
  }
  // Point: in the control's window coordinates.
  QPoint At(TWinControl& control, TPoint point) {
    const TPoint inWindow = InputQtWindowPoint(control.Handle(), point);
    return {inWindow.X, inWindow.Y};
  }
};

TEST_F(QTestInput, TypingIntoAnEditGivesTheTextWithOneChangePerCharacter) {
  auto* edit = Make<TEdit>(10, 10, 150, 24);
  int changes = 0;
  edit->OnChange = [&changes](TObject*) { ++changes; };
  std::vector<char32_t> pressed;
  edit->OnKeyPress = [&pressed](TObject*, char32_t& key) { pressed.push_back(key); };
  edit->SetFocus();
  ProcessEverything();
  TypeKeys("a1b2");
  EXPECT_EQ(edit->Text(), "a1b2");
  EXPECT_EQ(changes, 4);
  EXPECT_EQ(CountOf(WM_COMMAND, EN_CHANGE, edit->Handle()), 4u);
  KeyClick(Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(pressed.back(), char32_t{1}) << "Ctrl+A arrives as character 1";
  KeyClick(Qt::Key_Backspace);
  EXPECT_EQ(edit->Text(), "") << "Ctrl+A selected everything";
}

TEST_F(QTestInput, AClickPressesAButtonOnce) {
  auto* button = Make<TButton>(10, 10, 100, 30);
  button->SetCaption("Go");
  int clicks = 0;
  button->OnClick = [&clicks](TObject*) { ++clicks; };
  QTest::mouseClick(Window(), Qt::LeftButton, Qt::NoModifier, At(*button, {50, 15}));
  ProcessEverything();
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(CountOf(WM_COMMAND, BN_CLICKED, button->Handle()), 1u);
}

TEST_F(QTestInput, AComboChoiceByKeysNotifiesOnce) {
  auto* combo = Make<TComboBox>(10, 10, 150, 24);
  for (const char* item : {"one", "two", "three"}) combo->Items().Add(item);
  combo->SetStyle(csDropDownList);
  combo->SetItemIndex(0);
  std::vector<int> changes;
  combo->OnChange = [&](TObject*) { changes.push_back(combo->ItemIndex()); };
  combo->SetFocus();
  ProcessEverything();
  KeyClick(Qt::Key_Down);
  EXPECT_EQ(changes, std::vector<int>{1});
  EXPECT_EQ(CountOf(WM_COMMAND, CBN_SELCHANGE, combo->Handle()), 1u);
}

// Qt tells a double click by the times of the presses it sees: the presses
// handed on to the widget carry the desktop's time, also after the first
// click, which moves QTest's clock past a double-click interval.
TEST_F(QTestInput, ADoubleClickOnAListViewRowFindsItSelected) {
  auto* view = Make<TListView>(10, 10, 300, 200);
  view->Columns().Add()->SetCaption("Name");
  for (const char* name : {"alpha", "beta"}) view->Items().Add()->SetCaption(name);
  ProcessEverything();
  int selectedAtDoubleClick = -2;
  view->OnDblClick = [&](TObject*) { selectedAtDoubleClick = view->ItemIndex(); };
  const auto rowPoint = [&](int index) {
    TRect row;
    SendMessage(view->Handle(), LVM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&row));
    return At(*view, {row.Left + 10, (row.Top + row.Bottom) / 2});
  };
  QTest::mouseClick(Window(), Qt::LeftButton, Qt::NoModifier, rowPoint(0));
  EXPECT_EQ(view->ItemIndex(), 0);
  QTest::mouseDClick(Window(), Qt::LeftButton, Qt::NoModifier, rowPoint(1));
  ProcessEverything();
  EXPECT_EQ(selectedAtDoubleClick, 1);
  EXPECT_EQ(CountOf(WM_NOTIFY, NM_DBLCLK, view->Handle()), 1u);
}

}  // namespace
