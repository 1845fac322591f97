// The start screen: title, new game, load game, leaving the program, the start counter and the
// story. It also owns the music switch and the end-of-tune flag.
#pragma once

#include "core/screen.h"

namespace morvath {

class StartForm : public Screen {
 public:
  explicit StartForm(Game& game);

  Label& Label2;       // "Keep of the Morvath"
  Label& Label3;       // "Version 2.80"
  Label& Message;      // the load prompt, hidden until "&Load Game"
  Label& Music;        // music switch, "on" or "off" (hidden)
  Label& MusicFinish;  // end-of-tune flag (hidden)
  Button& New;
  Button& Load;
  Button& Command1;  // "E&xit"

  // Screen load at program start: music, start counter, story and about box at the first start.
  void Form_Load();
  void New_Click();
  void Load_Click();
  void Command1_Click();
  void MMExit_Click();
  void MNUStory_Click();
  // The about box.
  void MSGAbout();

  void keyDown(int keyCode, int shift) override;
  bool readsKeys() const override { return true; }
  // The start screen's close box ends the program without a question.
  void closeBox() override;

  static constexpr const char* kLoadPrompt =
      "      Load game from which slot? (type a key between 1 & 9 or C to cancel)";
  static constexpr const char* kFirstStory =
      "It is a time when darkness rules. The three Lords of Death, from the depths of Hell, have "
      "released the Morvath from his inprisonment. Now Chaos rules the land. People scatter along "
      "the streets trying to hide from the demon's icy stare. Many great castles have been "
      "demolished by the demonic hords. Little hope remains exept you, a young warrior. You have "
      "journeyed to the city of Makar, high in the moutains to face the evil Morvath dwelling "
      "there. Can you restore peace to the lands?";
  static constexpr const char* kMenuStory =
      "It is a time when darkness rules. The three Lords of Death, from the depths of Hell, have "
      "released the Morvath and all of his servants from thier inprisonment. Now Chaos rules the "
      "land. People scatter along the streets trying to hide from the demons' destructive wake. "
      "Many great castles have been demolished by the demonic hords. Little hope remains exept "
      "you, a young warrior. You have journeyed to the city of Makar, high in the moutains to face "
      "the evil Morvath dwelling there. Can you restore peace to the lands?";
  static constexpr const char* kAbout =
      "Keep of the Morvath, version 2.80.\n\nA turn-based fantasy role-playing game. Walk the map "
      "with the arrow keys, fight in the caves, buy your gear in Makar, rest and save at the "
      "Elkwood Inn.\n\nMusic can be switched off and on with F1.";
};

}  // namespace morvath
