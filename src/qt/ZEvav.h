// The main window: a thin mirror of the core. It shows the surface's backing
// image, turns mouse and key events into plain input events, and mirrors the
// caption, the menu bar and the status bar of the program; what they do is
// decided by the core.
#pragma once

#include <QLabel>
#include <QMainWindow>
#include <QWidget>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/InputEvent.h"
#include "core/menus/MenuBar.h"
#include "core/menus/StatusBar.h"
#include "qt/QtTranslation.h"

class QAction;
class QMenu;

namespace plandra {

class QtSurface;
struct Program;

struct ZEvavCallbacks {
  std::function<void(int width, int height)> Resized;  // client size in pixels
  std::function<void(const InputEvent&)> MouseDown;
  std::function<void(const InputEvent&)> MouseMove;
  std::function<void(const InputEvent&)> MouseUp;
  std::function<void(const InputEvent&)> DoubleClick;
  std::function<void(const InputEvent&)> KeyDown;
  std::function<void(int panel)> PanelClicked;  // 1..12
  std::function<void(const std::string& name)> MenuChosen;
  std::function<bool()> Closing;  // false keeps the window open
  std::function<void()> Painted;  // after the canvas painted the picture
};

// The code of a key as the core knows it; 0 for keys without one.
int16_t CoreKeyCode(int qtKey);
int16_t CoreShiftState(Qt::KeyboardModifiers modifiers);

class PanelLabel : public QLabel {
 public:
  PanelLabel(int number, std::function<void(int)> onClick);
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
  void mouseDoubleClickEvent(QMouseEvent* event) override;
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
  ZEvavCanvas* Canvas() const { return canvas_; }
  // Repaints the canvas from the backing image after the core drew on it.
  void ShowPicture();

  PanelLabel* Panel(int panel);  // nullptr outside 1..12

  // Caption, menus, panels and picture as the program holds them.
  void Mirror(const Program& p);
  void MirrorStatus(const StatusBar& bar);
  // How often the menus were brought in step with a changed model.
  int MenuUpdates() const { return menuUpdates_; }
  void MirrorDialogFont(const std::string& family);
  // Brings the menu bar in line with the model: built when its items changed,
  // otherwise the captions and states are updated in place.
  void MirrorMenu(const MenuBar& bar);
  QAction* MenuAction(const std::string& name) const;
  // F10: the first menu that can be used opens, as on other desktops.
  void OpenMenuBar();
  const QtTranslation& QtTexts() const { return qtTexts_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildMenu(const std::vector<MenuItem>& items, QMenu* into);
  void UpdateMenu(const std::vector<MenuItem>& items);

  QtSurface& surface_;
  ZEvavCallbacks callbacks_;
  ZEvavCanvas* canvas_;
  std::vector<PanelLabel*> panels_;
  std::map<std::string, QAction*> actions_;
  std::vector<QMenu*> menus_;  // the top-level menus, owned by the menu bar
  // The model as last mirrored: the menus are touched only when it changed.
  std::vector<MenuItem> mirroredMenu_;
  int menuUpdates_ = 0;
  std::string dialogFont_;
  QtTranslation qtTexts_;
};

}  // namespace plandra
