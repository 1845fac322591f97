#include "app/qt_dialogs.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QInputDialog>
#include <QMessageBox>
#include <QSpacerItem>
#include <utility>

namespace morvath {
namespace {

// Room in a title bar besides the title: the window's icon and its buttons (close, and on some
// desktops minimize and maximize), as GNOME's, KDE's and openbox's title bars draw them.
constexpr int kTitleBarAllowance = 150;

// Makes a box wide enough for its title with the desktop's title bar, which otherwise cuts a
// narrow box's title short ("Enter Nan").
void FitTitle(QDialog& box) {
  QFont font = box.font();
  font.setBold(true);
  const int width = QFontMetrics(font).horizontalAdvance(box.windowTitle()) + kTitleBarAllowance;
  // A message box lays itself out anew whenever its text changes: a row of that width in its
  // grid keeps it that wide.
  if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Fixed, QSizePolicy::Minimum),
                  grid->rowCount(), 0, 1, grid->columnCount());
  else
    box.setMinimumWidth(width);
}

// Shows a box and waits for its answer. The box is gone for the player the moment it is answered
// (hidden, taking no input, blocking no window), and the keyboard goes where the game goes next.
int Ask(QDialog& box, KeyboardHandover* handover, QWidget* owner) {
  box.setWindowModality(Qt::ApplicationModal);
  FitTitle(box);
  if (handover) handover->boxAsked(&box);
  const int result = box.exec();
  if (handover) handover->boxAnswered(owner);
  return result;
}

}  // namespace

QString BoxTitle(const std::string& title) {
  return title.empty() ? QStringLiteral(" ") : QString::fromStdString(title);
}

void QtDialogs::setHooks(std::function<void()> beforeModal, std::function<QWidget*()> parent,
                         KeyboardHandover* handover) {
  beforeModal_ = std::move(beforeModal);
  parent_ = std::move(parent);
  handover_ = handover;
}

Answer QtDialogs::message(const std::string& text, const std::string& title, Buttons buttons,
                          Icon icon) {
  if (beforeModal_) beforeModal_();
  QWidget* owner = parent_ ? parent_() : nullptr;
  QMessageBox box(owner);
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
  Ask(box, handover_, owner);
  const QMessageBox::StandardButton clicked = box.standardButton(box.clickedButton());
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
  QWidget* owner = parent_ ? parent_() : nullptr;
  QInputDialog dialog(owner);
  dialog.setWindowTitle(BoxTitle(title));
  dialog.setLabelText(QString::fromStdString(prompt));
  dialog.setTextValue(QString::fromStdString(defaultText));
  dialog.setInputMode(QInputDialog::TextInput);
  if (Ask(dialog, handover_, owner) != QDialog::Accepted) return "";
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
