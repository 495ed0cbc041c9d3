// The main window: a thin mirror of the core. It shows the surface's backing
// image, turns mouse and key events into plain input events, and mirrors the
// status panels and the menu model; what they do is decided by the core.
#pragma once

#include <QLabel>
#include <QMainWindow>
#include <QWidget>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/InputEvent.h"
#include "app/MenuModel.h"

class QAction;
class QMenu;

namespace plandra {

class QtSurface;

constexpr int kStatusPanelCount = 12;

enum class PanelBevel { kInset, kRaised };

struct ZEvavCallbacks {
  std::function<void(int width, int height)> Resized;  // client size in pixels
  std::function<void(const InputEvent&)> MouseDown;
  std::function<void(const InputEvent&)> MouseMove;
  std::function<void(const InputEvent&)> MouseUp;
  std::function<void(const InputEvent&)> KeyDown;
  std::function<void(int panel)> PanelClicked;  // 1..12
  std::function<void(const std::string& name)> MenuChosen;
  std::function<void()> Closing;
};

// The code of a key as the core knows it; 0 for keys without one.
int16_t CoreKeyCode(int qtKey);
int16_t CoreShiftState(Qt::KeyboardModifiers modifiers);

class StatusPanel : public QLabel {
 public:
  StatusPanel(int number, std::function<void(int)> onClick);
  void SetBevel(PanelBevel bevel);
  PanelBevel Bevel() const { return bevel_; }

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  int number_;
  std::function<void(int)> onClick_;
  PanelBevel bevel_ = PanelBevel::kInset;
};

// The drawing area: paints the backing image and sizes it with itself.
class ZEvavCanvas : public QWidget {
 public:
  ZEvavCanvas(QtSurface& surface, ZEvavCallbacks& callbacks);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  InputEvent MouseInput(const QMouseEvent& event, Qt::MouseButtons buttons) const;
  QtSurface& surface_;
  ZEvavCallbacks& callbacks_;
};

class ZEvav : public QMainWindow {
 public:
  explicit ZEvav(QtSurface& surface);

  ZEvavCallbacks& Callbacks() { return callbacks_; }
  ZEvavCanvas* Canvas() { return canvas_; }
  // Repaints the canvas from the backing image after the core drew on it.
  void ShowPicture();

  void SetPanelText(int panel, const std::string& text);
  void SetPanelBevel(int panel, PanelBevel bevel);
  StatusPanel* Panel(int panel);  // nullptr outside 1..12

  // Brings the menu bar in line with the model: rebuilt when its layout
  // changed, otherwise the captions and states are updated in place.
  void MirrorMenu(const std::vector<MenuItem>& model);
  QAction* MenuAction(const std::string& name) const;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildMenu(const std::vector<MenuItem>& items, QMenu* into);
  void UpdateMenu(const std::vector<MenuItem>& items);

  QtSurface& surface_;
  ZEvavCallbacks callbacks_;
  ZEvavCanvas* canvas_;
  std::vector<StatusPanel*> panels_;
  std::string menuLayout_;
  std::map<std::string, QAction*> actions_;
  std::vector<QMenu*> menus_;  // the top-level menus, owned by the menu bar
};

}  // namespace plandra
