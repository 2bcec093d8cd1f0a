// Buttons as Qt widgets: push buttons, check boxes and radio buttons,
// answering the button messages and reporting BN_CLICKED when clicked by
// the user or by BM_CLICK. Qt's mnemonic shortcuts stay off: the toolkit
// handles "&" accelerators itself.

#include <QBitmap>
#include <QCheckBox>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>

#include "toolkit/gdi/GdiBitmap.h"
#include "toolkit/qt/QtBitmap.h"
#include "toolkit/qt/QtNativeKinds.h"
#include "toolkit/win/ControlMessages.h"
#include "toolkit/win/Window.h"

namespace {

// A check box or radio button of a style that leaves its state to its
// owner (BS_CHECKBOX, BS_3STATE, BS_RADIOBUTTON) does not change it when clicked.
template <class Button>
class TOwnerCheckedButton final : public Button {
public:
  TOwnerCheckedButton(QWidget* parent, bool automatic) : Button(parent), automatic_(automatic) {}

protected:
  void nextCheckState() override {
    if (automatic_) Button::nextCheckState();
  }

private:
  bool automatic_;
};

class TNativeButton final : public TNativeWidget {
public:
  TNativeButton(HWND window, QAbstractButton* button) : TNativeWidget(window, button) {
    QObject::connect(button, &QAbstractButton::clicked, Context(), [this] { NotifyCommand(BN_CLICKED); });
  }

protected:
  bool ControlMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    switch (message) {
      case BM_CLICK: button().click(); return true;
      case BM_GETCHECK: result = static_cast<LRESULT>(Check()); return true;
      case BM_SETCHECK: SetCheck(wParam); return true;
      case BM_GETSTATE:
        result = static_cast<LRESULT>(Check() | (button().isDown() ? BST_PUSHED : 0) | (GetFocus() == Window() ? BST_FOCUS : 0));
        return true;
      case BM_SETSTATE: button().setDown(wParam != 0); return true;
      case BM_GETIMAGE: result = reinterpret_cast<LRESULT>(image_); return true;
      case BM_SETIMAGE:
        result = reinterpret_cast<LRESULT>(image_);
        if (wParam == IMAGE_BITMAP) SetImage(reinterpret_cast<HBITMAP>(lParam));
        return true;
      default: return false;
    }
  }
  std::string Text() const override { return button().text().toStdString(); }
  void SetText(const std::string& text) override {
    button().setText(QString::fromStdString(text));
    button().setShortcut(QKeySequence());
  }
  LRESULT DialogCode() const override {
    if (qobject_cast<QRadioButton*>(&button())) return DLGC_BUTTON | DLGC_RADIOBUTTON;
    if (!qobject_cast<QPushButton*>(&button())) return DLGC_BUTTON;
    const bool isDefault = (GetWindowLongPtr(Window(), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    return DLGC_BUTTON | (isDefault ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
  }

private:
  QAbstractButton& button() const { return *static_cast<QAbstractButton*>(Widget()); }

  // The icon is a copy: the bitmap may change or go while the button shows
  // it. Its bottom-left pixel's colour is transparent, as in glyphs.
  void SetImage(HBITMAP bitmap) {
    image_ = bitmap;
    const QImage view = bitmap && !bitmap->IsEmpty() ? ImageView(*bitmap) : QImage();
    if (view.isNull()) {
      button().setIcon(QIcon());
      return;
    }
    QPixmap pixmap = QPixmap::fromImage(view.copy());
    pixmap.setMask(QBitmap::fromImage(view.createMaskFromColor(view.pixel(0, view.height() - 1), Qt::MaskInColor)));
    button().setIcon(QIcon(pixmap));
    button().setIconSize(view.size());
  }

  WPARAM Check() const {
    if (auto* checkBox = qobject_cast<QCheckBox*>(&button()); checkBox && checkBox->checkState() == Qt::PartiallyChecked)
      return BST_INDETERMINATE;
    return button().isChecked() ? BST_CHECKED : BST_UNCHECKED;
  }
  void SetCheck(WPARAM check) {
    if (auto* checkBox = qobject_cast<QCheckBox*>(&button())) {
      if (check == BST_INDETERMINATE) checkBox->setTristate(true);
      checkBox->setCheckState(check == BST_INDETERMINATE ? Qt::PartiallyChecked : check == BST_CHECKED ? Qt::Checked : Qt::Unchecked);
      return;
    }
    button().setChecked(check == BST_CHECKED);
  }

  HBITMAP image_ = nullptr;
};

QAbstractButton* MakeButtonWidget(HWND window, QWidget* parent) {
  const auto type = static_cast<DWORD>(GetWindowLongPtr(window, GWL_STYLE)) & BS_TYPEMASK;
  switch (type) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE: {
      auto* checkBox = new TOwnerCheckedButton<QCheckBox>(parent, type == BS_AUTOCHECKBOX || type == BS_AUTO3STATE);
      checkBox->setTristate(type == BS_AUTO3STATE);
      return checkBox;
    }
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: {
      // Radio buttons of one group are siblings of the toolkit, not of Qt: their owner unchecks the others.
      auto* radio = new TOwnerCheckedButton<QRadioButton>(parent, type == BS_AUTORADIOBUTTON);
      radio->setAutoExclusive(false);
      return radio;
    }
    default: {
      auto* button = new QPushButton(parent);
      button->setAutoDefault(false);
      button->setDefault(type == BS_DEFPUSHBUTTON);
      return button;
    }
  }
}

}  // namespace

std::unique_ptr<TNativeWidget> MakeNativeButton(HWND window, QWidget* parent) {
  return std::make_unique<TNativeButton>(window, MakeButtonWidget(window, parent));
}
