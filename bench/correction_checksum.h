#pragma once
// A fingerprint of everything a radius correction produces: every path's points (their
// bits), sources, closure and robust mark, the raw points, the problem points, and the
// messages shown. A change meant only to make the correction faster must leave it as it was.

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "doc_checksum.h"
#include "model/interaction.h"
#include "model/vector.h"

namespace bench {

// The import's fingerprint, with the correction's lists.
class Checksum : public Fingerprint {
public:
    template <class T>
    void Values(const std::vector<T>& v) {
        const std::uint64_t n = v.size();
        Bytes(&n, sizeof n);
        if (!v.empty()) Bytes(v.data(), v.size() * sizeof(T));
    }
    void Chain(const CVector& v) {
        const std::uint64_t paths = v.m_radiusList.size();
        Bytes(&paths, sizeof paths);
        for (const auto& path : v.m_radiusList) {
            Values(path->m_path.Raw());
            Values(path->m_source.Raw());
            const std::int32_t flags[2] = {path->m_closed, path->m_robust};
            Bytes(flags, sizeof flags);
        }
        Values(v.Correction().m_correctionPointsA.Raw());
        Values(v.Correction().m_correctionIndexB.Raw());
    }
};

// Takes every message into the checksum, in the order shown.
class ChecksumInteraction : public SilentInteraction {
public:
    explicit ChecksumInteraction(Checksum& sum) : m_sum(sum) {}
    void Message(const std::string& text) override {
        m_sum.Bytes(text.data(), text.size() + 1);
        ++m_messages;
    }
    int Messages() const { return m_messages; }

private:
    Checksum& m_sum;
    int m_messages = 0;
};

}  // namespace bench
