#include "cli/dump.h"

#include <type_traits>

#include "cli/json_writer.h"
#include "cli/settings_fields.h"
#include "model/document.h"
#include "model/quenk_app.h"
#include "model/fraes_kontur.h"

namespace {

void Points(JsonWriter& j, const CPointArray& pts) { JsonPoints(j, pts); }

void Ints(JsonWriter& j, const CIntArray& a) { j.Value(a.Raw()); }

template <typename T>
void BoxFields(JsonWriter& j, const T& o) {
    j.Field("m_minX", o.m_minX);
    j.Field("m_maxX", o.m_maxX);
    j.Field("m_minY", o.m_minY);
    j.Field("m_maxY", o.m_maxY);
    j.Field("m_outerMinX", OuterMinXOf(o));
    j.Field("m_outerMaxX", OuterMaxXOf(o));
    j.Field("m_outerMinY", OuterMinYOf(o));
    j.Field("m_outerMaxY", OuterMaxYOf(o));
}

void Radius(JsonWriter& j, const CRadius& r) {
    j.BeginObject();
    j.Field("m_mark", r.m_mark);
    j.Field("m_selected", r.m_selected);
    j.Field("m_closed", r.m_closed);
    // Only paths from the robust offset carry the mark, so that other dumps stay as they were.
    if (r.m_robust) j.Field("m_robust", r.m_robust);
    j.Key("m_path");
    Points(j, r.m_path);
    j.Key("m_source");
    Ints(j, r.m_source);
    j.EndObject();
}

void Chain(JsonWriter& j, const CVector& c) {
    j.BeginObject();
    j.Field("m_empty", c.m_empty);
    j.Field("m_closed", c.m_closed);
    j.Field("m_direction", c.m_direction);
    j.Field("m_startX", c.m_startX);
    j.Field("m_startY", c.m_startY);
    j.Field("m_endX", c.m_endX);
    j.Field("m_endY", c.m_endY);
    BoxFields(j, c);
    j.Field("m_function", c.m_function);
    j.Field("m_tool", c.m_tool);
    j.Field("m_side", c.m_side);
    j.Field("m_toolRadius", c.m_toolRadius);
    j.Field("m_cleanContour", c.m_cleanContour);
    j.Field("m_hasCorrection", c.m_hasCorrection);
    j.Key("m_points");
    Points(j, c.m_points);
    j.Key("m_radiusList");
    j.BeginArray();
    for (const auto& r : c.m_radiusList) Radius(j, *r);
    j.EndArray();
    j.Key("m_correctionIndexB");
    Ints(j, c.Correction().m_correctionIndexB);
    j.EndObject();
}

void Document(JsonWriter& j, const CQuenkDoc& doc) {
    j.BeginObject();
    j.Field("m_drawingName", doc.m_drawingName);
    j.Field("m_importPath", doc.m_importPath);
    j.Field("m_nothingImported", doc.m_nothingImported);
    j.Field("m_bCorrectionDone", doc.m_bCorrectionDone);
    j.Field("m_bCadImported", doc.m_bCadImported);
    BoxFields(j, doc);
    j.Key("m_layers");
    j.BeginArray();
    for (const auto& layer : doc.m_layers) {
        j.BeginObject();
        j.Field("m_empty", layer->m_empty);
        BoxFields(j, *layer);
        j.Key("m_pens");
        j.BeginArray();
        for (const auto& pen : layer->m_pens) {
            j.BeginObject();
            j.Field("m_number", pen->m_number);
            j.Field("m_colourIndex", pen->m_colourIndex);
            j.Field("m_empty", pen->m_empty);
            BoxFields(j, *pen);
            j.Key("m_chains");
            j.BeginArray();
            for (const auto& chain : pen->m_chains) Chain(j, *chain);
            j.EndArray();
            j.EndObject();
        }
        j.EndArray();
        j.EndObject();
    }
    j.EndArray();
    j.EndObject();
}

void Tool(JsonWriter& j, const CWerkzeug& t) {
    j.BeginObject();
    j.Field("m_colour", t.m_colour);
    j.Field("m_depth", t.m_depth);
    j.Field("m_valueF", t.m_valueF);
    j.Field("m_param1", t.m_param1);
    j.Field("m_param2", t.m_param2);
    j.Field("m_param3", t.m_param3);
    j.Field("m_side", t.m_side);
    j.Field("m_param4", t.m_param4);
    j.Field("m_param5", t.m_param5);
    j.Field("m_diameter", t.m_diameter);
    j.EndObject();
}

void Contour(JsonWriter& j, const CFraesKontur& k) {
    j.BeginObject();
    j.Field("m_tool", k.m_tool);
    j.Field("m_toolColor", k.m_toolColor);
    j.Field("m_outerMaxX", k.m_outerMaxX);
    j.Field("m_outerMinX", k.m_outerMinX);
    j.Field("m_outerMaxY", k.m_outerMaxY);
    j.Field("m_outerMinY", k.m_outerMinY);
    j.Field("m_direction", k.m_direction);
    j.Key("m_points");
    Points(j, k.m_points);
    j.Key("m_paths");
    j.BeginArray();
    for (const auto& d : k.m_paths) Points(j, d->m_points);
    j.EndArray();
    j.EndObject();
}

void Application(JsonWriter& j, const CQuenkApp& app) {
    j.BeginObject();
    for (const NamedMember& f : AppFields()) {
        j.Key(f.name);
        std::visit(
            [&](auto member) {
                if constexpr (!std::is_same_v<decltype(member), std::vector<CWerkzeug> CQuenkApp::*>) j.Value(app.*member);
            },
            f.member);
    }
    j.Key("m_tools");
    j.BeginArray();
    for (const CWerkzeug& t : app.m_tools) Tool(j, t);
    j.EndArray();
    j.Key("m_millingList");
    j.BeginArray();
    for (const auto& k : app.m_millingList) Contour(j, *k);
    j.EndArray();
    j.EndObject();
}

}  // namespace

void DumpJson(std::ostream& out, const CQuenkDoc& doc, const CQuenkApp& app) {
    JsonWriter j(out);
    j.BeginObject();
    j.Key("document");
    Document(j, doc);
    j.Key("application");
    Application(j, app);
    j.EndObject();
    out << '\n';
}
