// The screens of the game, one window each.
#pragma once

#include <array>
#include <string_view>

namespace morvath {

// Every screen of the game; the names are the screens' own.
enum class ScreenId {
  aaStartForm,
  Caves,
  Battle,
  Cast,
  Dead,
  Inventory,
  Cave1,
  Cave2,
  Cave3,
  Cave4,
  Tower1,
  Tower2,
  Tower3,
  UpperKeep,
  WeaponShop,
  ArmorShop,
  MagicShop,
  Inn,
  Black,
};

// All screens in declaration order.
inline constexpr std::array<ScreenId, 19> kAllScreens = {
    ScreenId::aaStartForm, ScreenId::Caves,     ScreenId::Battle,     ScreenId::Cast,
    ScreenId::Dead,        ScreenId::Inventory, ScreenId::Cave1,      ScreenId::Cave2,
    ScreenId::Cave3,       ScreenId::Cave4,     ScreenId::Tower1,     ScreenId::Tower2,
    ScreenId::Tower3,      ScreenId::UpperKeep, ScreenId::WeaponShop, ScreenId::ArmorShop,
    ScreenId::MagicShop,   ScreenId::Inn,       ScreenId::Black};

// The screen's name as the game calls it ("Caves", "Battle", ...).
std::string_view ScreenName(ScreenId id);

// The windows that may stand on top of a game screen without replacing it.
inline bool IsOverlay(ScreenId id) {
  return id == ScreenId::Inventory || id == ScreenId::Cast;
}

}  // namespace morvath
