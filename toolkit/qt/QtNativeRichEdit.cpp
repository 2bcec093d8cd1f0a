// A rich edit as a Qt text edit: plain text with character formats (colour
// and style) that formatting messages set without notifying a change or
// moving the caret. Only changes of the text report EN_CHANGE. A rich edit
// of one line (without ES_MULTILINE) neither wraps nor scrolls, and Enter
// does nothing in it: its owner sees WM_CHAR 13 and 10 and acts on them.
// While WM_SETREDRAW holds the redraw off, formats pile up unlaid.

#include <optional>

#include <QKeyEvent>
#include <QTextCursor>
#include <QTextEdit>

#include "toolkit/qt/QtNativeKinds.h"
#include "toolkit/qt/QtTextPositions.h"
#include "toolkit/qt/QtPainter.h"
#include "toolkit/win/ControlMessages.h"
#include "toolkit/win/Window.h"

namespace {

class TRichTextEdit final : public QTextEdit {
public:
  TRichTextEdit(QWidget* parent, bool multiLine) : QTextEdit(parent), multiLine_(multiLine) {}

protected:
  void keyPressEvent(QKeyEvent* event) override {
    const bool lineBreak = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (lineBreak && !multiLine_) return;
    QTextEdit::keyPressEvent(event);
  }

private:
  bool multiLine_;
};

class TNativeRichEdit final : public TNativeWidget {
public:
  TNativeRichEdit(HWND window, QWidget* parent)
      : TNativeWidget(window, new TRichTextEdit(parent, (GetWindowLongPtr(window, GWL_STYLE) & ES_MULTILINE) != 0)) {
    const bool multiLine = (GetWindowLongPtr(window, GWL_STYLE) & ES_MULTILINE) != 0;
    edit().setFrameStyle(QFrame::NoFrame);
    edit().setAcceptRichText(false);
    edit().setTabChangesFocus(!multiLine);
    edit().setReadOnly(GetWindowLongPtr(window, GWL_STYLE) & ES_READONLY);
    if (!multiLine) {
      edit().setLineWrapMode(QTextEdit::NoWrap);
      edit().setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
      edit().setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
      edit().document()->setDocumentMargin(1);
    }
    QObject::connect(&edit(), &QTextEdit::textChanged, Context(), [this] { TextMayHaveChanged(); });
  }

protected:
  bool ControlMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    switch (message) {
      case EM_GETSEL: {
        const QTextCursor cursor = Selection();
        result = AnswerSelection(PlainText(), {cursor.selectionStart(), cursor.selectionEnd()}, wParam, lParam);
        return true;
      }
      case EM_SETSEL: {
        QTextCursor cursor = Selection();
        const TTextSelection selection = RequestedSelection(PlainText(), cursor.position(), wParam, lParam);
        cursor.setPosition(selection.Start);
        cursor.setPosition(selection.End, QTextCursor::KeepAnchor);
        SetSelection(cursor);
        return true;
      }
      case EM_REPLACESEL: edit().textCursor().insertText(QString::fromUtf8(reinterpret_cast<const char*>(lParam))); return true;
      case EM_GETMODIFY: result = edit().document()->isModified(); return true;
      case EM_SETMODIFY: edit().document()->setModified(wParam != 0); return true;
      case EM_SETREADONLY: edit().setReadOnly(wParam != 0); result = 1; return true;
      case EM_LIMITTEXT: return true;
      case WM_SETREDRAW: HoldLayout(wParam == 0); return false;
      case EM_SETCHARFORMAT: result = SetFormat(wParam, *reinterpret_cast<const CHARFORMAT*>(lParam)); return true;
      case EM_GETCHARFORMAT: GetFormat(*reinterpret_cast<CHARFORMAT*>(lParam)); result = 1; return true;
      case WM_NCCREATE: {
        // The first text, set without notifying, is the one changes are measured from.
        const char* name = reinterpret_cast<const CREATESTRUCT*>(lParam)->lpszName;
        lastText_ = QString::fromUtf8(name ? name : "");
        return false;
      }
      default: return false;
    }
  }
  std::string Text() const override { return edit().toPlainText().toStdString(); }
  void SetText(const std::string& text) override { edit().setPlainText(QString::fromStdString(text)); }
  LRESULT DialogCode() const override { return DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL; }

private:
  TRichTextEdit& edit() const { return *static_cast<TRichTextEdit*>(Widget()); }

