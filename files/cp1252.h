#pragma once
// Text conversion between our in-memory UTF-8 and the single-byte Windows-1252 code page of
// the program's files (and the UTF-16 form that some archive writers use for texts).

#include <cstdint>
#include <string>
#include <string_view>

// Every byte has a meaning; the five bytes that Windows-1252 leaves undefined (0x81, 0x8D,
// 0x8F, 0x90, 0x9D) become the C1 control characters of the same number, as Windows does.
std::string Cp1252ToUtf8(std::string_view bytes);

// Characters the code page cannot hold, and malformed UTF-8, become '?'.
std::string Utf8ToCp1252(std::string_view utf8);

// Little-endian UTF-16 code units to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(const std::u16string& units);

// Appends one code point in UTF-8.
void AppendUtf8(std::string& out, char32_t cp);
