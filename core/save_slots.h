// The nine save slots in the settings store (application "ZARQ", sections "Save1".."Save9"),
// the marker of the slot used last, and the slot prompts of the start screen and the inn.
#pragma once

#include <functional>
#include <string>

#include "core/ports.h"

namespace morvath {

class Game;

// The settings-store application that holds the slots.
inline constexpr const char* kSaveApp = "ZARQ";
inline constexpr const char* kNoSave = "There is no save in that slot.";
// A save the disk refused, and one that found the save file locked by another program.
inline constexpr const char* kSaveFailed =
    "Your game could not be saved. Your earlier save is kept as it was.";
inline constexpr const char* kSaveBusy =
    "The save file is in use, so your game was not saved. Your earlier save is kept as it was; "
    "try again in a moment.";

// What a load says of a slot that reads as empty: kNoSave, unless the save file could not be
// read, when it says so and where the file is kept.
std::string NoSaveText(Game& game);

// The section chosen by a slot key: "Save1".."Save9" for the digits 1 to 9 on the main row, and
// on the keypad when keypadAllowed; empty text for any other key.
std::string SlotForKey(int keyCode, bool keypadAllowed);

// Reads a spell flag of a slot: "True" (in any case) is a known spell; "False", an empty or
// missing flag and anything else written by hand is not.
bool SpellFlag(const std::string& text);

// Writes the character, the potion counts and the spell flags into the section, all at once.
// When the store could not keep them, the slot reads again as it did before.
Flushed SaveSlot(Game& game, const std::string& section);

// How far the load steps got.
enum class LoadResult {
  EmptySlot,  // no name in the slot: only Beat and CharName were read
  NoHealth,   // a name but no health: everything read, the map prepared, the start screen stays
  Loaded,     // the map is shown
};

// The load steps for a section: fills the record, puts the character by the fountain, starts the
// overworld tune and shows the map. afterRead runs once the slot has been read, the map prepared
// and the tune switched, before the health is checked (the start screen closes its prompt there).
LoadResult RunLoadSteps(Game& game, const std::string& section,
                        const std::function<void()>& afterRead = {});

// LoadSave: the death screen's reload. "Successful!" on success, empty text otherwise.
std::string LoadSave(Game& game, const std::string& section);

// A key pressed while the start screen's load prompt is shown.
void LoadPromptKey(Game& game, int keyCode);

// "&Clear Saves": empties the name and the values of all nine slots.
void ClearSaves(Game& game);

}  // namespace morvath
