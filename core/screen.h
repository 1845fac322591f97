// The base of every screen object: the screen's controls as plain data, its event handlers under
// the controls' names, and its shown/enabled state.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/controls.h"
#include "core/screen_id.h"

namespace morvath {

class Game;

// Key codes as the game knows them.
namespace key {
inline constexpr int kLeft = 37;
inline constexpr int kUp = 38;
inline constexpr int kRight = 39;
inline constexpr int kDown = 40;
inline constexpr int k0 = 48;     // '0'..'9' are 48..57
inline constexpr int kA = 65;     // 'A'..'Z' are 65..90
inline constexpr int kPad0 = 96;  // keypad 0..9 are 96..105
inline constexpr int kShift = 1;  // modifier bits of the shift state
inline constexpr int kCtrl = 2;
inline constexpr int kAlt = 4;
}  // namespace key

class Screen {
 public:
  Screen(Game& game, ScreenId id, std::string title);
  virtual ~Screen() = default;
  Screen(const Screen&) = delete;
  Screen& operator=(const Screen&) = delete;

  ScreenId id() const { return id_; }
  // The window title.
  const std::string& title() const { return title_; }

  // Whether the window is shown, and whether it takes input.
  bool visible = false;
  bool enabled = true;
  // Counts the times the player asked for this screen while it may already stand open: its window
  // comes to the front and takes the focus whenever the count changes.
  unsigned frontRequests = 0;

  // Controls by name; an unknown name is a programming error (std::out_of_range).
  Label& label(std::string_view name);
  Button& button(std::string_view name);
  Picture& picture(std::string_view name);
  MenuItem& menu(std::string_view name);
  Gauge& gauge(std::string_view name);
  const Label& label(std::string_view name) const;
  const Button& button(std::string_view name) const;
  const Picture& picture(std::string_view name) const;
  bool hasLabel(std::string_view name) const;
  bool hasButton(std::string_view name) const;

  // All controls in the order they were created.
  const std::deque<Label>& labels() const { return labels_; }
  const std::deque<Button>& buttons() const { return buttons_; }
  const std::deque<Picture>& pictures() const { return pictures_; }
  const std::deque<MenuItem>& menus() const { return menus_; }
  const std::deque<Gauge>& gauges() const { return gauges_; }

  // Events the front end forwards. A click reaches a button, a menu item, a label, a picture,
  // a gauge or (with the empty name) the window itself; names without a handler are ignored.
  void click(std::string_view control);
  void doubleClick(std::string_view control);
  bool hasClick(std::string_view control) const;
  bool hasDoubleClick(std::string_view control) const;
  // A key pressed while the screen is in front (key codes of namespace key, shift bits).
  virtual void keyDown(int keyCode, int shift);
  // Whether the screen reads the keyboard before its controls do.
  virtual bool readsKeys() const { return false; }
  // The window's own close box was used.
  virtual void closeBox();
  // A screen with a clock: its period in milliseconds while it is the screen in front (0: none),
  // and one tick of it.
  virtual int timerInterval() const { return 0; }
  virtual void timerTick() {}

  // What the game's commands wrote on this screen since it was last asked: the names of the
  // fields written as a command's answer (a message line, a health, a card, the hero's cell),
  // also where the text came out as it was (a second step against the same wall, a blow of 0).
  // What a command only clears or fills in again as it stood (the place text on the map at every
  // key) is not written. Asking empties the record.
  std::set<std::string> takeWritten() { return std::exchange(written_, {}); }
  // Writes a field as a command's answer, and records it.
  void write(Label& field, std::string caption);
  // Records a field as written by a command without new text (cards turned face up).
  void wrote(const std::string& field) { written_.insert(field); }

  // The name of this screen's "Music o&n" item, empty when it has none.
  const std::string& musicItem() const { return musicItem_; }

 protected:
  Label& addLabel(std::string name, std::string caption, bool visible = true);
  Button& addButton(std::string name, std::string caption, std::function<void()> onClick);
  Picture& addPicture(std::string name, bool visible = true, int left = 0, int top = 0);
  Gauge& addGauge(std::string name, int width, int height);
  MenuItem& addMenu(std::string name, std::string caption, std::string parent,
                    std::function<void()> onClick = {});
  void onClick(std::string name, std::function<void()> handler);
  void onDoubleClick(std::string name, std::function<void()> handler);

  // The menus most screens share: "&File" with "E&xit" asking the exit question, the music
  // switch, and "&Inventory". Empty names leave a menu out.
  void addFileExitMenu(const std::string& fileName, const std::string& exitName);
  void addMusicMenu(const std::string& optionsName, const std::string& itemName,
                    const std::string& optionsCaption = "Option&s",
                    const std::string& itemCaption = "Music o&n");
  void addInventoryMenu(const std::string& name);

  Game& game_;

 private:
  ScreenId id_;
  std::string title_;
  std::string musicItem_;
  std::set<std::string> written_;
  std::deque<Label> labels_;
  std::deque<Button> buttons_;
  std::deque<Picture> pictures_;
  std::deque<MenuItem> menus_;
  std::deque<Gauge> gauges_;
  std::map<std::string, std::function<void()>, std::less<>> clicks_;
  std::map<std::string, std::function<void()>, std::less<>> doubleClicks_;
};

}  // namespace morvath