  // Formatting changes the document too: only a change of the text reports.
  void TextMayHaveChanged() {
    const QString text = edit().toPlainText();
    if (text == lastText_) return;
    lastText_ = text;
    NotifyCommand(EN_UPDATE);
    NotifyCommand(EN_CHANGE);
  }

  // While the redraw is held, formats pile up unlaid and the selection is
  // kept aside: moving the widget's caret would lay the line out each time.
  void HoldLayout(bool hold) {
    if (hold == held_.has_value()) return;
    edit().setUpdatesEnabled(!hold);
    if (hold) {
      held_.emplace(edit().document());
      held_->beginEditBlock();
      heldSelection_ = edit().textCursor();
      heldText_ = edit().toPlainText();
    } else {
      held_->endEditBlock();
      held_.reset();
      edit().setTextCursor(*heldSelection_);
      heldSelection_.reset();
    }
  }
  QTextCursor Selection() const { return heldSelection_ ? *heldSelection_ : edit().textCursor(); }
  // Formats leave the text as it is: while held, the text read when the hold began.
  QString PlainText() const { return held_ ? heldText_ : edit().toPlainText(); }
  void SetSelection(const QTextCursor& cursor) {
    if (heldSelection_)
      heldSelection_ = cursor;
    else
      edit().setTextCursor(cursor);
  }

  LRESULT SetFormat(WPARAM scope, const CHARFORMAT& values) {
    QTextCharFormat format;
    if (values.dwMask & CFM_COLOR) {
      if (values.dwEffects & CFE_AUTOCOLOR)
        format.clearForeground();
      else
        format.setForeground(QColorOf(values.crTextColor));
    }
    if (values.dwMask & CFM_BOLD) format.setFontWeight((values.dwEffects & CFE_BOLD) ? QFont::Bold : QFont::Normal);
    if (values.dwMask & CFM_ITALIC) format.setFontItalic(values.dwEffects & CFE_ITALIC);
    if (values.dwMask & CFM_UNDERLINE) format.setFontUnderline(values.dwEffects & CFE_UNDERLINE);
    if (values.dwMask & CFM_STRIKEOUT) format.setFontStrikeOut(values.dwEffects & CFE_STRIKEOUT);
    // A cursor of its own: the widget's caret and selection stay where they are.
    QTextCursor cursor(edit().document());
    const QTextCursor shown = Selection();
    if (scope & SCF_ALL) {
      cursor.select(QTextCursor::Document);
    } else {
      cursor.setPosition(shown.selectionStart());
      cursor.setPosition(shown.selectionEnd(), QTextCursor::KeepAnchor);
    }
    if (cursor.hasSelection())
      cursor.mergeCharFormat(format);
    else
      edit().mergeCurrentCharFormat(format);
    return 1;
  }

  void GetFormat(CHARFORMAT& values) const {
    const QTextCursor shown = Selection();
    QTextCursor cursor(edit().document());
    cursor.setPosition(shown.hasSelection() ? shown.selectionStart() + 1 : shown.position());
    const QTextCharFormat format = shown.hasSelection() || shown.position() > 0 ? cursor.charFormat() : edit().currentCharFormat();
    values.dwMask = CFM_COLOR | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT;
    values.dwEffects = 0;
    if (format.hasProperty(QTextFormat::ForegroundBrush)) {
      const QColor color = format.foreground().color();
      values.crTextColor = RGB(color.red(), color.green(), color.blue());
    } else {
      values.dwEffects |= CFE_AUTOCOLOR;
      const QColor color = edit().palette().color(QPalette::Text);
      values.crTextColor = RGB(color.red(), color.green(), color.blue());
    }
    if (format.fontWeight() >= QFont::Bold) values.dwEffects |= CFE_BOLD;
    if (format.fontItalic()) values.dwEffects |= CFE_ITALIC;
    if (format.fontUnderline()) values.dwEffects |= CFE_UNDERLINE;
    if (format.fontStrikeOut()) values.dwEffects |= CFE_STRIKEOUT;
  }

  QString lastText_;
  std::optional<QTextCursor> held_;
  std::optional<QTextCursor> heldSelection_;
  QString heldText_;
};

}  // namespace

std::unique_ptr<TNativeWidget> MakeNativeRichEdit(HWND window, QWidget* parent) {
  return std::make_unique<TNativeRichEdit>(window, parent);
}
