// Edits as Qt widgets: one line (QLineEdit) and several lines
// (QPlainTextEdit), answering the edit messages and reporting EN_UPDATE
// and EN_CHANGE on every change of the text, the user's or the code's.

#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>

#include <algorithm>
#include <limits>

#include "toolkit/qt/QtNativeKinds.h"
#include "toolkit/qt/QtTextPositions.h"
#include "toolkit/win/ControlMessages.h"
#include "toolkit/win/Styles.h"
#include "toolkit/win/Window.h"

namespace {

DWORD StyleOf(HWND window) { return static_cast<DWORD>(GetWindowLongPtr(window, GWL_STYLE)); }

Qt::Alignment AlignmentOf(DWORD style) {
  if (style & ES_RIGHT) return Qt::AlignRight | Qt::AlignVCenter;
  if (style & ES_CENTER) return Qt::AlignHCenter | Qt::AlignVCenter;
  return Qt::AlignLeft | Qt::AlignVCenter;
}

class TNativeLineEdit final : public TNativeWidget {
public:
  TNativeLineEdit(HWND window, QWidget* parent) : TNativeWidget(window, new QLineEdit(parent)) {
    const DWORD style = StyleOf(window);
    edit().setFrame(false);
    edit().setAlignment(AlignmentOf(style));
    edit().setReadOnly(style & ES_READONLY);
    if (style & ES_PASSWORD) edit().setEchoMode(QLineEdit::Password);
    edit().setContextMenuPolicy(Qt::DefaultContextMenu);
    QObject::connect(&edit(), &QLineEdit::textChanged, Context(), [this] {
      NotifyCommand(EN_UPDATE);
      NotifyCommand(EN_CHANGE);
    });
  }

protected:
  bool ControlMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    switch (message) {
      case EM_GETSEL: result = AnswerSelection(edit().text(), Selection(), wParam, lParam); return true;
      case EM_SETSEL: {
        const TTextSelection selection = RequestedSelection(edit().text(), edit().cursorPosition(), wParam, lParam);
        if (selection.Start == selection.End)
          edit().setCursorPosition(selection.Start);
        else
          edit().setSelection(selection.Start, selection.End - selection.Start);
        return true;
      }
      case EM_REPLACESEL: edit().insert(QString::fromUtf8(reinterpret_cast<const char*>(lParam))); return true;
      case EM_GETMODIFY: result = edit().isModified(); return true;
      case EM_SETMODIFY: edit().setModified(wParam != 0); return true;
      case EM_SETREADONLY: edit().setReadOnly(wParam != 0); result = 1; return true;
      case EM_LIMITTEXT: edit().setMaxLength(wParam ? static_cast<int>(wParam) : 0x7FFFFFFF); return true;
      case EM_GETRECT: *reinterpret_cast<TRect*>(lParam) = FormattingRect(); return true;
      case EM_SETRECTNP: SetFormattingRect(*reinterpret_cast<const TRect*>(lParam)); return true;
      default: return false;
    }
  }
  std::string Text() const override { return edit().text().toStdString(); }
  void SetText(const std::string& text) override { edit().setText(QString::fromStdString(text)); }
  LRESULT DialogCode() const override { return DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL; }

private:
  QLineEdit& edit() const { return *static_cast<QLineEdit*>(Widget()); }

  TTextSelection Selection() const {
    if (!edit().hasSelectedText()) return {edit().cursorPosition(), edit().cursorPosition()};
    const int start = edit().selectionStart();
    return {start, start + static_cast<int>(edit().selectedText().size())};
  }
  TRect FormattingRect() const {
    const QMargins margins = edit().textMargins();
    const QRect rect = edit().rect().marginsRemoved(margins);
    return {rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1};
  }
  void SetFormattingRect(const TRect& rect) {
    edit().setTextMargins(rect.Left, rect.Top, edit().width() - rect.Right, edit().height() - rect.Bottom);
  }
};

// The viewport's margins are protected in Qt: this opens them.
class TPlainTextEdit final : public QPlainTextEdit {
public:
  using QPlainTextEdit::QPlainTextEdit;
  void SetMargins(const QMargins& margins) { setViewportMargins(margins); }
  // The most characters the user may bring the text to by typing or
  // pasting, 0 for no limit; text set by code is not cut.
  void SetLimit(int limit) { limit_ = limit; }

protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (InsertsText(*event) && RoomLeft() < event->text().size()) return;
    QPlainTextEdit::keyPressEvent(event);
  }
  void insertFromMimeData(const QMimeData* source) override {
    if (limit_ <= 0 || !source->hasText()) return QPlainTextEdit::insertFromMimeData(source);
    insertPlainText(source->text().left(std::max(0, RoomLeft())));
  }

