#pragma once

#include <cstdint>
#include <string>

namespace extdict {

// What the caller of the text input window asks for; lives for the whole run.
struct InputWindowParams {
    std::string prompt;
    std::string caption;
    std::string initialText;
    std::int32_t inputMode = 0;
    std::int32_t fileSelectMode = 0;
    std::int32_t visible = 0;
    std::int32_t inputAreaHeight = 0;
    std::int32_t contentWidth = 0;
    std::int32_t ownerWindow = 0;
    std::int32_t ownerControl = 0;
};

} // namespace extdict
