#include "app/theme.h"

#include <QApplication>
#include <QFont>
#include <QFontMetrics>
#include <QIcon>
#include <QIconEngine>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPalette>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>
#include <cstring>

#include "app/layout_scale.h"
#include "app/widgets.h"

namespace morvath {
namespace {

// The keep's colours.
constexpr QRgb kStone = 0x1f1a15;       // windows, and the ink on parchment
constexpr QRgb kText = 0xeadcc0;        // plain text
constexpr QRgb kParchment = 0xf4ead2;   // what the player types on
constexpr QRgb kButtonText = 0xf2e6c8;  // button captions
constexpr QRgb kBrass = 0x9a7a3a;       // button, menu and field borders
constexpr QRgb kGold = 0xe0b54a;        // headings, focus
constexpr QRgb kTrim = 0x6b5430;        // the frames of boxes
constexpr QRgb kMenuBack = 0x2b231b;    // the menu bar and its menus
constexpr QRgb kMenuChosen = 0x5a4630;  // the menu entry under the pointer
constexpr QRgb kFadedText = 0x7d7060;   // what cannot be used now
constexpr QRgb kFadedFill = 0x2c251e;
constexpr QRgb kFadedBorder = 0x4a3f30;
constexpr QRgb kPressed = 0x2c2218;

// A button's look: a worn leather plate with a brass rim that lightens under the pointer,
// darkens while held, and rims itself in gold when it has the keyboard.
BoxLook ButtonLook(QStyle::State state) {
  BoxLook look;
  look.radius = 4;
  look.border = QColor(kBrass);
  if (!(state & QStyle::State_Enabled)) {
    look.fill = QColor(kFadedFill);
    look.border = QColor(kFadedBorder);
    return ScaledLook(look);
  }
  if (state & QStyle::State_Sunken) {
    look.fill = QColor(kPressed);
  } else {
    const bool hover = state & QStyle::State_MouseOver;
    QLinearGradient gradient(0, 0, 0, 1);
    gradient.setCoordinateMode(QGradient::ObjectBoundingMode);
    gradient.setColorAt(0, QColor(hover ? 0x6e5638 : 0x5a4630));
    gradient.setColorAt(1, QColor(hover ? 0x4a3826 : 0x3b2d1f));
    look.fill = gradient;
  }
  if (state & QStyle::State_HasFocus) look.border = QColor(kGold);
  return ScaledLook(look);
}

BoxLook Outline(QRgb colour, qreal radius = 0) {
  BoxLook look;
  look.border = QColor(colour);
  look.radius = radius;
  return ScaledLook(look);
}

// The space between a button's rim and its caption.
constexpr int kButtonPadX = 1 + 10;
constexpr int kButtonPadY = 1 + 3;
// The space between a text field's rim and the text.
constexpr int kFieldPad = 1 + 2;
// A group box: its frame starts this far down, and its title sits on the frame line this far in.
constexpr int kGroupTop = 12;
constexpr int kGroupTitleLeft = 8;
constexpr int kGroupTitlePad = 4;
// Menus: the space left of an entry's text, where the tick of a chosen entry goes, and the space
// kept right of the shortcut column.
constexpr int kMenuTextLeft = 17;
constexpr int kMenuTickWidth = 11;
constexpr int kMenuRightMargin = 14;

// The double chevron of a menu bar too narrow for its menus, drawn rather than read from the
// toolkit's pictures: every window's menu bar asks for it when it is built, and decoding those
// pictures would cost the start screen more than the rest of its menu bar.
class ChevronEngine : public QIconEngine {
 public:
  explicit ChevronEngine(bool vertical) : vertical_(vertical) {}
  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QPen(QColor(mode == QIcon::Disabled ? kFadedText : kText), 1.5));
    const QRectF box = QRectF(rect).adjusted(rect.width() * 0.25, rect.height() * 0.25,
                                             -rect.width() * 0.25, -rect.height() * 0.25);
    for (qreal step : {0.0, 0.5}) {
      QPolygonF chevron;
      if (vertical_) {
        const qreal y = box.top() + step * box.height();
        chevron << QPointF(box.left(), y) << QPointF(box.center().x(), y + box.height() / 2)
                << QPointF(box.right(), y);
      } else {
        const qreal x = box.left() + step * box.width();
        chevron << QPointF(x, box.top()) << QPointF(x + box.width() / 2, box.center().y())
                << QPointF(x, box.bottom());
      }
      painter->drawPolyline(chevron);
    }
    painter->restore();
  }
  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    paint(&painter, QRect(QPoint(0, 0), size), mode, state);
    return picture;
  }
  QIconEngine* clone() const override { return new ChevronEngine(vertical_); }

 private:
  bool vertical_;
};

