// Start at logon: a shortcut to the program's executable in the user's start-up
// folder exists exactly while the StartAutostart option is on.
#pragma once

#include "core/app/app.h"
#include "platform/startup_folder.h"

namespace vornix {

// Brings the start-up folder in line with `wanted` (1 on, anything else off).
// A shortcut already there is left as it is; failures change nothing and say nothing.
void setAutostart(App& app, platform::StartupFolder& folder, int wanted);

}  // namespace vornix
