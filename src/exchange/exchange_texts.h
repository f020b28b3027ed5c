#pragma once
// The texts of export, import and the text input window, in GBK.

#include <string>

namespace extdict::exchange_texts {

// Export.
const std::string& exportQuestion();
const std::string& exportDone();
const std::string& clipboardUnwritable();

// Import.
const std::string& importPrompt();
const std::string& importCaption();
const std::string& importDone();
const std::string& importNotSaved();

// The text input window.
const std::string& defaultPrompt();
const std::string& defaultCaption();
const std::string& openCaption();
const std::string& chooseCaption();
const std::string& readTitle();
const std::string& chooseFileTitle();
const std::string& chooseFileNamesTitle();
const std::string& fileNamesFilter();
const std::string& saveTitle();
const std::string& saveSucceeded();
const std::string& saveFailed();
const std::string& discardQuestion();
const std::string& fileUnreadable();

} // namespace extdict::exchange_texts
