#include "toolkit/qt/QtDialogs.h"

#include <algorithm>

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QClipboard>
#include <QImage>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>

#include "toolkit/gdi/Color.h"
#include "toolkit/qt/QtBitmap.h"
#include "toolkit/qt/QtMimeTypes.h"
#include "toolkit/qt/QtWindowHost.h"
#include "toolkit/win/MessageQueue.h"

namespace {

QMessageBox::Icon IconOf(UINT type) {
  switch (type & MB_ICONMASK) {
    case MB_ICONHAND: return QMessageBox::Critical;
    case MB_ICONQUESTION: return QMessageBox::Question;
    case MB_ICONEXCLAMATION: return QMessageBox::Warning;
    case MB_ICONASTERISK: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
  }
}

// A button of a box: one of Qt's own where it has one (the desktop's texts
// and icons), else a text with its role.
struct TButtonChoice {
  QMessageBox::StandardButton Standard;
  const char* Text;
  QMessageBox::ButtonRole Role;
  int Id;
};

std::vector<TButtonChoice> ButtonsOf(UINT type) {
  constexpr auto Custom = QMessageBox::NoButton;
  const TButtonChoice ok{QMessageBox::Ok, "", QMessageBox::AcceptRole, IDOK};
  const TButtonChoice cancel{QMessageBox::Cancel, "", QMessageBox::RejectRole, IDCANCEL};
  const TButtonChoice retry{QMessageBox::Retry, "", QMessageBox::AcceptRole, IDRETRY};
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return {ok, cancel};
    case MB_ABORTRETRYIGNORE:
      return {{QMessageBox::Abort, "", QMessageBox::RejectRole, IDABORT},
              retry,
              {QMessageBox::Ignore, "", QMessageBox::AcceptRole, IDIGNORE}};
    case MB_YESNOCANCEL:
      return {{QMessageBox::Yes, "", QMessageBox::YesRole, IDYES},
              {QMessageBox::No, "", QMessageBox::NoRole, IDNO},
              cancel};
    case MB_YESNO:
      return {{QMessageBox::Yes, "", QMessageBox::YesRole, IDYES}, {QMessageBox::No, "", QMessageBox::NoRole, IDNO}};
    case MB_RETRYCANCEL: return {retry, cancel};
    case MB_CANCELTRYCONTINUE:
      return {cancel,
              {Custom, "&Try Again", QMessageBox::ActionRole, IDTRYAGAIN},
              {Custom, "&Continue", QMessageBox::AcceptRole, IDCONTINUE}};
    default: return {ok};
  }
}

// Esc and the close box answer Cancel where the box has it and OK for a lone
// OK; the other boxes can only be answered by a button.
const TButtonChoice* CloseChoice(const std::vector<TButtonChoice>& choices) {
  for (const TButtonChoice& choice : choices)
    if (choice.Id == IDCANCEL) return &choice;
  return choices.size() == 1 ? &choices.front() : nullptr;
}

// Keeps Esc and the close box from answering a box that has no close answer
// (Qt would pick a button for them).
class TCloseGuard final : public QObject {
public:
  explicit TCloseGuard(QMessageBox& box) : box_(box) {}

  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) return static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape;
    if (event->type() == QEvent::Close && !box_.clickedButton()) {
      event->ignore();
      return true;
    }
    return false;
  }

private:
  QMessageBox& box_;
};

QAbstractButton* AddButton(QMessageBox& box, const TButtonChoice& choice) {
  if (choice.Standard != QMessageBox::NoButton) return box.addButton(choice.Standard);
  return box.addButton(QString::fromUtf8(choice.Text), choice.Role);
}

// Modal to the application while the toolkit's own loop keeps window
// messages and timers running; returns when the dialog is hidden. The
// placement flags (MB_TOPMOST, MB_SETFOREGROUND) raise it.
void RunModal(QDialog& dialog, UINT placement) {
  if (placement & MB_TOPMOST) dialog.setWindowFlag(Qt::WindowStaysOnTopHint);
  dialog.setWindowModality(Qt::ApplicationModal);
  dialog.show();
  if (placement & (MB_SETFOREGROUND | MB_TOPMOST)) {
    dialog.raise();
    dialog.activateWindow();
  }
  while (dialog.isVisible()) {
    MSG message;
    if (PeekMessage(message, nullptr, 0, 0, PM_REMOVE))
      DispatchMessage(message);
    else
      WaitMessage();
  }
}

