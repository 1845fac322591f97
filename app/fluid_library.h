// FluidSynth, loaded when music first needs it rather than when the game starts: the library
// and the many libraries it depends on take longer to link than the start screen takes to show.
// The music worker loads it on its own thread.
#pragma once

#include <alsa/asoundlib.h>
#include <fluidsynth.h>

namespace morvath {

// clang-format off
#define MORVATH_FLUID_FUNCTIONS(X) \
  X(fluid_set_log_function) \
  X(new_fluid_settings) \
  X(delete_fluid_settings) \
  X(fluid_settings_setint) \
  X(fluid_settings_setnum) \
  X(fluid_settings_setstr) \
  X(new_fluid_synth) \
  X(delete_fluid_synth) \
  X(fluid_synth_sfload) \
  X(fluid_synth_sfunload) \
  X(fluid_synth_all_notes_off) \
  X(fluid_synth_all_sounds_off) \
  X(fluid_synth_reverb_on) \
  X(fluid_synth_system_reset) \
  X(fluid_synth_get_active_voice_count) \
  X(fluid_synth_write_s16) \
  X(new_fluid_audio_driver) \
  X(delete_fluid_audio_driver) \
  X(new_fluid_player) \
  X(delete_fluid_player) \
  X(fluid_player_add_mem) \
  X(fluid_player_play) \
  X(fluid_player_stop) \
  X(fluid_player_get_status) \
  X(fluid_player_get_total_ticks) \
  X(fluid_player_set_tick_callback)
// clang-format on

// The FluidSynth functions the music device uses.
struct FluidLibrary {
#define MORVATH_FLUID_POINTER(name) decltype(&::name) name = nullptr;
  MORVATH_FLUID_FUNCTIONS(MORVATH_FLUID_POINTER)
#undef MORVATH_FLUID_POINTER
  // libasound's error printer, silenced when it is there (nullptr otherwise).
  decltype(&::snd_lib_error_set_handler) snd_lib_error_set_handler = nullptr;

  // Loads the library once (thread-safe); nullptr when it or one of its functions is missing.
  static const FluidLibrary* Load();
};

}  // namespace morvath
