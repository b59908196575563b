#pragma once
// The group stream of a DXF file: pairs of a group code and a value, read from the ASCII form
// (two lines per group) or the binary form (a code of one byte in R12, two bytes later, and a
// value whose type the code fixes). Nothing is copied: text values point into the file's bytes.
// Every read checks the end of the bytes, so damaged files end in an error, never past the end.

#include <cstddef>
#include <cstdint>
#include <istream>
#include <string>
#include <string_view>

// "AutoCAD Binary DXF" CR LF SUB NUL: the first bytes of a binary DXF file.
inline constexpr std::string_view kBinaryDxfSentinel{"AutoCAD Binary DXF\r\n\x1a\0", 22};

struct DxfGroup {
    int code = 0;
    std::string_view text;  // the value as text (ASCII files; strings of binary files)
    double real = 0.0;      // binary files: a floating-point value
    std::int64_t integer = 0;  // binary files: an integer value
};

class DxfGroups {
public:
    // Groups of bytes held in memory.
    explicit DxfGroups(std::string_view bytes);
    // Groups of a stream, read a window at a time: a drawing's text is never in memory whole.
    // A group's text stays valid until the next call of Next.
    explicit DxfGroups(std::istream& in);

    // The next group; false at the end of the bytes or, with Damaged() set, on a broken one.
    bool Next(DxfGroup& g);
    bool Damaged() const { return m_damaged; }
    bool Binary() const { return m_binary; }

    // The value of a group as a number; false (and Damaged() set) when it is none or not finite.
    bool Real(const DxfGroup& g, double& v);
    bool Integer(const DxfGroup& g, std::int64_t& v);

private:
    bool NextAscii(DxfGroup& g);
    bool NextBinary(DxfGroup& g);
    // One line without its line break, or false at the end of the bytes.
    bool Line(std::string_view& line);
    void Start();
    // Makes at least n bytes from m_p on available where the stream has them; moves the
    // unread rest to the front of the window and reads on. False when fewer remain.
    bool Have(std::size_t n);
    // Reads on after the last byte of the window (growing it when it is full of unread bytes);
    // false at the end of the stream.
    bool More();
    // The first occurrence of c from m_p on, reading on as needed; none at the end.
    const char* Find(char c);
    bool Fail() {
        m_damaged = true;
        return false;
    }

    const char* m_p = nullptr;
    const char* m_end = nullptr;
    std::istream* m_in = nullptr;
    std::string m_window;
    bool m_binary = false;
    bool m_shortCodes = false;  // R12 binary: one-byte group codes
    bool m_damaged = false;
};

// Blanks and tabs cut from both ends, as numbers and names are compared.
std::string_view TrimDxf(std::string_view s);
// Names in DXF files compare without regard to ASCII case.
bool SameName(std::string_view a, std::string_view b);
std::string UpperAscii(std::string_view s);
