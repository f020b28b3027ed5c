// The character model and case mapping on arbitrary bytes, with their invariants.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "text/gbk_chars.h"

using namespace extdict;

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

bool endsWithLoneLead(std::string_view text) {
    std::size_t p = 0;
    while (p < text.size()) p += isLeadByte(static_cast<unsigned char>(text[p])) ? 2 : 1;
    return p > text.size();
}

void checkCaseMapping(std::string_view text, const std::string& mapped) {
    check(mapped.size() == text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (static_cast<unsigned char>(text[i]) >= 0x80) {
            check(mapped[i] == text[i]);
            if (i + 1 < text.size()) check(mapped[i + 1] == text[i + 1]);
            ++i;
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = untilNul({reinterpret_cast<const char*>(data), size});
    std::vector<GbkChar> chars;
    splitChars(text, chars);
    const int count = charCount(text);
    check(static_cast<int>(chars.size()) == count);

    std::string joined;
    std::vector<std::size_t> starts;
    for (const GbkChar& c : chars) {
        starts.push_back(joined.size());
        if (c.leadByte != 0) joined.push_back(static_cast<char>(c.leadByte));
        joined.push_back(static_cast<char>(c.finalByte));
    }
    starts.push_back(joined.size());
    const std::string_view withoutLoneLead =
        endsWithLoneLead(text) ? text.substr(0, text.size() - 1) : text;
    check(joined == withoutLoneLead);
    check(takeChars(text, 1, count) == joined);
    // Each call splits the whole text, so single characters are taken at a few places only.
    for (int k = 1; k <= count; k += (k < 16 || k > count - 16) ? 1 : count / 16) {
        const auto at = starts[static_cast<std::size_t>(k - 1)];
        check(takeChars(text, k, 1) == std::string_view(joined).substr(at, starts[static_cast<std::size_t>(k)] - at));
    }

    checkCaseMapping(text, toLower(text));
    checkCaseMapping(text, toUpper(text));
    check(toLower(toUpper(text)) == toLower(text));

    for (std::size_t limit : {std::size_t{0}, std::size_t{1}, text.size() / 2, text.size()}) {
        const auto cut = cutToWholeChars(text, limit);
        check(cut.size() <= limit && text.substr(0, cut.size()) == cut);
        if (cut.size() < text.size()) check(!endsWithLoneLead(cut) && cut.size() + 2 > limit);
    }
    return 0;
}
