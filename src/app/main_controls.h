#pragma once

#include "app/app.h"

namespace extdict {

// Looks up the main window's controls by their form names.
MainControls resolveMainControls(const tk::Toolkit& ui, tk::WindowId window);

} // namespace extdict
