// The window, its dialogs and the program, wired together: every window event
// becomes one call into the core, and the window and dialogs mirror the
// program after each call.
#pragma once

#include <string>
#include <string_view>

#include "core/Program.h"
#include "core/WindowState.h"
#include "core/attributes/PDAttribute.h"
#include "qt/QtPlatform.h"
#include "qt/QtTitleFit.h"
#include "qt/ZEvav.h"
#include "qt/dialogs/PDExpress.h"
#include "qt/dialogs/PDSelNum.h"
#include "qt/dialogs/pdNumInput.h"
#include "qt/drawing/QtSurface.h"
#include "qt/windows/TextViewer.h"
#include "qt/windows/frmMemo.h"
#include "qt/windows/frmMsg.h"

namespace plandra {

class QtSession {
 public:
  QtSession();
  QtSession(const QtSession&) = delete;
  QtSession& operator=(const QtSession&) = delete;

  // The start-up sequence with the command line, then the window is shown.
  void Start(const std::string& commandLine);
  // For measuring the start-up: the program ends once the figure is painted.
  void QuitAfterFirstPaint();

  Program& Prog() { return prog_; }
  ZEvav& Window() { return window_; }
  TextViewer& Viewer() { return viewer_; }
  QtSurface& Surface() { return surface_; }

 private:
  // Runs a core call and mirrors the window afterwards.
  template <typename Call_>
  void Call(Call_&& call);
  void RunMenu(const std::string& name);
  void OpenDialog(std::string_view dialog);
  WindowGeometry Geometry() const;
  void Apply(const WindowGeometry& g);
  void FitToScreen();
  void RunWindowCommand(const std::string& name);
  void RunThumbnailStep(WindowGeometry& g);
  // The dialogs' clicks and keys reach the core as the window's do.
  CoreRunner Runner();
  void ShowRequested();
  void RunAttributeDialog(AttributeDialog dialog);

  TitleFit titleFit_;
  Program prog_;
  QtSurface surface_{640, 480};
  ZEvav window_;
  QtPlatform platform_;
  TextViewer viewer_;
  PDSelNum selNum_;
  PDExpress express_;
  pdNumInput numInput_;
  frmMsg message_;
  frmMemo memo_;
};

}  // namespace plandra
