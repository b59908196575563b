#pragma once
// Inside the DWG front end: where a file keeps its parts. Files up to R2000 point at them with
// the section locators of their header; from R2004 on the parts are pages, compressed and
// listed in a page map and a section map that the (XOR-masked) file header points at.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

struct DwgBytes {
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
};

struct DwgLayout {
    int release = 0;      // 1012 .. 1032, from "AC1012" .. "AC1032"
    int maintenance = 0;  // the release's maintenance version
    DwgBytes classes;     // the classes section, its sentinel included
    DwgBytes handles;     // the object map
    DwgBytes objects;     // what the object map's offsets count from (the file up to R2000)
    // The decompressed sections of R2004 and later files, which the ranges above point into.
    std::vector<std::uint8_t> classStore, handleStore, objectStore;
};

// What the paged layouts share: little-endian numbers, a page's place in the file, and the
// allowance for decompressed data, which may grow past the file but never beyond 24 times it
// (plus a fixed allowance for tiny files).
inline std::uint32_t DwgLe32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 | std::uint32_t{p[3]} << 24;
}
inline std::uint64_t DwgLe64(const std::uint8_t* p) { return DwgLe32(p) | std::uint64_t{DwgLe32(p + 4)} << 32; }

struct DwgPage {
    std::uint64_t at = 0, size = 0;
};

class DwgBudget {
public:
    explicit DwgBudget(std::size_t fileSize) : m_left((std::size_t{1} << 20) + 24 * fileSize) {}
    std::size_t Left() const { return m_left; }
    bool Spend(std::uint64_t bytes) {
        if (bytes > m_left) return false;
        m_left -= static_cast<std::size_t>(bytes);
        return true;
    }

private:
    std::size_t m_left;
};

// Finds the parts of a file of the given release (R13 to R2000, R2004 and its successors,
// R2007 with its own layout). False when the file is damaged or cut short.
bool FindDwgParts(std::string_view file, int release, DwgLayout& out);
