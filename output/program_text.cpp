#include "output/program_text.h"

#include "files/cp1252.h"

namespace {
// The bytes that Windows-1252 leaves undefined and reads as C1 control characters.
bool IsUndefinedInCodePage(unsigned char b) { return b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D; }
}  // namespace

std::string ProgramText(std::string_view utf8) {
    std::string text = Utf8ToCp1252(utf8);
    for (char& c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (c == '(') {
            c = '[';
        } else if (c == ')') {
            c = ']';
        } else if (b < 0x20 || b == 0x7F || IsUndefinedInCodePage(b)) {
            c = ' ';
        }
    }
    return text;
}