// Fusion with the keep's buttons, fields, boxes and menus.
class GameStyle : public QProxyStyle {
 public:
  GameStyle() : QProxyStyle(QStyleFactory::create("Fusion")) {}

  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
    switch (element) {
      case PE_PanelLineEdit:
        if (const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option)) {
          BoxLook look = frame->lineWidth > 0 ? Outline(kBrass) : BoxLook();
          look.fill = option->palette.base();
          PaintBox(*painter, option->rect, look);
          return;
        }
        break;
      case PE_FrameLineEdit:
        PaintBox(*painter, option->rect, Outline(kBrass));
        return;
      case PE_PanelMenu:
        painter->fillRect(option->rect, QColor(kMenuBack));
        return;
      case PE_FrameMenu:
        PaintBox(*painter, option->rect, Outline(kBrass));
        return;
      case PE_PanelMenuBar:
        painter->fillRect(option->rect, QColor(kMenuBack));
        return;
      case PE_Frame:
        // A framed label (a prompt) is ruled in its palette's Mid colour, not in its text's.
        if (qobject_cast<const QLabel*>(widget)) {
          PaintBox(*painter, option->rect, Outline(option->palette.color(QPalette::Mid).rgb()));
          return;
        }
        break;
      default:
        break;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
  }

  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget) const override {
    switch (element) {
      case CE_PushButton:
        if (const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option)) {
          PaintBox(*painter, button->rect, ButtonLook(button->state));
          QStyleOptionButton label = *button;
          label.rect = button->rect.adjusted(Scaled(kButtonPadX), Scaled(kButtonPadY),
                                             -Scaled(kButtonPadX), -Scaled(kButtonPadY));
          proxy()->drawControl(CE_PushButtonLabel, &label, painter, widget);
          return;
        }
        break;
      case CE_MenuBarEmptyArea:
        painter->fillRect(option->rect, QColor(kMenuBack));
        return;
      case CE_MenuBarItem:
        if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option)) {
          const bool chosen = item->state & State_Selected;
          painter->fillRect(item->rect, QColor(chosen ? kMenuChosen : kMenuBack));
          painter->setPen(QColor(item->state & State_Enabled ? kText : kFadedText));
          // The caption sits a little above the middle, clear of the bar's lower edge.
          painter->drawText(item->rect.adjusted(0, 1, 0, -3),
                            textFlags(item, widget) | Qt::AlignCenter, item->text);
          return;
        }
        break;
      case CE_MenuItem:
        if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option)) {
          drawMenuItem(*item, painter, widget);
          return;
        }
        break;
      case CE_MenuEmptyArea:
        painter->fillRect(option->rect, QColor(kMenuBack));
        return;
      default:
        break;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
  }

  void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                          QPainter* painter, const QWidget* widget) const override {
    if (control == CC_GroupBox) {
      if (const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option)) {
        // The frame is broken where the gold title sits on it.
        const QRect title = subControlRect(CC_GroupBox, box, SC_GroupBoxLabel, widget);
        const QRect frame = subControlRect(CC_GroupBox, box, SC_GroupBoxFrame, widget);
        painter->save();
        painter->setClipRegion(QRegion(box->rect).subtracted(title));
        PaintBox(*painter, frame, Outline(kTrim, 4));
        painter->restore();
        painter->save();
        painter->setPen(QColor(box->state & State_Enabled ? kGold : kFadedText));
        painter->drawText(title, Qt::AlignCenter | Qt::TextShowMnemonic, box->text);
        painter->restore();
        return;
      }
    }
    QProxyStyle::drawComplexControl(control, option, painter, widget);
  }

  QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl sc,
                       const QWidget* widget) const override {
    if (control == CC_GroupBox) {
      if (const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option)) {
        const QRect frame = box->rect.adjusted(0, Scaled(kGroupTop), 0, 0);
        switch (sc) {
          case SC_GroupBoxFrame:
            return frame;
          case SC_GroupBoxContents:
            return frame.adjusted(1, 1, -1, -1);
          case SC_GroupBoxLabel: {
            const QFontMetrics metrics = box->fontMetrics;
            const int width = metrics.size(Qt::TextShowMnemonic, box->text).width();
            return QRect(box->rect.left() + Scaled(kGroupTitleLeft), box->rect.top(),
                         width + 2 * Scaled(kGroupTitlePad), metrics.height());
          }
          case SC_GroupBoxCheckBox:
            return {};
          default:
            break;
        }
      }
    }
    return QProxyStyle::subControlRect(control, option, sc, widget);
  }

  QRect subElementRect(SubElement element, const QStyleOption* option,
                       const QWidget* widget) const override {
    if (element == SE_LineEditContents)
      return option->rect.adjusted(Scaled(kFieldPad), Scaled(kFieldPad), -Scaled(kFieldPad),
                                   -Scaled(kFieldPad));
    return QProxyStyle::subElementRect(element, option, widget);
  }

  QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                         const QWidget* widget) const override {
    switch (type) {
      case CT_PushButton:
        return size + QSize(2 * Scaled(kButtonPadX), 2 * Scaled(kButtonPadY));
      case CT_LineEdit:
        return size + QSize(2 * Scaled(kFieldPad), 2 * Scaled(kFieldPad));
      case CT_MenuBarItem:
      case CT_MenuItem: {
        // The room around a menu's text grows with the text.
        const QSize padded = QProxyStyle::sizeFromContents(type, option, size, widget);
        return size + Scaled(padded - size);
      }
      default:
        return QProxyStyle::sizeFromContents(type, option, size, widget);
    }
  }

  QIcon standardIcon(StandardPixmap icon, const QStyleOption* option,
                     const QWidget* widget) const override {
    if (icon == SP_ToolBarHorizontalExtensionButton || icon == SP_ToolBarVerticalExtensionButton)
      return QIcon(new ChevronEngine(icon == SP_ToolBarVerticalExtensionButton));
    return QProxyStyle::standardIcon(icon, option, widget);
  }

  int pixelMetric(PixelMetric metric, const QStyleOption* option,
                  const QWidget* widget) const override {
    switch (metric) {
      case PM_DefaultFrameWidth:
        if (qobject_cast<const QLabel*>(widget) || qobject_cast<const QLineEdit*>(widget)) return 1;
        break;
      case PM_MenuPanelWidth:
        return 1;
      case PM_ButtonShiftHorizontal:
      case PM_ButtonShiftVertical:
        return 0;
      default:
        break;
    }
    return QProxyStyle::pixelMetric(metric, option, widget);
  }

 private:
  int textFlags(const QStyleOption* option, const QWidget* widget) const {
    int flags = Qt::TextShowMnemonic | Qt::TextDontClip | Qt::TextSingleLine;
    if (!proxy()->styleHint(SH_UnderlineShortcut, option, widget)) flags |= Qt::TextHideMnemonic;
    return flags;
  }

  void drawMenuItem(const QStyleOptionMenuItem& item, QPainter* painter,
                    const QWidget* widget) const {
    if (item.menuItemType == QStyleOptionMenuItem::Separator) {
      painter->fillRect(item.rect, QColor(kMenuBack));
      painter->fillRect(
          QRect(item.rect.left() + 4, item.rect.center().y(), item.rect.width() - 8, 1),
          QColor(kTrim));
      return;
    }
    const bool enabled = item.state & State_Enabled;
    const bool chosen = enabled && (item.state & State_Selected);
    painter->fillRect(item.rect, QColor(chosen ? kMenuChosen : kMenuBack));
    const QColor ink(enabled ? kText : kFadedText);
    if (item.checkType != QStyleOptionMenuItem::NotCheckable && item.checked) {
      QStyleOptionMenuItem tick = item;
      tick.rect =
          QRect(item.rect.left(), item.rect.top(), Scaled(kMenuTickWidth), item.rect.height());
      tick.state = State_On | (item.state & State_Enabled);
      for (QPalette::ColorRole role :
           {QPalette::Text, QPalette::WindowText, QPalette::ButtonText, QPalette::HighlightedText})
        tick.palette.setColor(role, ink);
      proxy()->drawPrimitive(PE_IndicatorMenuCheckMark, &tick, painter, widget);
    }
    QRect text = item.rect.adjusted(Scaled(kMenuTextLeft), 0, -Scaled(kMenuRightMargin), 0);
    text.setWidth(text.width() - item.reservedShortcutWidth);
    painter->save();
    painter->setPen(ink);
    const int flags = textFlags(&item, widget) | Qt::AlignLeft | Qt::AlignVCenter;
    QString caption = item.text;
    if (const qsizetype tab = caption.indexOf(u'\t'); tab >= 0) {
      // The shortcut goes in the column the menu keeps for it.
      const QRect shortcut(text.topRight(),
                           QPoint(item.rect.right() - Scaled(kMenuRightMargin), text.bottom()));
      painter->drawText(shortcut, flags, caption.mid(tab + 1));
      caption.truncate(tab);
    }
    painter->drawText(text, flags, caption);
    painter->restore();
    if (item.menuItemType == QStyleOptionMenuItem::SubMenu) {
      QStyleOptionMenuItem arrow = item;
      const int size = item.rect.height() / 2;
      arrow.rect =
          QRect(item.rect.right() - size - 4, item.rect.center().y() - size / 2, size, size);
      arrow.palette.setColor(QPalette::ButtonText, ink);
      proxy()->drawPrimitive(PE_IndicatorArrowRight, &arrow, painter, widget);
    }
  }
};

