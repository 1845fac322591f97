// Message and input boxes of Qt for the game's Dialogs port.
#pragma once

#include <QString>
#include <functional>
#include <string>

#include "app/keyboard_handover.h"
#include "core/ports.h"

class QWidget;

namespace morvath {

class QtDialogs : public Dialogs {
 public:
  // beforeModal brings the windows up to date before a box is shown; parent gives the window the
  // box belongs to; handover learns when a box asks and when it is answered.
  void setHooks(std::function<void()> beforeModal, std::function<QWidget*()> parent,
                KeyboardHandover* handover = nullptr);

  Answer message(const std::string& text, const std::string& title, Buttons buttons,
                 Icon icon) override;
  std::string input(const std::string& prompt, const std::string& title,
                    const std::string& defaultText) override;
  void beep() override;
  void doEvents() override;
  void quit() override;

 private:
  std::function<void()> beforeModal_;
  std::function<QWidget*()> parent_;
  KeyboardHandover* handover_ = nullptr;
};

// The title a box really shows: an empty title is shown as a blank title bar (a lone space), so
// the window system does not put the program's name there instead.
QString BoxTitle(const std::string& title);

}  // namespace morvath
