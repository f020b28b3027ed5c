#pragma once

#include "app/app.h"
#include "toolkit/form.h"

namespace extdict {

// Which handler gets which event of the main window, bound to this program.
tk::Bindings mainWindowBindings(App& app);

} // namespace extdict
