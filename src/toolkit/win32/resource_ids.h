#pragma once
// Resource numbers shared by the resource script and the code.

#define EXTDICT_ICON_ID 1
#define EXTDICT_MANIFEST_ID 1
