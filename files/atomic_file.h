#pragma once
// Writing a file so that a failure never destroys the old one: the data goes to a temporary
// file beside the target, which replaces the target by a rename only when everything was
// written. An AtomicFile that is destroyed without Commit removes its temporary file. The
// file and its folder are synced, so that a crash leaves the old file or the new one.

#include <fstream>
#include <string>

class AtomicFile {
public:
    explicit AtomicFile(std::string target);
    // The one temporary name of a target: the target's name + ".tmp", in its folder.
    static std::string TempPath(const std::string& target);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Whether the temporary file could be created.
    bool IsOpen() const { return m_out.is_open(); }
    std::ofstream& Stream() { return m_out; }
    // Flushes, closes and renames onto the target; false (and the old target intact) on any
    // failure.
    bool Commit();
    // Drops what was written; the target stays as it was.
    void Abort();

private:
    std::string m_target;
    std::string m_temp;
    std::ofstream m_out;
    bool m_done = false;
};
