#include "core/screen.h"

#include <stdexcept>
#include <utility>

#include "core/game.h"

namespace morvath {
namespace {

template <typename T>
auto& Find(T& items, std::string_view name, const char* kind) {
  for (auto& item : items)
    if (item.name == name) return item;
  throw std::out_of_range(std::string("no ") + kind + " named " + std::string(name));
}

}  // namespace

Screen::Screen(Game& game, ScreenId id, std::string title)
    : game_(game), id_(id), title_(std::move(title)) {}

Label& Screen::label(std::string_view name) {
  return Find(labels_, name, "label");
}
Button& Screen::button(std::string_view name) {
  return Find(buttons_, name, "button");
}
Picture& Screen::picture(std::string_view name) {
  return Find(pictures_, name, "picture");
}
MenuItem& Screen::menu(std::string_view name) {
  return Find(menus_, name, "menu");
}
Gauge& Screen::gauge(std::string_view name) {
  return Find(gauges_, name, "gauge");
}
const Label& Screen::label(std::string_view name) const {
  return Find(labels_, name, "label");
}
const Button& Screen::button(std::string_view name) const {
  return Find(buttons_, name, "button");
}
const Picture& Screen::picture(std::string_view name) const {
  return Find(pictures_, name, "picture");
}

bool Screen::hasLabel(std::string_view name) const {
  for (const Label& l : labels_)
    if (l.name == name) return true;
  return false;
}

bool Screen::hasButton(std::string_view name) const {
  for (const Button& b : buttons_)
    if (b.name == name) return true;
  return false;
}

void Screen::click(std::string_view control) {
  auto it = clicks_.find(control);
  if (it == clicks_.end()) return;
  // A copy, so a handler may replace its own entry safely.
  std::function<void()> handler = it->second;
  handler();
}

void Screen::doubleClick(std::string_view control) {
  auto it = doubleClicks_.find(control);
  if (it == doubleClicks_.end()) return;
  std::function<void()> handler = it->second;
  handler();
}

bool Screen::hasClick(std::string_view control) const {
  return clicks_.count(control) > 0;
}
bool Screen::hasDoubleClick(std::string_view control) const {
  return doubleClicks_.count(control) > 0;
}

void Screen::write(Label& field, std::string caption) {
  field.caption = std::move(caption);
  written_.insert(field.name);
}

void Screen::keyDown(int, int) {}

void Screen::closeBox() {
  game_.exitQuestion();
}

Label& Screen::addLabel(std::string name, std::string caption, bool visible) {
  labels_.push_back(Label{std::move(name), std::move(caption), visible, {}});
  return labels_.back();
}

Button& Screen::addButton(std::string name, std::string caption, std::function<void()> handler) {
  if (handler) clicks_[name] = std::move(handler);
  buttons_.push_back(Button{std::move(name), std::move(caption), true, true});
  return buttons_.back();
}

Picture& Screen::addPicture(std::string name, bool visible, int left, int top) {
  pictures_.push_back(Picture{std::move(name), visible, left, top});
  return pictures_.back();
}

Gauge& Screen::addGauge(std::string name, int width, int height) {
  gauges_.push_back(Gauge{std::move(name), width, height, false, 0, 0});
  return gauges_.back();
}

MenuItem& Screen::addMenu(std::string name, std::string caption, std::string parent,
                          std::function<void()> handler) {
  if (handler) clicks_[name] = std::move(handler);
  menus_.push_back(
      MenuItem{std::move(name), std::move(caption), std::move(parent), {}, false, false});
  return menus_.back();
}

void Screen::onClick(std::string name, std::function<void()> handler) {
  clicks_[std::move(name)] = std::move(handler);
}

void Screen::onDoubleClick(std::string name, std::function<void()> handler) {
  doubleClicks_[std::move(name)] = std::move(handler);
}

void Screen::addFileExitMenu(const std::string& fileName, const std::string& exitName) {
  addMenu(fileName, "&File", "");
  addMenu(exitName, "E&xit", fileName, [this] { game_.exitQuestion(); });
}

void Screen::addMusicMenu(const std::string& optionsName, const std::string& itemName,
                          const std::string& optionsCaption, const std::string& itemCaption) {
  addMenu(optionsName, optionsCaption, "");
  MenuItem& item = addMenu(itemName, itemCaption, optionsName, [this] { game_.toggleMusic(); });
  item.shortcut = "F1";
  item.checkable = true;
  item.checked = true;
  musicItem_ = itemName;
}

void Screen::addInventoryMenu(const std::string& name) {
  addMenu(name, "&Inventory", "", [this] { game_.showInventory(); });
}

}  // namespace morvath
