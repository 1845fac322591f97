#include "town/equipment_window.h"

#include <QPushButton>
#include <initializer_list>

namespace morvath {
namespace {

constexpr int kWidth = 460;
constexpr int kRowHeight = 30;
constexpr int kListGap = 12;
constexpr int kFirstRow = 96;
constexpr QRect kButtonColumn(24, 0, 230, 26);
constexpr QRect kValueColumn(270, 0, 70, 26);
constexpr QRect kCostColumn(350, 0, 86, 26);

int RowsHeight(std::initializer_list<EquipmentSlot> lists) {
  int height = 0;
  for (EquipmentSlot slot : lists) height += static_cast<int>(ItemsFor(slot).size()) * kRowHeight;
  return height + kListGap * (static_cast<int>(lists.size()) - 1);
}

QRect AtRow(QRect column, int y) {
  return column.translated(0, y);
}

}  // namespace

int EquipmentShopWindow::CanvasHeight(std::initializer_list<EquipmentSlot> lists) {
  return kFirstRow + RowsHeight(lists) + 64;
}

EquipmentShopWindow::EquipmentShopWindow(Frontend& frontend, EquipmentShop& shop,
                                         std::initializer_list<EquipmentSlot> lists)
    : ScreenWindow(frontend, shop, QSize(kWidth, CanvasHeight(lists))) {
  bindLabel("Label1", QRect(0, 12, kWidth, 44), "title")->setAlignment(Qt::AlignCenter);
  bindLabel("lblValue", AtRow(kValueColumn, kFirstRow - 30), "caption")
      ->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  bindLabel("lblCost", AtRow(kCostColumn, kFirstRow - 30), "caption")
      ->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  int y = kFirstRow;
  for (EquipmentSlot slot : lists) {
    for (const EquipmentItem& item : ItemsFor(slot)) {
      const std::string button = item.button;
      bindButton(button, AtRow(kButtonColumn, y));
      // A screen reader says the row's value and cost with the item's name.
      alsoSpeak(Row(button, SpokenRow::Kind::Silent,
                    {Field("lblValue"), Words(" "), Field(button + "Value"), Words(", "),
                     Field("lblCost"), Words(" "), Field(button + "Cost")})
                    .naming(button, SpokenRow::Names::Description));
      bindLabel(button + "Value", AtRow(kValueColumn, y), "value")
          ->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
      bindLabel(button + "Cost", AtRow(kCostColumn, y), "value")
          ->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
      y += kRowHeight;
    }
    y += kListGap;
  }
  bindButton("Exit", QRect((kWidth - 200) / 2, y + 6, 200, 32));
}

}  // namespace morvath
