#pragma once

namespace kv {

// Registers the controls' icons (":/icons/136.png", ":/icons/137.png") with Qt's resource
// system. kv_controls is a static library, so nothing else makes the linker keep the compiled
// resource; the hover button calls this itself, and calling it again does nothing.
void InitControlsResources();

}  // namespace kv
