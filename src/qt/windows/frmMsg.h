// The message window of event points: a text on a coloured background or a
// picture, and "消す" to put it away. One window serves every event; its
// colours, words and sizes come from core/events/MessageWindow.
#pragma once

#include <QWidget>
#include <filesystem>
#include <string_view>

class QLabel;
class QPushButton;
class QScrollArea;

namespace plandra {

struct LangState;

class frmMsg : public QWidget {
 public:
  frmMsg(LangState& lang, QWidget* parent);

  // The text x on the background of colour clr (the point colours 1..7;
  // anything else is white).
  void ShowMsg(int clr, std::string_view x);
  // The picture of file (PNG, JPEG, BMP, GIF); false, with the window left
  // as it was, when the file holds no picture that can be read.
  bool ShowFig(const std::filesystem::path& file);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Present();

  LangState& lang_;
  QLabel* lblMsg_;
  QLabel* picture_;
  QScrollArea* pictureArea_;
  QPushButton* command1_;
  bool sizedByUser_ = false;  // a size the user gave is kept over a picture's
};

}  // namespace plandra