private:
  static bool InsertsText(const QKeyEvent& event) {
    const QString text = event.text();
    return !text.isEmpty() && (text[0].isPrint() || text[0] == '\r' || text[0] == '\t');
  }
  // What may still be inserted in place of the selection.
  int RoomLeft() const {
    if (limit_ <= 0) return std::numeric_limits<int>::max();
    const QTextCursor cursor = textCursor();
    return limit_ - (document()->characterCount() - 1) + (cursor.selectionEnd() - cursor.selectionStart());
  }

  int limit_ = 0;
};

class TNativeTextEdit final : public TNativeWidget {
public:
  TNativeTextEdit(HWND window, QWidget* parent) : TNativeWidget(window, new TPlainTextEdit(parent)) {
    const DWORD style = StyleOf(window);
    edit().setFrameStyle(QFrame::NoFrame);
    edit().setReadOnly(style & ES_READONLY);
    edit().setVerticalScrollBarPolicy((style & WS_VSCROLL) ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    edit().setHorizontalScrollBarPolicy((style & WS_HSCROLL) ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    QTextOption option = edit().document()->defaultTextOption();
    option.setAlignment(AlignmentOf(style) & Qt::AlignHorizontal_Mask);
    if (GetWindowLongPtr(window, GWL_EXSTYLE) & WS_EX_RTLREADING) option.setTextDirection(Qt::RightToLeft);
    edit().document()->setDefaultTextOption(option);
    const bool wraps = !(style & (WS_HSCROLL | ES_AUTOHSCROLL));
    edit().setLineWrapMode(wraps ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    edit().setTabChangesFocus(false);
    QObject::connect(&edit(), &QPlainTextEdit::textChanged, Context(), [this] {
      NotifyCommand(EN_UPDATE);
      NotifyCommand(EN_CHANGE);
    });
  }

protected:
  bool ControlMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    switch (message) {
      case EM_GETSEL: {
        const QTextCursor cursor = edit().textCursor();
        result = AnswerSelection(edit().toPlainText(), {cursor.selectionStart(), cursor.selectionEnd()}, wParam, lParam);
        return true;
      }
      case EM_SETSEL: {
        QTextCursor cursor = edit().textCursor();
        const TTextSelection selection = RequestedSelection(edit().toPlainText(), cursor.position(), wParam, lParam);
        cursor.setPosition(selection.Start);
        cursor.setPosition(selection.End, QTextCursor::KeepAnchor);
        edit().setTextCursor(cursor);
        return true;
      }
      case EM_REPLACESEL: edit().insertPlainText(QString::fromUtf8(reinterpret_cast<const char*>(lParam))); return true;
      case EM_GETMODIFY: result = edit().document()->isModified(); return true;
      case EM_SETMODIFY: edit().document()->setModified(wParam != 0); return true;
      case EM_SETREADONLY: edit().setReadOnly(wParam != 0); result = 1; return true;
      case EM_LIMITTEXT: edit().SetLimit(static_cast<int>(std::min<WPARAM>(wParam, std::numeric_limits<int>::max()))); return true;
      case EM_GETLINECOUNT: result = edit().document()->blockCount(); return true;
      case EM_GETRECT: {
        const QRect rect = edit().viewport()->geometry();
        *reinterpret_cast<TRect*>(lParam) = {rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1};
        return true;
      }
      case EM_SETRECTNP: {
        const auto& rect = *reinterpret_cast<const TRect*>(lParam);
        edit().SetMargins(QMargins(rect.Left, rect.Top, edit().width() - rect.Right, edit().height() - rect.Bottom));
        return true;
      }
      default: return false;
    }
  }
  std::string Text() const override { return edit().toPlainText().toStdString(); }
  void SetText(const std::string& text) override { edit().setPlainText(QString::fromStdString(text)); }
  LRESULT DialogCode() const override { return DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL | DLGC_WANTALLKEYS; }

private:
  TPlainTextEdit& edit() const { return *static_cast<TPlainTextEdit*>(Widget()); }
};

}  // namespace

std::unique_ptr<TNativeWidget> MakeNativeEdit(HWND window, QWidget* parent) {
  if (StyleOf(window) & ES_MULTILINE) return MakeNativeTextEdit(window, parent);
  return std::make_unique<TNativeLineEdit>(window, parent);
}

std::unique_ptr<TNativeWidget> MakeNativeTextEdit(HWND window, QWidget* parent) {
  return std::make_unique<TNativeTextEdit>(window, parent);
}
