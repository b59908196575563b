#include "files/file_bytes.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <new>
#include <stdexcept>
#include <system_error>

#include "model/heap_reserve.h"

ReadStatus ReadFileBytes(const std::string& path, std::string& bytes, std::size_t maxBytes,
                         LineBreaks lineBreaks) {
    bytes.clear();
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) return ReadStatus::CannotOpen;
    std::ifstream in(path, std::ios::binary);
    if (!in) return ReadStatus::CannotOpen;
    try {
        // Read in pieces that stay in the cache and copy them on: the whole file is written
        // into memory once, not zero-filled first and then read over.
        in.seekg(0, std::ios::end);
        const std::streamoff size = in.tellg();
        in.seekg(0, std::ios::beg);
        if (size > 0) {
            bytes.reserve(std::min(static_cast<std::size_t>(size), maxBytes));
            AdviseLargePages(bytes.data(), bytes.capacity());
        }
        PagesFromTheEnd ready(bytes.data(), bytes.capacity());
        in.clear();
        constexpr std::size_t kPiece = std::size_t{1} << 20;
        std::unique_ptr<char[]> piece(new char[kPiece]);
        for (std::size_t left = maxBytes; left > 0;) {
            in.read(piece.get(), static_cast<std::streamsize>(std::min(kPiece, left)));
            const auto got = static_cast<std::size_t>(in.gcount());
            if (got == 0) break;
            left -= got;
            if (lineBreaks == LineBreaks::Drop)
                ForEachRunBetweenLineBreaks(piece.get(), got,
                                            [&](const char* run, std::size_t n) { bytes.append(run, n); });
            else
                bytes.append(piece.get(), got);
            ready.Reached(bytes.data() + bytes.size());
        }
    } catch (const std::bad_alloc&) {
        bytes.clear();
        return ReadStatus::OutOfMemory;
    } catch (const std::length_error&) {
        bytes.clear();
        return ReadStatus::OutOfMemory;
    }
    return in.bad() ? ReadStatus::ReadError : ReadStatus::Ok;
}
