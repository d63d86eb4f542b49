#include "controls/controls_resources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE declares the generated registration function at the point of use, so it
// must be expanded outside any namespace.
static void RegisterControlsResources() { Q_INIT_RESOURCE(controls); }

namespace kv {

void InitControlsResources() {
  static const bool registered = [] {
    RegisterControlsResources();
    return true;
  }();
  (void)registered;
}

}  // namespace kv
