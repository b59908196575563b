#include "model/file_bytes.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <new>
#include <stdexcept>
#include <system_error>

ReadStatus ReadFileBytes(const std::string& path, std::string& bytes, std::size_t maxBytes) {
    bytes.clear();
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) return ReadStatus::CannotOpen;
    std::ifstream in(path, std::ios::binary);
    if (!in) return ReadStatus::CannotOpen;
    try {
        in.seekg(0, std::ios::end);
        const std::streamoff size = in.tellg();
        in.seekg(0, std::ios::beg);
        if (size > 0) {
            const std::size_t want = std::min(static_cast<std::size_t>(size), maxBytes);
            bytes.resize(want);
            in.read(bytes.data(), static_cast<std::streamsize>(want));
            bytes.resize(static_cast<std::size_t>(in.gcount()));
        } else {
            // No size to ask for (a pipe or a special file): read it as it comes.
            in.clear();
            std::istreambuf_iterator<char> it(in), end;
            for (; it != end && bytes.size() < maxBytes; ++it) bytes.push_back(*it);
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
