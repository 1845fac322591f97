// The state of a screen's controls as plain data. Windows show it; the core changes it.
#pragma once

#include <string>

namespace morvath {

// A label: its caption, whether it is shown, and its hidden second value (the tag).
struct Label {
  std::string name;
  std::string caption;
  bool visible = true;
  std::string tag;
};

// A command button.
struct Button {
  std::string name;
  std::string caption;
  bool enabled = true;
  bool visible = true;
};

// A picture placed on its screen; positions are in twips (15 twips a pixel).
struct Picture {
  std::string name;
  bool visible = true;
  int left = 0;
  int top = 0;
};

// A menu entry. Top-level entries have an empty parent; entries with a parent are the items of
// the top-level menu of that name.
struct MenuItem {
  std::string name;
  std::string caption;
  std::string parent;
  std::string shortcut;  // e.g. "F1"
  bool checkable = false;
  bool checked = false;
};

// A health gauge: cleared, or a box from (0, 0) to (width, height of the gauge) in a colour.
struct Gauge {
  std::string name;
  int width = 0;   // pixels of the whole gauge
  int height = 0;  // pixels of the whole gauge
  bool drawn = false;
  int boxWidth = 0;
  unsigned colour = 0;  // 0xRRGGBB
};

}  // namespace morvath
