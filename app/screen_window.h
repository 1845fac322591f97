// The base of every screen's window: a fixed-size canvas on which the window places its controls
// by name, and a menu bar built from the screen's menus. sync() re-reads the screen's state.
// Windows give every size and place in design pixels; they are drawn at the run's layout scale.
#pragma once

#include <QMainWindow>
#include <QPoint>
#include <QRect>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/announcer.h"
#include "app/widgets.h"
#include "core/screen.h"

class QPushButton;
class QAction;

namespace morvath {

class Frontend;

class ScreenWindow : public QMainWindow {
  Q_OBJECT
 public:
  // canvasSize in design pixels.
  ScreenWindow(Frontend& frontend, Screen& screen, QSize canvasSize);
  Screen& screen() { return screen_; }
  const Screen& screen() const { return screen_; }
  // Re-reads the screen's state into the widgets; windows with more to show extend it.
  virtual void sync();
  // What changed since the last call, to be said to a screen reader (see Announcer::update).
  QString announce(bool opened);
  Announcer& announcer() { return announcer_; }

 protected:
  QWidget* canvas() { return canvas_; }
  Frontend& frontend() { return frontend_; }
  // Runs a handler of the screen through the front end.
  void send(std::function<void()> handler);

  // Widgets bound to the screen's controls of the same name.
  QPushButton* bindButton(const std::string& name, QRect geometry);
  ClickLabel* bindLabel(const std::string& name, QRect geometry, const char* role = nullptr);
  // Pictures are placed by their twips position (15 twips a pixel) from an origin in pixels;
  // scale is the picture's at layout scale 1.
  PixelView* bindPicture(const std::string& name, const QImage& image, int scale, QPoint origin);
  // Places a widget of the window's own at a design rectangle.
  void place(QWidget* widget, QRect geometry);
  // Resizes the canvas (design pixels).
  void setCanvasSize(QSize size);
  GaugeView* bindGauge(const std::string& name, QRect geometry);
  // A fixed caption that no rule changes.
  ClickLabel* addText(const QString& text, QRect geometry, const char* role = nullptr,
                      const std::string& clickName = {});

  // What the window says to a screen reader, in reading order. By default the labels bound with
  // a spoken role (headings, notes, messages, prompts) while shown; a heading that repeats the
  // window's title is left to the screen reader, which says the title itself.
  // speakOnly replaces all of it with the window's own table; alsoSpeak adds a row to it.
  void speakOnly(std::vector<SpokenRow> rows);
  void alsoSpeak(SpokenRow row);

  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  // Gives the widget a spoken row names its name or description.
  void giveName(const SpokenRow& row);
  void buildMenus();

  Frontend& frontend_;
  Screen& screen_;
  QWidget* canvas_;
  Announcer announcer_;
  std::vector<SpokenRow> speech_;
  bool ownSpeech_ = false;  // the window declared its table: no rows from the labels' roles
  std::map<std::string, QWidget*> named_;  // the widgets the table names, by object name
  struct BoundButton {
    QPushButton* widget;
    std::string name;
  };
  struct BoundLabel {
    ClickLabel* widget;
    std::string name;
  };
  struct BoundPicture {
    PixelView* widget;
    std::string name;
    double scale;   // screen pixels to a pixel of the picture
    QPoint origin;  // screen pixels
  };
  struct BoundGauge {
    GaugeView* widget;
    std::string name;
  };
  struct BoundMenu {
    QAction* action;
    std::string name;
  };
  std::vector<BoundButton> buttons_;
  std::vector<BoundLabel> labels_;
  std::vector<BoundPicture> pictures_;
  std::vector<BoundGauge> gauges_;
  std::vector<BoundMenu> menus_;
};

}  // namespace morvath
