#pragma once

#include "toolkit/form.h"

namespace extdict {

// The main window: a small extension box with its drop-down list, a row of command buttons,
// the description label, the encyclopedia button and link, and the large note box.
const tk::WindowForm& mainWindowForm();

} // namespace extdict
