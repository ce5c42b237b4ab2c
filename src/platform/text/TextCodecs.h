#pragma once
// The codec of any code page a VB6 project may be in, and the names people and the command line use
// for code pages.

#include "core/text/TextCodec.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tally {

// The codec of a code page: 1252 and 65001 from the core (no library involved), 874, 932, 936, 949,
// 950 and 1250..1258 through ICU; nothing for any other number. Fits CodecFactory.
std::unique_ptr<TextCodec> makeTextCodec(int codePage);

// The code page a name stands for, for the code pages makeTextCodec knows: the number itself
// ("932"), "cp932", "windows-1251", "ms936", and the common names ("shift_jis", "sjis", "gbk",
// "gb2312", "big5", "euc-kr", "utf-8", "utf8", "latin1", ...). Case and surrounding spaces do not
// matter; nothing for a name of no such code page.
std::optional<int> codePageFromName(std::string_view name);

// The name codecs go by ("windows-1252", "shift_jis", "gbk", "windows-949", "big5", "utf-8");
// "cp" and the number for a code page without one.
std::string codePageName(int codePage);

}  // namespace tally
