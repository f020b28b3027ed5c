#pragma once
// The probe's window: the main window's controls, places and styles.

#include <functional>
#include <string>

#include "toolkit/form.h"

namespace probe {

using Listener = std::function<bool(const std::string& name, const extdict::tk::Event&)>;

extdict::tk::WindowForm form();
// Every event of every control (and of the window, name "") goes to the listener.
extdict::tk::Bindings bindings(const Listener& listener);
std::string describe(const extdict::tk::Event& event);

} // namespace probe
