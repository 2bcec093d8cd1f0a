#pragma once
// The base of the tool windows (program editor, plotter, evaluator,
// workspace, 2D and 3D graph). A tool window is made once and never
// closes: closing hides it. Its reopen flag says whether it was open when
// the program last ended: showing sets it, the user's closing clears it,
// hiding at program end leaves it alone. Its settings section keeps
// "Left", "Top", "Width", "Height" and the flag as "Visible", read when the
// window is made (the place made usable on this desktop) and written, the
// section erased first, when it is freed. A window of fixed size keeps no
// "Width" and "Height": a hand-edited size must not stretch it.
// The main window's action that shows and hides it stays checked while it
// shows. A window may keep keys of its own in the same section, after
// the base's (KeepOwnKeys).

#include <functional>
#include <string>

#include "toolkit/controls/Form.h"

class TAction;
class TStorage;

enum TToolSizing { tsSizeable, tsFixed };

class TToolForm : public TForm {
public:
  // Bounds: the geometry when none is stored. Toggle may be nil.
  TToolForm(TComponent* owner, const std::string& section, TAction* toggle, const TRect& bounds,
            TToolSizing sizing = tsSizeable);
  ~TToolForm() override;

  const std::string& Section() const { return section_; }
  TAction* ToggleAction() const { return toggle_; }
  bool ReopenFlag() const { return reopen_; }
  // The program was started with a file: the window counts as closed at the next start.
  void ClearReopenFlag() { reopen_ = false; }
  // Shows a hidden window and hides a shown one; the action and the flag follow.
  void Toggle();

  // Keys of the window's own in its section, each handler called with the
  // section open. Read runs at once, so the window calls this once the
  // controls it reads into exist; Write runs in WriteSettings, after the
  // base's keys.
  using TOwnKeys = std::function<void(TStorage& storage)>;
  void KeepOwnKeys(const TOwnKeys& read, TOwnKeys write);
  // Writes the section, erased first, once at the end of the window. A
  // window with keys of its own calls it in its destructor, while the
  // controls its keys come from exist; the base's destructor writes the
  // base's keys of a window that did not. A store that cannot be written
  // keeps what it held.
  void WriteSettings();

protected:
  void CreateParams(TCreateParams& params) override;
  void Dispatch(TMessage& message) override;
  void Notification(TComponent* component, TOperation operation) override;

private:
  void ReadSettings(const TRect& bounds);
  void ShowChanged(bool shown);
  void CheckAction(bool checked);

  std::string section_;
  TAction* toggle_;
  TToolSizing sizing_;
  bool reopen_ = false;
  TOwnKeys writeOwnKeys_;
  bool settingsWritten_ = false;
};
