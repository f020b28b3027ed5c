#include "lookup/lookup_texts.h"

#include "text/encoding.h"

namespace extdict::lookup_texts {

std::string descriptionCaption(std::string_view description) {
    static const std::string prefix = gbk("简单解释：");
    return prefix + std::string(description);
}

const std::string& noFormatFile() {
    static const std::string text = gbk("无格式文件");
    return text;
}

std::string plainFileDescription(std::string_view upperCasedExtension) {
    static const std::string suffix = gbk(" 文件");
    return std::string(upperCasedExtension) + suffix;
}

} // namespace extdict::lookup_texts
