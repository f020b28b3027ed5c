#pragma once
// The text shapes of the common file dialogs, kept apart from the API calls.

#include <string>
#include <string_view>
#include <vector>

namespace extdict::win32 {

// "description|pattern|..." to the dialogs' "description\0pattern\0...\0\0". A missing
// final '|' is supplied; an empty filter gives an empty text (no filter at all).
std::wstring dialogFilter(std::wstring_view pipeSeparated);

// The result buffer of a multi-selection open dialog: either one full path, or a folder
// followed by file names, each ended by a NUL, the whole ended by a second NUL.
std::vector<std::wstring> chosenPaths(std::wstring_view buffer);

} // namespace extdict::win32
