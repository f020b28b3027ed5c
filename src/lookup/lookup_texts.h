#pragma once
// The lookup's own texts, in GBK.

#include <string>
#include <string_view>

namespace extdict::lookup_texts {

// The description label's caption: "简单解释：" and the description.
std::string descriptionCaption(std::string_view description);
// The description of an empty extension.
const std::string& noFormatFile();
// The description the registry does not give: the upper-cased extension and " 文件".
std::string plainFileDescription(std::string_view upperCasedExtension);

} // namespace extdict::lookup_texts
