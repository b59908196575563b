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

class HeapReserve {
public:
    explicit HeapReserve(std::size_t bytes);
    ~HeapReserve();
    HeapReserve(const HeapReserve&) = delete;
    HeapReserve& operator=(const HeapReserve&) = delete;

    // For another thread with nothing else to do: brings in the next large page of the room
    // (zeroed by the kernel, its contents untouched by us), so that the thread that made the
    // reservation finds it ready. `frontier` is the end of that thread's newest block; pages are
    // brought in only up to a few of them beyond it, so the memory in use grows only by those.
    // False when nothing is left to do before the frontier moves on. Only one thread may call
    // it; the memory stays the allocator's, and the call changes no byte of it.
    bool TouchAhead(const void* frontier);
    bool CanTouchAhead() const;

private:
    [[maybe_unused]] bool m_active = false;  // used only where the reservation is made
    // The first run of the room, lowest address first, where the blocks are cut from; and how
    // far TouchAhead got.
    [[maybe_unused]] char* m_from = nullptr;
    [[maybe_unused]] char* m_to = nullptr;
    [[maybe_unused]] char* m_touched = nullptr;
};

// Asks for large pages for a block about to be written for the first time (a whole file's
// text): the whole 2 MB pages inside it. Does nothing for small blocks or where not available.
void AdviseLargePages(void* block, std::size_t bytes);

// The environment switch QUENK_NO_HEAP_RESERVE=1 turns the reservation off, so that its effect
// can be measured in one run.
bool HeapReserveEnabled();
