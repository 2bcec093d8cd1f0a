#include "skin/SkinMessageBoxes.h"

#include "toolkit/controls/Application.h"

namespace {

TPoint RequestedPosition{-1, -1};

const char* const DefaultCaptions[] = {"Warning", "Error", "Information", "Confirm", ""};

UINT IconOf(TMsgDlgType dlgType) {
  switch (dlgType) {
    case mtWarning: return MB_ICONWARNING;
    case mtError: return MB_ICONERROR;
    case mtInformation: return MB_ICONINFORMATION;
    case mtConfirmation: return MB_ICONQUESTION;
    default: return 0;
  }
}

UINT ButtonsOf(TMsgDlgButtons buttons) {
  const bool cancel = buttons & mbCancel;
  if (buttons & mbOK) return cancel ? MB_OKCANCEL : MB_OK;
  if (buttons & (mbAbort | mbIgnore)) return MB_ABORTRETRYIGNORE;
  if (buttons & (mbYes | mbNo)) return cancel ? MB_YESNOCANCEL : MB_YESNO;
  if (buttons & mbRetry) return MB_RETRYCANCEL;
  return MB_OK;
}

// Holds the requested place for the life of one box, however it ends.
class TRequestedPosition {
public:
  TRequestedPosition(int x, int y) { RequestedPosition = {x, y}; }
  ~TRequestedPosition() { RequestedPosition = {-1, -1}; }
  TRequestedPosition(const TRequestedPosition&) = delete;
  TRequestedPosition& operator=(const TRequestedPosition&) = delete;
};

}  // namespace

int MessageBoxOfTypeAt(const std::string& caption, const std::string& text, TMsgDlgType dlgType,
                       TMsgDlgButtons buttons, int /*helpContext*/, int x, int y) {
  const std::string shownCaption =
      !caption.empty() ? caption : dlgType <= mtCustom ? DefaultCaptions[dlgType] : "";
  UINT flags = ButtonsOf(buttons) | IconOf(dlgType);
  if (buttons & mbHelp) flags |= MB_HELP;
  const TRequestedPosition requested(x, y);
  return Application().MessageBox(text, shownCaption, flags);
}

int MessageBoxOfType(const std::string& text, TMsgDlgType dlgType, TMsgDlgButtons buttons, int helpContext) {
  return MessageBoxOfTypeAt("", text, dlgType, buttons, helpContext, -1, -1);
}

void ShowWarning(const std::string& text) { MessageBoxOfType(text, mtWarning, mbOK, 0); }

void ShowError(const std::string& text) { MessageBoxOfType(text, mtError, mbOK, 0); }

TPoint RequestedBoxPosition() { return RequestedPosition; }
