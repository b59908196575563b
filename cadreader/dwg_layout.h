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

// Finds the parts of a file of the given release (R13 to R2000, R2004 and its successors,
// R2007 with its own layout). False when the file is damaged or cut short.
bool FindDwgParts(std::string_view file, int release, DwgLayout& out);
