#include "toolkit/win32/dialog_texts.h"

namespace extdict::win32 {

std::wstring dialogFilter(std::wstring_view pipeSeparated) {
    if (pipeSeparated.empty()) return {};
    std::wstring filter(pipeSeparated);
    if (filter.back() != L'|') filter.push_back(L'|');
    for (auto& c : filter) {
        if (c == L'|') c = L'\0';
    }
    filter.push_back(L'\0');
    return filter;
}

std::vector<std::wstring> chosenPaths(std::wstring_view buffer) {
    std::vector<std::wstring> parts;
    std::size_t start = 0;
    while (start < buffer.size() && buffer[start] != L'\0') {
        const auto end = buffer.find(L'\0', start);
        const auto stop = end == std::wstring_view::npos ? buffer.size() : end;
        parts.emplace_back(buffer.substr(start, stop - start));
        start = stop + 1;
    }
    if (parts.size() <= 1) return parts;
    std::wstring folder = parts.front();
    if (folder.back() != L'\\') folder.push_back(L'\\');
    std::vector<std::wstring> paths;
    for (std::size_t i = 1; i < parts.size(); ++i) paths.push_back(folder + parts[i]);
    return paths;
}

} // namespace extdict::win32
