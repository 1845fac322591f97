#include "core/inventory_window.h"

namespace morvath {
namespace {
constexpr int kRowHeight = 22;
}

InventoryWindow::InventoryWindow(Frontend& frontend, Inventory& inventory)
    : ScreenWindow(frontend, inventory, QSize(330, 20 + kRowHeight * 19 + 12)),
      inventory_(inventory) {
  setWindowFlag(Qt::Tool);
  name_ = addText("", QRect(14, 10, 302, 26), "heading");
  name_->setTextFormat(Qt::PlainText);
  int y = 10 + 30;
  for (const Inventory::Row& row : Inventory::kRows) {
    addText(row.caption, QRect(14, y, 140, kRowHeight), "caption");
    QLabel* value = addText("", QRect(160, y, 160, kRowHeight), "value");
    value->setTextFormat(Qt::PlainText);
    values_.push_back(value);
    y += kRowHeight;
  }
  // The name, then every value with its caption.
  using Kind = SpokenRow::Kind;
  auto text = [](const std::string& field) { return QString::fromStdString(field); };
  std::vector<SpokenRow> spoken = {
      Row("name", Kind::Heading, {Value([this, text] { return text(inventory_.ch.CharName); })})};
  for (const Inventory::Row& row : Inventory::kRows) {
    auto value = [this, text, field = row.field] { return text(inventory_.ch.*field); };
    spoken.push_back(Row(row.caption, Kind::Heading,
                         {Words(QString::fromLatin1(row.caption) + " "), Value(value)}));
  }
  speakOnly(std::move(spoken));
}

void InventoryWindow::sync() {
  ScreenWindow::sync();
  const Character& c = inventory_.ch;
  name_->setText(QString::fromStdString(c.CharName));
  for (size_t i = 0; i < values_.size(); ++i)
    values_[i]->setText(QString::fromStdString(c.*(Inventory::kRows[i].field)));
}

}  // namespace morvath
