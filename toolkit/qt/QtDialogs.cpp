#include "toolkit/qt/QtDialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>

#include "toolkit/qt/QtBitmap.h"
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

struct TButtonChoice {
  QMessageBox::StandardButton Button;
  int Id;
};

std::vector<TButtonChoice> ButtonsOf(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}};
    case MB_ABORTRETRYIGNORE:
      return {{QMessageBox::Abort, IDABORT}, {QMessageBox::Retry, IDRETRY}, {QMessageBox::Ignore, IDIGNORE}};
    case MB_YESNOCANCEL: return {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
    case MB_YESNO: return {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}};
    case MB_RETRYCANCEL: return {{QMessageBox::Retry, IDRETRY}, {QMessageBox::Cancel, IDCANCEL}};
    default: return {{QMessageBox::Ok, IDOK}};
  }
}

// The box is modal to the application while the toolkit's own loop keeps
// window messages and timers running.
class TQtMessageBoxes final : public IMessageBoxes {
public:
  int Show(HWND owner, const std::string& text, const std::string& caption, UINT type) override {
    QMessageBox box(IconOf(type), QString::fromStdString(caption), QString::fromStdString(text), QMessageBox::NoButton,
                    WidgetOfWindow(owner));
    const auto choices = ButtonsOf(type);
    for (const TButtonChoice& choice : choices) box.addButton(choice.Button);
    const size_t defaultIndex = (type & MB_DEFBUTTON2) && choices.size() > 1 ? 1 : 0;
    box.setDefaultButton(choices[defaultIndex].Button);
    box.setWindowModality(Qt::ApplicationModal);
    box.show();
    while (box.isVisible()) {
      MSG message;
      if (PeekMessage(message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessage(message);
      else
        WaitMessage();
    }
    for (const TButtonChoice& choice : choices)
      if (box.clickedButton() == box.button(choice.Button)) return choice.Id;
    return choices.size() > 1 ? IDCANCEL : IDOK;
  }
};

QString MimeTypeOf(const std::string& formatName) {
  if (formatName == "HTML Format") return "text/html";
  if (formatName == "Rich Text Format") return "text/rtf";
  if (formatName == "CSV") return "text/csv";
  return "application/x-quantrel-" + QString::fromStdString(formatName).toLower().replace(' ', '-');
}

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
    return data->hasFormat(MimeTypeOf(GetClipboardFormatName(format)));
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
    const QByteArray bytes = data->data(MimeTypeOf(formatName));
    return {bytes.begin(), bytes.end()};
  }
  void SetData(const std::string& formatName, std::vector<std::uint8_t> data) override {
    Change()->setData(MimeTypeOf(formatName),
                      QByteArray(reinterpret_cast<const char*>(data.data()), static_cast<qsizetype>(data.size())));
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

IClipboardStore& QtClipboardStore() {
  static TQtClipboardStore store;
  return store;
}
