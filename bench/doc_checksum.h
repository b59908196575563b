#pragma once
// A fingerprint of an import's result, so that a change made for speed can be checked to
// leave the document and the messages exactly as they were: every layer, pen and chain with
// its boxes, flags and points (bit for bit), and every message text in its order.

#include <cstdint>
#include <cstring>
#include <string>

#include "model/document.h"
#include "model/interaction.h"

class Fingerprint {
public:
    void Bytes(const void* data, std::size_t n) {
        const auto* p = static_cast<const unsigned char*>(data);
        for (std::size_t k = 0; k < n; ++k) m_hash = (m_hash ^ p[k]) * 0x100000001b3ULL;
    }
    template <typename T>
    void Value(const T& v) {
        Bytes(&v, sizeof v);
    }
    template <typename Box>
    void BoxOf(const Box& b) {
        for (double v : {b.m_minY, b.m_maxY, b.m_minX, b.m_maxX, OuterMinYOf(b), OuterMaxYOf(b), OuterMinXOf(b),
                         OuterMaxXOf(b)})
            Value(v);
    }
    std::uint64_t Hash() const { return m_hash; }

private:
    std::uint64_t m_hash = 0xcbf29ce484222325ULL;
};

// Shows nothing, answers like SilentInteraction, and folds every message into a fingerprint.
class FingerprintInteraction : public SilentInteraction {
public:
    void Message(const std::string& text) override {
        m_messages.Bytes(text.data(), text.size());
        ++m_count;
    }
    std::uint64_t Hash() const { return m_messages.Hash(); }
    std::size_t Count() const { return m_count; }

private:
    Fingerprint m_messages;
    std::size_t m_count = 0;
};

inline std::uint64_t DocumentFingerprint(const CQuenkDoc& doc) {
    Fingerprint f;
    f.BoxOf(doc);
    for (const auto& layer : doc.m_layers) {
        f.BoxOf(*layer);
        f.Value(layer->m_empty);
        for (const auto& pen : layer->m_pens) {
            f.BoxOf(*pen);
            f.Value(pen->m_number);
            f.Value(pen->m_colourIndex);
            f.Value(pen->m_empty);
            f.Value(pen->m_chains.size());
            for (const auto& c : pen->m_chains) {
                f.BoxOf(*c);
                for (std::int32_t v : {c->m_closed, c->m_empty, c->m_direction, c->m_function, c->m_tool,
                                       c->m_startX, c->m_startY, c->m_endX, c->m_endY})
                    f.Value(v);
                f.Value(c->m_cleanContour);
                f.Value(c->PointCount());
                f.Bytes(c->m_points.Data(), static_cast<std::size_t>(c->PointCount()) * sizeof(CPunkt));
            }
        }
    }
    return f.Hash();
}
