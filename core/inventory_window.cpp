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
}

void InventoryWindow::sync() {
  ScreenWindow::sync();
  const Character& c = inventory_.ch;
  name_->setText(QString::fromStdString(c.CharName));
  for (size_t i = 0; i < values_.size(); ++i)
    values_[i]->setText(QString::fromStdString(c.*(Inventory::kRows[i].field)));
}

std::vector<SpokenLine> InventoryWindow::spokenLines() const {
  std::vector<SpokenLine> lines{{"name", name_->text()}};
  for (size_t i = 0; i < values_.size(); ++i) {
    const QString caption = QString::fromLatin1(Inventory::kRows[i].caption);
    if (!values_[i]->text().isEmpty())
      lines.push_back({caption.toStdString(), caption + " " + values_[i]->text()});
  }
  return lines;
}

}  // namespace morvath
