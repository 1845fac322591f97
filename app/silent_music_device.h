// A music device that plays nothing but remembers its file name, for runs without music.
#pragma once

#include <string>

#include "core/ports.h"

namespace morvath {

class SilentMusicDevice : public MusicDevice {
 public:
  void setFileName(const std::string& name) override { file_ = name; }
  std::string fileName() const override { return file_; }
  void command(const std::string&) override {}

 private:
  std::string file_;
};

}  // namespace morvath