class TQtMessageBoxes final : public IMessageBoxes {
public:
  int Show(HWND owner, const std::string& text, const std::string& caption, UINT type) override {
    QMessageBox box(IconOf(type), QString::fromStdString(caption), QString::fromStdString(text), QMessageBox::NoButton,
                    WidgetOfWindow(owner));
    const auto choices = ButtonsOf(type);
    std::vector<QAbstractButton*> buttons;
    for (const TButtonChoice& choice : choices) buttons.push_back(AddButton(box, choice));
    const size_t defaultIndex = (type & MB_DEFBUTTON2) && choices.size() > 1 ? 1 : 0;
    box.setDefaultButton(static_cast<QPushButton*>(buttons[defaultIndex]));
    TCloseGuard guard(box);
    const TButtonChoice* closeChoice = CloseChoice(choices);
    if (closeChoice)
      box.setEscapeButton(buttons[static_cast<size_t>(closeChoice - choices.data())]);
    else
      box.installEventFilter(&guard);
    RunModal(box, type);
    for (size_t i = 0; i < choices.size(); ++i)
      if (box.clickedButton() == buttons[i]) return choices[i].Id;
    return closeChoice ? closeChoice->Id : IDCANCEL;
  }
};

QString Text(const std::string& text) { return QString::fromStdString(text); }

QStringList QtNameFilters(const std::vector<TFileFilter>& filters) {
  QStringList names;
  for (const TFileFilter& filter : filters) names << Text(QtNameFilter(filter));
  return names;
}

void SetUpFileDialog(QFileDialog& dialog, const TDialogRequest& request, const QStringList& filters) {
  const bool save = request.Kind == TDialogKind::Save;
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(!save && (request.Options & ofFileMustExist) ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  if (!(request.Options & ofOverwritePrompt)) dialog.setOption(QFileDialog::DontConfirmOverwrite);
  // Masks match ignoring case: "PROG.TARN" is a Tarnscript file too.
  dialog.setFilter(dialog.filter() & ~QDir::CaseSensitive);
  if (!filters.isEmpty()) {
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.value(std::clamp(request.FilterIndex, 1, static_cast<int>(filters.size())) - 1));
  }
  dialog.setDefaultSuffix(Text(request.DefaultExt));
  if (!request.FileName.empty()) dialog.selectFile(Text(request.FileName));
}

