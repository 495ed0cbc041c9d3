// Where the program's own windows open: beside the main window, not over
// the figure the pupil just clicked.
#pragma once

class QWidget;

namespace plandra {

// Moves window beside owner on whichever side has room, top edges level;
// only a screen too narrow for both puts it at the screen's right edge.
void PlaceBesideOwner(QWidget& window, const QWidget* owner);

}  // namespace plandra
