// The number of an action line: any line of script characters (0..255), read from its first
// blank as the C library reads a decimal int; compared with that library where its character
// classes are those of Windows (ASCII).

#include <cstdlib>
#include <cwchar>
#include <limits>

#include "FuzzSupport.h"
#include "macros/MacroArgument.h"

using namespace tressel;

namespace {

std::int32_t Reference(const std::wstring& line) {
    std::size_t blank = line.find(L' ');
    if (blank == std::wstring::npos) blank = 0;
    const long long value = std::wcstoll(line.c_str() + blank, nullptr, 10);
    if (value > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    if (value < std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    MacroArgument(fuzz::Latin1(data, size));
    std::wstring ascii;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] & 0x7F) ascii += static_cast<wchar_t>(data[i] & 0x7F);
    }
    if (MacroArgument(ascii) != Reference(ascii)) std::abort();
    return 0;
}