TDialogAnswer RunFileDialog(const TDialogRequest& request) {
  QFileDialog dialog(WidgetOfWindow(request.Owner), Text(request.Title), Text(request.Folder));
  const QStringList filters = QtNameFilters(request.Filters);
  SetUpFileDialog(dialog, request, filters);
  RunModal(dialog, 0);
  if (dialog.result() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  TDialogAnswer answer;
  answer.Confirmed = true;
  answer.FileName = dialog.selectedFiles().first().toStdString();
  answer.FilterIndex = filters.isEmpty() ? request.FilterIndex : static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1;
  return answer;
}

TDialogAnswer RunFolderDialog(const TDialogRequest& request) {
  QFileDialog dialog(WidgetOfWindow(request.Owner), Text(request.Title), Text(request.Folder));
  dialog.setFileMode(QFileDialog::Directory);
  dialog.setOption(QFileDialog::ShowDirsOnly);
  RunModal(dialog, 0);
  if (dialog.result() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  TDialogAnswer answer;
  answer.Confirmed = true;
  answer.Folder = dialog.selectedFiles().first().toStdString();
  return answer;
}

QColor QtColor(TColor color) {
  const TColor rgb = ColorToRGB(color);
  return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

TDialogAnswer RunColorDialog(const TDialogRequest& request) {
  QColorDialog dialog(QtColor(request.Color), WidgetOfWindow(request.Owner));
  RunModal(dialog, 0);
  if (dialog.result() != QDialog::Accepted) return {};
  const QColor chosen = dialog.currentColor();
  TDialogAnswer answer;
  answer.Confirmed = true;
  answer.Color = RGB(chosen.red(), chosen.green(), chosen.blue());
  return answer;
}

// Heights are pixels here: the character height (negative) or the cell's.
TDialogAnswer RunFontDialog(const TDialogRequest& request) {
  QFont initial(Text(request.Font.Name));
  initial.setPixelSize(std::max(1, std::abs(request.Font.Height)));
  initial.setBold(request.Font.Style & fsBold);
  initial.setItalic(request.Font.Style & fsItalic);
  initial.setUnderline(request.Font.Style & fsUnderline);
  initial.setStrikeOut(request.Font.Style & fsStrikeOut);
  QFontDialog dialog(initial, WidgetOfWindow(request.Owner));
  RunModal(dialog, 0);
  if (dialog.result() != QDialog::Accepted) return {};
  const QFont chosen = dialog.currentFont();
  TDialogAnswer answer;
  answer.Confirmed = true;
  const int pixels = chosen.pixelSize() > 0 ? chosen.pixelSize() : qRound(chosen.pointSizeF() * 96 / 72);
  answer.Font = {chosen.family().toStdString(), -pixels,
                 (chosen.bold() ? fsBold : 0) | (chosen.italic() ? fsItalic : 0) |
                     (chosen.underline() ? fsUnderline : 0) | (chosen.strikeOut() ? fsStrikeOut : 0),
                 request.Font.Color};
  return answer;
}

class TQtCommonDialogs final : public ICommonDialogs {
public:
  TDialogAnswer Run(const TDialogRequest& request) override {
    switch (request.Kind) {
      case TDialogKind::Color: return RunColorDialog(request);
      case TDialogKind::Font: return RunFontDialog(request);
      case TDialogKind::Folder: return RunFolderDialog(request);
      default: return RunFileDialog(request);
    }
  }
};


// The desktop clipboard; what one opening sets is collected and handed
// over as one content when it closes.
class TQtClipboardStore final : public IClipboardStore {
public:
  bool Open() override {
    pending_.reset(new QMimeData);
    changed_ = false;
    return true;
  }
  void Close() override {
    if (changed_) QGuiApplication::clipboard()->setMimeData(pending_.release());
    pending_.reset();
  }
  void Clear() override {
    pending_.reset(new QMimeData);
    changed_ = true;
  }
  bool HasFormat(UINT format) const override {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data) return false;
    if (format == CF_TEXT || format == CF_UNICODETEXT) return data->hasText();
    if (format == CF_BITMAP || format == CF_DIB) return data->hasImage();
    const QStringList types = MimeTypesOf(ClipboardFormatName(format));
    return std::any_of(types.begin(), types.end(), [data](const QString& type) { return data->hasFormat(type); });
  }
  std::string Text() const override { return QGuiApplication::clipboard()->text().toStdString(); }
  void SetText(const std::string& text) override { Change()->setText(QString::fromStdString(text)); }
  CountedPtr<TGdiBitmap> Image() const override {
    const QImage image = QGuiApplication::clipboard()->image();
    if (image.isNull()) return nullptr;
    auto bitmap = MakeCounted<TGdiBitmap>(1, 1, pf32bit);
    AssignImage(*bitmap, image);
    return bitmap;
  }
  void SetImage(const TGdiBitmap& image) override {
    auto copy = image.Clone();
    Change()->setImageData(ImageView(*copy).copy());
  }
  std::vector<std::uint8_t> Data(const std::string& formatName) const override {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data) return {};
    for (const QString& type : MimeTypesOf(formatName))
      if (data->hasFormat(type)) return FormatBytesOf(formatName, data->data(type));
    return {};
  }
  void SetData(const std::string& formatName, std::vector<std::uint8_t> data) override {
    const QByteArray bytes = MimeBytesOf(formatName, data);
    for (const QString& type : MimeTypesOf(formatName)) Change()->setData(type, bytes);
  }

private:
  QMimeData* Change() {
    if (!pending_) pending_.reset(new QMimeData);
    changed_ = true;
    return pending_.get();
  }

  std::unique_ptr<QMimeData> pending_;
  bool changed_ = false;
};

}  // namespace

IMessageBoxes& QtMessageBoxes() {
  static TQtMessageBoxes boxes;
  return boxes;
}

// Qt reads the masks from the parentheses at the end of a filter's text,
// separated by blanks; "*.*" means every file here, where names need no dot.
std::string QtNameFilter(const TFileFilter& filter) {
  std::string description = filter.Description;
  const size_t open = description.rfind('(');
  if (open != std::string::npos && description.back() == ')') description.erase(open);
  while (!description.empty() && description.back() == ' ') description.pop_back();
  std::string masks;
  for (const std::string& mask : filter.Masks) masks += (masks.empty() ? "" : " ") + (mask == "*.*" ? "*" : mask);
  return description + " (" + masks + ")";
}

ICommonDialogs& QtCommonDialogs() {
  static TQtCommonDialogs dialogs;
  return dialogs;
}

IClipboardStore& QtClipboardStore() {
  static TQtClipboardStore store;
  return store;
}
