#pragma once
// Inside the DXF front end: one entity record into the database, the layer names, and the
// flags that follow from layers and sequences once the whole file is read.

#include <string>
#include <string_view>
#include <unordered_map>

#include "cadreader/cad_drawing.h"
#include "cadreader/dxf_groups.h"

// Layer names to their index in the drawing's table; a name not yet seen gets a new layer with
// the default colour (the table may come later, or not at all).
class LayerIndex {
public:
    explicit LayerIndex(CadDrawing& d) : m_d(d) {}
    std::uint32_t Index(std::string_view rawName);

private:
    CadDrawing& m_d;
    std::unordered_map<std::string, std::uint32_t> m_byName;  // upper-case raw bytes
    std::string m_lastName;  // entities mostly repeat the layer of the one before
    std::uint32_t m_last = 0;
    bool m_haveLast = false;
};

class DxfEntityReader {
public:
    DxfEntityReader(DxfGroups& in, CadDrawing& d, LayerIndex& layers) : m_in(in), m_d(d), m_layers(layers) {}

    // Reads the entity whose name group g holds, into block or (none: the ENTITIES section)
    // into model or paper space. Leaves g on the group after the record. False: damaged.
    bool Read(DxfGroup& g, CadBlock* block);
    // Whether g holds a group after the last Read.
    bool HaveGroup() const { return m_have; }
    // Makes room for the entities of a file of this size.
    void Reserve(std::size_t fileBytes);
    // Appends the ENTITIES section's model-space and paper-space entities.
    void TakeSpaces(CadBlock& model, CadBlock& paper);

private:
    bool Value(const DxfGroup& g, CadEntity& e);
    // Converts an entity drawn with the extrusion (nx, ny, nz) into world coordinates.
    void Orient(CadEntity& e, double nx, double ny, double nz);

    DxfGroups& m_in;
    CadDrawing& m_d;
    LayerIndex& m_layers;
    bool m_have = false;
    CadBlock m_model, m_paper;
    CadBlock* m_owner = nullptr;       // where the vertices and attributes of a sequence go
    bool m_sequenceMirrored = false;   // the open polyline's vertices are mirrored
};

// The DXF name of a type number ("" for kCadOther and numbers no DXF entity has).
std::string_view DxfTypeName(std::uint16_t type);

// Sets the skip bit of entities that the drawing does not show: invisible ones, those on a
// layer that is off or frozen, and the vertices and end of a polyline that is skipped.
void MarkHidden(const CadDrawing& d, CadBlock& block);
