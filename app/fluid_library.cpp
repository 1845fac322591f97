#include "app/fluid_library.h"

#include <dlfcn.h>

#include <mutex>

namespace morvath {
namespace {

template <typename Pointer>
bool Bind(void* handle, const char* name, Pointer& pointer) {
  pointer = reinterpret_cast<Pointer>(dlsym(handle, name));
  return pointer != nullptr;
}

}  // namespace

const FluidLibrary* FluidLibrary::Load() {
  static FluidLibrary library;
  static const FluidLibrary* loaded = nullptr;
  static std::once_flag once;
  std::call_once(once, [] {
    void* handle = dlopen("libfluidsynth.so.3", RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) return;
    bool all = true;
#define MORVATH_FLUID_BIND(name) all = Bind(handle, #name, library.name) && all;
    MORVATH_FLUID_FUNCTIONS(MORVATH_FLUID_BIND)
#undef MORVATH_FLUID_BIND
    if (!all) return;
    // FluidSynth brought libasound in with it; reach it without loading anything new.
    if (void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_NOLOAD))
      Bind(alsa, "snd_lib_error_set_handler", library.snd_lib_error_set_handler);
    loaded = &library;
  });
  return loaded;
}

}  // namespace morvath