// How each part a label can play in a window looks.
struct RoleLook {
  const char* role;
  QRgb colour;
  const char* family;  // nullptr: the window's own
  int pointSize;       // 0: the window's own
  bool bold;
  bool italic;
  // Whether a screen reader is told the label's text by itself when it is shown or changes
  // (captions and values are read with what they belong to, as a window's spoken rows say).
  bool spoken;
};

constexpr RoleLook kRoles[] = {
    {"title", kGold, "DejaVu Serif", 26, true, false, true},
    {"subtitle", 0xa8977a, nullptr, 0, false, true, true},
    {"heading", kGold, "DejaVu Serif", 16, true, false, true},
    {"caption", 0xc9b48a, nullptr, 0, false, false, false},
    {"value", 0xffffff, nullptr, 0, true, false, false},
    {"message", 0xf2e6c8, "DejaVu Serif", 0, false, false, true},
    {"prompt", kStone, nullptr, 0, false, false, true},
    {"note", 0xa8977a, nullptr, 0, false, true, true},
};

const RoleLook* FindRole(const char* role) {
  if (!role) return nullptr;
  for (const RoleLook& look : kRoles)
    if (std::strcmp(look.role, role) == 0) return &look;
  return nullptr;
}

}  // namespace

void ApplyTheme(QApplication& app) {
  app.setStyle(new GameStyle);
  QPalette palette;
  palette.setColor(QPalette::Window, QColor(kStone));
  palette.setColor(QPalette::WindowText, QColor(kText));
  palette.setColor(QPalette::Base, QColor(kParchment));
  palette.setColor(QPalette::Text, QColor(kStone));
  palette.setColor(QPalette::Button, QColor(0x4a3826));
  palette.setColor(QPalette::ButtonText, QColor(kButtonText));
  palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(kFadedText));
  palette.setColor(QPalette::Highlight, QColor(kBrass));
  app.setPalette(palette);
  // Every window's text grows with the layout.
  QFont font("DejaVu Sans");
  font.setPointSizeF(ScaledPoints(10));
  app.setFont(font);
  // Windows already open take the new look now rather than at the next turn of the event loop.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::ApplicationPaletteChange);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::ApplicationFontChange);
}

