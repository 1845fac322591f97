#include "app/qt_dialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <utility>

namespace morvath {

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
  QMessageBox box(parent_ ? parent_() : nullptr);
  box.setWindowTitle(BoxTitle(title));
  box.setTextFormat(Qt::PlainText);
  box.setText(QString::fromStdString(text));
  box.setIcon(icon == Icon::Stop ? QMessageBox::Critical : QMessageBox::NoIcon);
  switch (buttons) {
    case Buttons::Ok:
      box.setStandardButtons(QMessageBox::Ok);
      break;
    case Buttons::OkCancel:
      box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
      box.setDefaultButton(QMessageBox::Ok);
      break;
    case Buttons::YesNo:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      box.setDefaultButton(QMessageBox::Yes);
      break;
  }
  const int result = box.exec();
  switch (result) {
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
  QInputDialog dialog(parent_ ? parent_() : nullptr);
  dialog.setWindowTitle(BoxTitle(title));
  dialog.setLabelText(QString::fromStdString(prompt));
  dialog.setTextValue(QString::fromStdString(defaultText));
  dialog.setInputMode(QInputDialog::TextInput);
  if (dialog.exec() != QDialog::Accepted) return "";
  return dialog.textValue().toStdString();
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
