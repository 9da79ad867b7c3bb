// audio77ctl nouns of this group; they arrive with the code they drive.
#include "CtlContext.h"

namespace audio77::ctl {

std::vector<CtlNoun> DeviceLibraryNouns() { return {}; }

}  // namespace audio77::ctl
