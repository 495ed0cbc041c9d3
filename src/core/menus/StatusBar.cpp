#include "core/menus/StatusBar.h"

namespace plandra {

StatusBar DesignedStatusBar() {
  StatusBar status;
  for (int index : {9, 10}) status.Panel(index).Style = PanelStyle::kOther;
  status.Panel(kLocusPanel).MinWidth = 1;
  return status;
}

}  // namespace plandra
