// Unwrapping of the game's tune files. Some tunes are RIFF-wrapped MIDI files (.rmi), which
// FluidSynth cannot read; this hands it the Standard MIDI File inside them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace morvath {

// The Standard MIDI File held in a tune file: a file that starts with "MThd" as it is; the
// "data" chunk of a RIFF "RMID" file (LIST chunks may stand before or after it; a data chunk
// cut short by the end of the file is clamped to what is there, but it must start with "MThd").
// Anything else (empty, truncated headers, other RIFF forms, garbage) gives nullopt.
std::optional<std::string> extractMidi(std::string_view fileBytes);

}  // namespace morvath
