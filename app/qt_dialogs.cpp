#include "app/qt_dialogs.h"

#include <QApplication>
#include <QEventLoop>
#include <QInputDialog>
#include <QMessageBox>
#include <QWindow>
#include <utility>

namespace morvath {
namespace {

// A modal box whose window is not closed by its answer: the adapter hands it to the
// KeyboardHandover, which closes it once the window shown next has the keyboard.
template <class Base>
class AnsweredBox : public Base {
 public:
  explicit AnsweredBox(QWidget* parent) : Base(parent) {}

  // Shows the box and waits for the answer; returns the dialog's result code.
  int ask() {
    this->setWindowModality(Qt::ApplicationModal);
    this->show();
    // A box closes through its window (Qt 6 destroys the window of a closed dialog at once):
    // the close is the answer, and the window stays.
    if (QWindow* window = this->windowHandle()) window->installEventFilter(this);
    QEventLoop loop;
    loop_ = &loop;
    asked_ = true;
    loop.exec(QEventLoop::DialogExec);
    return this->result();
  }

  // Hiding the box is its answer too: the wait ends, the window stays.
  void setVisible(bool visible) override {
    if (visible || !asked_)
      Base::setVisible(visible);
    else
      answered();
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (asked_ && event->type() == QEvent::Close && watched == this->windowHandle()) {
      // Its button, Escape or its close box: the answer is read from the box. Later presses
      // of its buttons do nothing.
      event->ignore();
      answered();
      return true;
    }
    return Base::eventFilter(watched, event);
  }

 private:
  void answered() {
    if (!loop_) return;
    loop_->quit();
    loop_ = nullptr;
  }

  QEventLoop* loop_ = nullptr;
  bool asked_ = false;
};

}  // namespace

QString BoxTitle(const std::string& title) {
  return title.empty() ? QStringLiteral(" ") : QString::fromStdString(title);
}

void QtDialogs::setHooks(std::function<void()> beforeModal, std::function<QWidget*()> parent) {
  beforeModal_ = std::move(beforeModal);
  parent_ = std::move(parent);
}

Answer QtDialogs::message(const std::string& text, const std::string& title, Buttons buttons,
                          Icon icon) {
  if (beforeModal_) beforeModal_();
  auto* box = new AnsweredBox<QMessageBox>(parent_ ? parent_() : nullptr);
  box->setWindowTitle(BoxTitle(title));
  box->setTextFormat(Qt::PlainText);
  box->setText(QString::fromStdString(text));
  box->setIcon(icon == Icon::Stop ? QMessageBox::Critical : QMessageBox::NoIcon);
  switch (buttons) {
    case Buttons::Ok:
      box->setStandardButtons(QMessageBox::Ok);
      break;
    case Buttons::OkCancel:
      box->setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
      box->setDefaultButton(QMessageBox::Ok);
      break;
    case Buttons::YesNo:
      box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      box->setDefaultButton(QMessageBox::Yes);
      break;
  }
  box->ask();
  const QMessageBox::StandardButton clicked = box->standardButton(box->clickedButton());
  handover_.holdBox(box);
  switch (clicked) {
    case QMessageBox::Yes:
      return Answer::Yes;
    case QMessageBox::No:
      return Answer::No;
    case QMessageBox::Cancel:
      return Answer::Cancel;
    case QMessageBox::Ok:
      return Answer::Ok;
    default:
      // Closing the box by its close box or Escape counts as its "no" answer.
      return buttons == Buttons::YesNo
                 ? Answer::No
                 : (buttons == Buttons::OkCancel ? Answer::Cancel : Answer::Ok);
  }
}

std::string QtDialogs::input(const std::string& prompt, const std::string& title,
                             const std::string& defaultText) {
  if (beforeModal_) beforeModal_();
  auto* dialog = new AnsweredBox<QInputDialog>(parent_ ? parent_() : nullptr);
  dialog->setWindowTitle(BoxTitle(title));
  dialog->setLabelText(QString::fromStdString(prompt));
  dialog->setTextValue(QString::fromStdString(defaultText));
  dialog->setInputMode(QInputDialog::TextInput);
  const bool accepted = dialog->ask() == QDialog::Accepted;
  const std::string answer = dialog->textValue().toStdString();
  handover_.holdBox(dialog);
  return accepted ? answer : "";
}

void QtDialogs::beep() {
  QApplication::beep();
}

void QtDialogs::doEvents() {
  QApplication::processEvents();
}

void QtDialogs::quit() {
  QCoreApplication::exit(0);
}

}  // namespace morvath