void ApplyWindowIcon(QApplication& app) {
  QIcon icon;
  for (int size : {16, 32, 48, 64, 128, 256})
    icon.addFile(QString(":/icon/morvath-%1.png").arg(size), QSize(size, size));
  app.setWindowIcon(icon);
}

void ApplyRole(QLabel* label, const char* role) {
  if (!role) return;
  label->setProperty("role", role);
  const RoleLook* look = FindRole(role);
  if (!look) return;
  QFont font = label->font();
  if (look->family) font.setFamily(look->family);
  if (look->pointSize) font.setPointSizeF(ScaledPoints(look->pointSize));
  if (look->bold) font.setBold(true);
  if (look->italic) font.setItalic(true);
  label->setFont(font);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, QColor(look->colour));
  if (std::strcmp(role, "prompt") == 0) {
    // A question the game waits on: dark ink on a parchment strip with a brass rule.
    palette.setColor(QPalette::Window, QColor(0xe0c98f));
    palette.setColor(QPalette::Mid, QColor(0x8a6b2e));
    label->setAutoFillBackground(true);
    label->setFrameShape(QFrame::StyledPanel);
  }
  label->setPalette(palette);
}

bool RoleIsSpoken(const char* role) {
  const RoleLook* look = FindRole(role);
  return look && look->spoken;
}

QColor RoleColor(const char* role) {
  const RoleLook* look = FindRole(role);
  return QColor(look ? look->colour : kText);
}

void SetTextColor(QWidget* widget, const QColor& color) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, color);
  widget->setPalette(palette);
}

}  // namespace morvath
