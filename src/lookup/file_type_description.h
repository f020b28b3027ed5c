#pragma once

#include <string>
#include <string_view>

#include "toolkit/services.h"

namespace extdict {

// The description that the registry holds for files with this extension: the default value
// of the type named by HKEY_CLASSES_ROOT\.<extension>. Without one, the upper-cased
// extension and " 文件"; for the empty extension, "无格式文件".
std::string fileTypeDescription(Services& services, std::string_view extension);

} // namespace extdict
