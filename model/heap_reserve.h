#pragma once
// Room for a large import made ahead in large pages. An import writes hundreds of megabytes of
// new chains and points; on the machines this runs on, most of its time went into the
// processor's first touch of each new 4 kB page. The heap is grown by the expected amount at
// once and that range is marked for the kernel's transparent large pages, so that a first
// touch brings 2 MB. Untouched parts of the range cost no memory; while the reservation
// lives, freed memory stays in the program for the import to reuse, and afterwards the heap
// gives unused memory back as before.
//
// Only where the C library and the kernel allow it (glibc on Linux); elsewhere it does
// nothing. Results never depend on it.

#include <cstddef>
#include <memory>

class PagesAhead;

class HeapReserve {
public:
    // With `pagesAhead` bytes, a helper thread makes pages ready just ahead of the front that
    // the import tells with NoteHeapFront, at most that far beyond it: far enough that the
    // helper stays ahead of the import, near enough that the peak memory hardly grows.
    // largePages false: the room only keeps what is freed for reuse and leaves the pages as
    // they are. Where many small results are written by several threads, fresh large pages
    // cost more than they save on the machines measured (see docs/performance.md).
    explicit HeapReserve(std::size_t bytes, std::size_t pagesAhead = 0, bool largePages = true);
    ~HeapReserve();
    HeapReserve(const HeapReserve&) = delete;
    HeapReserve& operator=(const HeapReserve&) = delete;

private:
    [[maybe_unused]] bool m_active = false;  // used only where the reservation is made
    std::unique_ptr<PagesAhead> m_ahead;
};

// Tells the live reservation how far the import's heap use has come (the address of a block
// just taken): a helper thread makes the next pages ready on the other core, so that their
// first touch costs the import's own thread nothing. Cheap enough to call per chain; does
// nothing without a reservation or for addresses outside it.
void NoteHeapFront(const void* p);

// Asks for large pages for a block about to be written for the first time (a whole file's
// text): the whole 2 MB pages inside it. Does nothing for small blocks or where not available.
void AdviseLargePages(void* block, std::size_t bytes);

// Makes the pages of a block that a writer fills front to back ready on another core, from
// the block's end backwards, until the two meet: the writer, a whole file's text read into
// memory, then finds most of its pages cleared by the kernel already. The writer tells how
// far it has come with Reached. Does nothing for small blocks or where not available; the
// block's contents are never touched.
class PagesFromTheEnd {
public:
    PagesFromTheEnd(void* block, std::size_t bytes);
    ~PagesFromTheEnd();  // waits for the helper
    PagesFromTheEnd(const PagesFromTheEnd&) = delete;
    PagesFromTheEnd& operator=(const PagesFromTheEnd&) = delete;
    void Reached(const void* p);

private:
    struct Helper;
    std::unique_ptr<Helper> m_helper;
};

// The environment switch QUENK_NO_HEAP_RESERVE=1 turns the reservation off, so that its effect
// can be measured in one run.
bool HeapReserveEnabled();
