// The number of an action line: any line of script characters (0..255), read from its first
// blank as the C library reads a decimal int; compared with that library where its character
// classes are those of Windows (ASCII).

#include <cstdlib>

#include "FuzzSupport.h"
#include "macros/MacroArgument.h"

using namespace tressel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    MacroArgument(fuzz::Latin1(data, size));
    const std::wstring ascii = fuzz::AsciiWithoutNul(data, size);
    // The number starts at the first blank, or at the start of a line without one.
    const std::size_t blank = ascii.find(L' ');
    const wchar_t* number = ascii.c_str() + (blank == std::wstring::npos ? 0 : blank);
    if (MacroArgument(ascii) != fuzz::ReferenceDecimal(number)) std::abort();
    return 0;
}
