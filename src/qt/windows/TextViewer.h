// The "Data Viewer" window: shows the viewer text that the core writes (the
// data view report, the matrix displays) and carries its small menu.
#pragma once

#include <QMainWindow>
#include <functional>
#include <string>
#include <utility>
#include <vector>

class QAction;
class QPlainTextEdit;

namespace plandra {

struct LangState;
struct ViewerMenuItem;
struct ViewerText;

class TextViewer : public QMainWindow {
 public:
  // runMainCommand runs a main window's command an item names (the matrix
  // display switch).
  TextViewer(ViewerText& viewer, LangState& lang,
             std::function<void(const std::string& command)> runMainCommand,
             QWidget* parent = nullptr);

  // Shows or hides the window and its text as the viewer state says.
  void Mirror();
  QPlainTextEdit* Text1() const { return text_; }
  QAction* Item(const char* name) const;

 protected:
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void Choose(const ViewerMenuItem& item);
  void ShowMatrixItems();
  QAction* AddItem(QMenu* menu, const char* name, const char* caption);
  QAction* AddTopItem(const char* name, const char* caption);
  void ShowCaptions();

  ViewerText& viewer_;
  LangState& lang_;
  std::function<void(const std::string& command)> runMainCommand_;
  QPlainTextEdit* text_;
  // Every menu entry with its Japanese caption, the key of its translation.
  std::vector<std::pair<QAction*, const char*>> captions_;
};

}  // namespace plandra
