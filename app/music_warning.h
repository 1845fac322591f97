// The one line about music a run may print: the first problem with the music (no tunes, no
// synthesizer, no soundfont, no sound card) is told on stderr as "morvath: ..."; the game then
// plays on in silence and says nothing more about it.
#pragma once

namespace morvath {

// Prints "morvath: <text>" on stderr unless a line about music was already printed in this run.
// Safe from any thread.
void WarnAboutMusic(const char* text);

}  // namespace morvath
