#pragma once
// Pinyin readings of the GB2312 Chinese characters (lead byte 0xB0-0xF7, second byte
// 0xA1-0xFE), generated from the Unicode Han database by tools/gen_pinyin.py.

#include <string>
#include <string_view>

#include "text/gbk_chars.h"

namespace extdict {

// Reading `reading` (1 is the most common one) of the one two-byte character in `character`,
// in lower-case ASCII without tone ('wen' for 文; u with diaeresis is written 'v'). Empty for
// any text that is not exactly one GB2312 Chinese character, and for a reading beyond the
// character's readings.
std::string pinyinOf(std::string_view character, int reading);

// The first letter of reading 1 of a character, or 0 when pinyinOf gives it none.
char pinyinInitial(GbkChar character);

} // namespace extdict
