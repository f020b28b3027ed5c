#pragma once
// The messages of the add, modify and delete commands, in GBK. ext is the extension box's
// text when the message is built.

#include <string>
#include <string_view>

namespace extdict::editing_texts {

const std::string& duplicateExtension();
std::string addDone(std::string_view ext);
std::string addFailed(std::string_view ext);

const std::string& nothingToModify();
std::string modifyDone(std::string_view ext);
std::string modifyFailed(std::string_view ext);

const std::string& nothingToDelete();
std::string deleteDone(std::string_view ext);
std::string deleteFailed(std::string_view ext);

} // namespace extdict::editing_texts
