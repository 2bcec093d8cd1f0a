#pragma once
// The main window, the settings window, the program editor and its
// settings dialog made as at start-up, shown, offscreen, with the real
// engine and temporary settings. The dialogs are shown modally by the
// user's keys; the steps taken in them run from their modal loops, as real
// Qt key and mouse events. A restart ends the program (settings and
// options written) and starts it again on the same settings.

#include <functional>
#include <string>

#include "console/Syntax.h"
#include "shell/EdSettsForm.h"
#include "shell/SettingsForm.h"
#include "tests/shell/DialogInput.h"
#include "tests/shell/EditorFormFixture.h"
#include "toolkit/controls/Button.h"
#include "toolkit/controls/ColorBox.h"
#include "toolkit/controls/ComboBox.h"
#include "toolkit/controls/Edit.h"
#include "toolkit/controls/ListBox.h"
#include "toolkit/controls/ListView.h"
#include "toolkit/win/Paint.h"

class SettingsTest : public EditorFormTest, protected DialogInput {
protected:
  ~SettingsTest() override { FreeAll(); }

  void StartAll() {
    Params.Load();
    Make();
    settings = new TSettingsForm(nullptr);
    editor = new TEditorForm(nullptr);
    edSetts = new TEdSettsForm(nullptr);
    ShowMade();
  }
  // The end of the program, in the reverse order of the start.
  void FreeAll() {
    delete edSetts;
    edSetts = nullptr;
    FreeEditor();
    delete settings;
    settings = nullptr;
    if (Storage) Params.Save();
    Free();
    Params = TParams();
  }
  void RestartAll() {
    FreeAll();
    Storage = std::make_unique<TStorage>("Quantrel.ini", 0);
    ResetSourcePageCount();
    StartAll();
  }

  // F5 in the main window, the steps in the settings window.
  void InSettings(std::function<void()> steps) {
    WhenShown(*settings, std::move(steps));
    form->CommandLine->SetFocus();
    Press(VK_F5);
  }
  // The editor's settings dialog through its Edit menu item, the steps in it.
  void InEditorSettings(std::function<void()> steps) {
    WhenShown(*edSetts, std::move(steps));
    editor->actSettings->Update();
    ClickMenuItemOf(*editor, editor->actSettings);
  }
  // The item of the window's menu bar that runs the action, clicked.
  static void ClickMenuItemOf(TForm& window, TAction* action);

  // A row of a list view, by the mouse: a click, or a double click.
  static void ClickRow(TListView& list, int row, bool twice = false) {
    for (int y = 0; y < list.ClientHeight(); ++y)
      if (TListItem* item = list.GetItemAt(40, y); item && item->Index() == row) {
        SynthesizeMouse(list.Handle(), {40, y + 2}, TSyntheticMouse::Press, TInputButton::Left);
        SynthesizeMouse(list.Handle(), {40, y + 2}, TSyntheticMouse::Release, TInputButton::Left);
        if (twice) {
          SynthesizeMouse(list.Handle(), {40, y + 2}, TSyntheticMouse::DoubleClick, TInputButton::Left);
          SynthesizeMouse(list.Handle(), {40, y + 2}, TSyntheticMouse::Release, TInputButton::Left);
        }
        ProcessEverything();
        return;
      }
    ADD_FAILURE() << "no row " << row;
  }
  // The button of the dialog that runs the action.
  static TButton& ButtonOf(TForm& dialog, TAction* action) {
    for (int i = 0; i < dialog.ComponentCount(); ++i)
      if (auto* button = dynamic_cast<TButton*>(dialog.Components(i)); button && button->Action() == action) return *button;
    throw std::runtime_error("no button runs " + action->Caption());
  }
  // After the idle pass that follows the steps before, as in the modal loop.
  static void PressButton(TForm& dialog, TAction* action) {
    Application().DoIdle();
    ClickButton(ButtonOf(dialog, action));
  }
  // The actions as the idle pass leaves them.
  static bool EnabledNow(TAction* action) {
    action->Update();
    return action->Enabled();
  }

  TSettingsForm* settings = nullptr;
  TEdSettsForm* edSetts = nullptr;
};

inline void SettingsTest::ClickMenuItemOf(TForm& window, TAction* action) {
  std::function<TMenuItem*(TMenuItem&)> find = [&](TMenuItem& parent) -> TMenuItem* {
    for (int i = 0; i < parent.Count(); ++i) {
      TMenuItem* item = parent.Items(i);
      if (item->Action() == action) return item;
      if (TMenuItem* inner = find(*item)) return inner;
    }
    return nullptr;
  };
  TMenuItem* item = window.Menu() ? find(window.Menu()->Items()) : nullptr;
  ASSERT_NE(item, nullptr) << "no menu item runs " << action->Caption();
  item->Click();
}
