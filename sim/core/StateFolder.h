#pragma once
// Where the virtual device keeps its state: $AUDIO77_VIRTUAL_DIR, else
// $XDG_RUNTIME_DIR/audio77-virtual, else a folder of the user under /tmp.

#include <string>

namespace audio77::sim {

// The state folder, without a trailing separator. Does not create it.
std::string DefaultStateFolder();

}  // namespace audio77::sim
