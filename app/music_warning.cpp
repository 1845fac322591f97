#include "app/music_warning.h"

#include <atomic>
#include <cstdio>

namespace morvath {

void WarnAboutMusic(const char* text) {
  static std::atomic<bool> warned{false};
  if (!warned.exchange(true)) std::fprintf(stderr, "morvath: %s\n", text);
}

}  // namespace morvath
