#pragma once
// The add, modify and delete buttons.

#include "app/app.h"
#include "toolkit/events.h"

namespace extdict {

bool onAddClicked(App& app, const tk::Event& event);
bool onModifyClicked(App& app, const tk::Event& event);
bool onDeleteClicked(App& app, const tk::Event& event);

} // namespace extdict
