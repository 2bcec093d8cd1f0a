#include "toolkit/qt/DialogDriver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <memory>
#include <utility>

#include "toolkit/qt/QtKeys.h"

namespace {

QWidget* ShowingDialog() {
  QWidget* dialog = QApplication::activeModalWidget();
  return dialog && dialog->isVisible() ? dialog : nullptr;
}

void Deliver(QEvent& event) {
  QWidget* dialog = ShowingDialog();
  if (!dialog) return;
  dialog->winId();
  QCoreApplication::sendEvent(dialog->windowHandle(), &event);
}

std::vector<QAbstractButton*> VisibleButtons() {
  QWidget* dialog = ShowingDialog();
  if (!dialog) return {};
  std::vector<QAbstractButton*> buttons;
  for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
    if (button->isVisible() && !button->text().isEmpty()) buttons.push_back(button);
  std::sort(buttons.begin(), buttons.end(), [](QAbstractButton* a, QAbstractButton* b) {
    return a->mapToGlobal(QPoint(0, 0)).x() < b->mapToGlobal(QPoint(0, 0)).x();
  });
  return buttons;
}

std::string PlainText(const QAbstractButton* button) { return button->text().remove('&').toStdString(); }

}  // namespace

void WhenModalDialogShown(std::function<void()> action, int timeoutMilliseconds) {
  auto* poll = new QTimer;
  auto started = std::make_shared<QElapsedTimer>();
  started->start();
  poll->setInterval(5);
  QObject::connect(poll, &QTimer::timeout, [poll, started, action = std::move(action), timeoutMilliseconds] {
    const bool showing = ShowingDialog() != nullptr;
    if (!showing && started->elapsed() < timeoutMilliseconds) return;
    poll->stop();
    poll->deleteLater();
    if (showing) action();
  });
  poll->start();
}

bool ModalDialogShowing() { return ShowingDialog() != nullptr; }

std::string ModalDialogTitle() {
  QWidget* dialog = ShowingDialog();
  return dialog ? dialog->windowTitle().toStdString() : "";
}

bool ModalDialogStaysOnTop() {
  QWidget* dialog = ShowingDialog();
  return dialog && (dialog->windowFlags() & Qt::WindowStaysOnTopHint);
}

std::vector<std::string> ModalDialogButtons() {
  std::vector<std::string> texts;
  for (const QAbstractButton* button : VisibleButtons()) texts.push_back(PlainText(button));
  return texts;
}

bool ClickModalDialogButton(const std::string& text) {
  for (QAbstractButton* button : VisibleButtons())
    if (PlainText(button) == text) {
      button->click();
      return true;
    }
  return false;
}

void PressModalDialogKey(WORD virtualKey, const std::string& text) {
  const auto key = QtKeyOfVirtualKey(virtualKey);
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString::fromStdString(text));
  Deliver(press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString::fromStdString(text));
  Deliver(release);
}

void TypeIntoModalDialog(const std::string& text) {
  for (const QChar character : QString::fromStdString(text)) {
    const QString typed(character);
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, typed);
    Deliver(press);
    QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, typed);
    Deliver(release);
  }
}

void CloseModalDialog() {
  QCloseEvent close;
  Deliver(close);
}

bool SaveModalDialogPicture(const std::string& fileName) {
  QWidget* dialog = ShowingDialog();
  return dialog && dialog->grab().save(QString::fromStdString(fileName), "PNG");
}
