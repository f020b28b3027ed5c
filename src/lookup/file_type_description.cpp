#include "lookup/file_type_description.h"

#include "lookup/lookup_texts.h"
#include "text/gbk_chars.h"

namespace extdict {
namespace {

// A key under HKEY_CLASSES_ROOT as the registry read takes it: the name and a backslash,
// after which the empty value name selects the default value.
std::string keyPath(std::string_view prefix, std::string_view name) {
    std::string path(prefix);
    path.append(name);
    path.push_back('\\');
    return path;
}

} // namespace

std::string fileTypeDescription(Services& services, std::string_view extension) {
    if (extension.empty()) return lookup_texts::noFormatFile();
    const std::string typeName = services.registryDefaultValue(keyPath(".", extension));
    const std::string description = services.registryDefaultValue(keyPath("", typeName));
    if (description.empty()) return lookup_texts::plainFileDescription(toUpper(extension));
    return description;
}

} // namespace extdict
