#pragma once
// Inside the DWG front end: the object map, and one object's common data. An object has up to
// three streams: its data, its handle references after the data, and from R2007 on a stream of
// UTF-16 texts at the end of the data.

#include <cstdint>
#include <string>
#include <vector>

#include "cadreader/dwg_bits.h"
#include "cadreader/dwg_layout.h"

struct DwgMapEntry {
    std::uint64_t handle = 0;
    std::uint64_t offset = 0;
};

// The object map: handles and where their objects lie, in the order of the map. False when
// the map is damaged.
bool ReadObjectMap(const DwgBytes& map, const DwgBytes& objects, std::vector<DwgMapEntry>& out);

// What the common entity data tell the drawing.
struct DwgEntityHead {
    unsigned mode = 0;           // 0: owned by `owner`; 1: paper space; 2: model space
    std::uint64_t owner = 0;
    std::uint64_t layer = 0;
    std::int32_t colour = 256;   // index colour; true colours mapped to the nearest
    bool invisible = false;
};

class DwgObject {
public:
    DwgObject(const DwgBytes& objects, int release) : m_objects(objects), m_release(release) {}

    // Opens the object at an offset of the objects' bytes and reads its type. False: damaged.
    bool Open(std::uint64_t offset);
    std::uint32_t Type() const { return m_type; }
    std::uint64_t Handle() const { return m_handle; }
    // The common data of an entity, then of any other object; both leave the data stream at
    // the object's own fields and the handle stream at its own references.
    bool EntityCommon(DwgEntityHead& head);
    bool ObjectCommon();

    DwgBits& Data() { return m_data; }
    std::uint64_t NextHandle() { return m_refs.H(m_handle); }
    // The most handles the rest of the handle stream can hold (each takes a byte at least).
    std::size_t HandlesLeft() const { return (m_refs.EndBit() - m_refs.Bit()) / 8; }
    // A text field: in the data before R2007, in the text stream from then on.
    std::string Text() { return m_release >= 1021 ? m_text.TV(true) : m_data.TV(false); }
    bool Ok() const { return m_data.Ok() && m_refs.Ok() && m_text.Ok(); }
    int Release() const { return m_release; }

    // Colours as entities and table records (from R2004) hold them.
    std::int32_t EntityColour(bool& bookHandle);
    std::int32_t TableColour();

private:
    // Sets the handle stream to start `bits` after the object's start, and the text stream.
    void SplitAt(std::size_t bits);
    void Eed();

    DwgBytes m_objects;
    int m_release;
    DwgBits m_data, m_refs, m_text;
    std::size_t m_start = 0;      // bit position of the object's type
    std::size_t m_endBit = 0;     // one past its last data bit
    std::uint32_t m_type = 0;
    std::uint64_t m_handle = 0;
};

// Moves a reader to the start of the UTF-16 text stream (R2007 on) of data that end at endBit.
void FindTextStream(DwgBits& text, std::size_t endBit);

// The classes (object types from 500 on) whose objects are entities, from the classes section,
// each with the type number it stands for; none when the section is missing or damaged.
struct DwgClass {
    std::uint32_t number = 0;
    std::uint16_t type = 0;  // the database's type number
};
std::vector<DwgClass> ReadEntityClasses(const DwgBytes& classes, int release, int maintenance);

// The nearest of the 255 index colours to a true colour.
std::int32_t NearestIndexColour(std::uint32_t rgb);
