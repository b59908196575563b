#include "cadreader/dwg_layout.h"

#include <cstring>
#include <string>
#include <unordered_map>

#include "cadreader/dwg_lz77.h"
#include "cadreader/dwg_r2007.h"

namespace {
constexpr std::size_t kMaintenanceByte = 0x0B;
// The section locators up to R2000: record numbers of the object map and the classes.
constexpr unsigned kLocatorClasses = 1, kLocatorHandles = 2;
constexpr std::size_t kLocatorTable = 0x15, kLocatorRecord = 9, kMostLocators = 64;
// From R2004: the masked file header and where the page map lies relative to its address.
constexpr std::size_t kMaskedHeader = 0x80, kMaskedHeaderSize = 0x6C, kPageMapBase = 0x100;
constexpr std::size_t kSystemPageHeader = 20, kDataPageHeader = 32;
constexpr std::uint32_t kDataPageMask = 0x4164536B;
constexpr std::size_t kSectionMapHead = 20, kSectionEntry = 96, kPageEntry = 16, kSectionNameSize = 64;

bool Range(std::string_view file, std::uint64_t at, std::uint64_t size, DwgBytes& out) {
    if (at > file.size() || size > file.size() - at) return false;
    out.data = reinterpret_cast<const std::uint8_t*>(file.data()) + at;
    out.size = static_cast<std::size_t>(size);
    return true;
}

bool LocatorLayout(std::string_view file, DwgLayout& out) {
    DwgBytes head;
    if (!Range(file, kLocatorTable, 4, head)) return false;
    const std::uint32_t count = DwgLe32(head.data);
    if (count > kMostLocators || !Range(file, kLocatorTable + 4, std::uint64_t{count} * kLocatorRecord, head))
        return false;
    bool haveHandles = false;
    for (std::uint32_t k = 0; k < count; ++k) {
        const std::uint8_t* r = head.data + k * kLocatorRecord;
        const std::uint32_t at = DwgLe32(r + 1), size = DwgLe32(r + 5);
        if (r[0] == kLocatorHandles) haveHandles = Range(file, at, size, out.handles);
        if (r[0] == kLocatorClasses && !Range(file, at, size, out.classes)) out.classes = {};
    }
    out.objects = {reinterpret_cast<const std::uint8_t*>(file.data()), file.size()};
    return haveHandles;
}

class PagedLayout {
public:
    PagedLayout(std::string_view file, DwgLayout& out)
        : m_file(file), m_bytes(reinterpret_cast<const std::uint8_t*>(file.data())), m_out(out),
          m_budget(file.size()) {}

    bool Run() {
        if (m_file.size() < kMaskedHeader + kMaskedHeaderSize) return false;
        std::uint8_t header[kMaskedHeaderSize];
        std::uint32_t seed = 1;
        for (std::size_t k = 0; k < kMaskedHeaderSize; ++k) {
            seed = seed * 0x343FDu + 0x269EC3u;
            header[k] = static_cast<std::uint8_t>(m_bytes[kMaskedHeader + k] ^ (seed >> 16));
        }
        if (std::memcmp(header, "AcFssFcAJMB", 11) != 0) return false;
        const std::uint64_t pageMap = DwgLe64(header + 0x54) + kPageMapBase;
        const std::uint32_t sectionMapId = DwgLe32(header + 0x5C);
        std::vector<std::uint8_t> map;
        if (!SystemPage(pageMap, map) || !ReadPageMap(map)) return false;
        const auto it = m_pages.find(sectionMapId);
        if (it == m_pages.end() || !SystemPage(it->second.at, map)) return false;
        return Section(map, "AcDb:Handles", m_out.handleStore, m_out.handles) &&
               Section(map, "AcDb:AcDbObjects", m_out.objectStore, m_out.objects) &&
               (Section(map, "AcDb:Classes", m_out.classStore, m_out.classes) || true);
    }

private:
    // A page of the page map or the section map: a plain header, then compressed data.
    bool SystemPage(std::uint64_t at, std::vector<std::uint8_t>& out) {
        DwgBytes head, data;
        if (!Range(m_file, at, kSystemPageHeader, head)) return false;
        const std::uint32_t size = DwgLe32(head.data + 4), packed = DwgLe32(head.data + 8);
        if (!Range(m_file, at + kSystemPageHeader, packed, data) || !m_budget.Spend(size)) return false;
        out.clear();
        return DwgDecompress(data.data, data.size, size, out);
    }

    bool ReadPageMap(const std::vector<std::uint8_t>& map) {
        std::uint64_t at = kPageMapBase;
        for (std::size_t k = 0; k + 8 <= map.size();) {
            const auto number = static_cast<std::int32_t>(DwgLe32(&map[k]));
            const std::uint32_t size = DwgLe32(&map[k + 4]);
            k += 8;
            if (number >= 0) m_pages[static_cast<std::uint32_t>(number)] = {at, size};
            else k += 16;  // a gap: its tree links follow
            at += size;
        }
        return !m_pages.empty();
    }

    bool Section(const std::vector<std::uint8_t>& map, std::string_view name, std::vector<std::uint8_t>& store,
                 DwgBytes& out) {
        if (map.size() < kSectionMapHead) return false;
        const std::uint32_t count = DwgLe32(map.data());
        std::size_t k = kSectionMapHead;
        for (std::uint32_t s = 0; s < count && k + kSectionEntry <= map.size(); ++s) {
            const std::uint64_t total = DwgLe64(&map[k]);
            const std::uint32_t pages = DwgLe32(&map[k + 8]), pageSize = DwgLe32(&map[k + 12]);
            const bool compressed = DwgLe32(&map[k + 20]) == 2, encrypted = DwgLe32(&map[k + 28]) == 1;
            const char* n = reinterpret_cast<const char*>(&map[k + 32]);
            const std::string sectionName(n, strnlen(n, kSectionNameSize));
            k += kSectionEntry;
            if (pages > (map.size() - k) / kPageEntry) return false;
            if (sectionName != name) {
                k += std::size_t{pages} * kPageEntry;
                continue;
            }
            if (encrypted || total > m_budget.Left()) return false;
            store.clear();
            for (std::uint32_t p = 0; p < pages; ++p, k += kPageEntry)
                if (!DataPage(DwgLe32(&map[k]), DwgLe64(&map[k + 8]), pageSize, compressed, store)) return false;
            if (store.size() < total && !m_budget.Spend(total - store.size())) return false;
            if (store.size() < total) store.resize(static_cast<std::size_t>(total));
            out = {store.data(), store.size()};
            return true;
        }
        return false;
    }

    bool DataPage(std::uint32_t number, std::uint64_t start, std::uint32_t pageSize, bool compressed,
                  std::vector<std::uint8_t>& store) {
        const auto it = m_pages.find(number);
        DwgBytes head, data;
        if (it == m_pages.end() || !Range(m_file, it->second.at, kDataPageHeader, head)) return false;
        const std::uint32_t mask = kDataPageMask ^ static_cast<std::uint32_t>(it->second.at);
        const std::uint32_t packed = DwgLe32(head.data + 8) ^ mask;
        if (!Range(m_file, it->second.at + kDataPageHeader, packed, data)) return false;
        // Pages of zeros are left out of the file: their place stays empty.
        if (start > store.size()) {
            if (!m_budget.Spend(start - store.size())) return false;
            store.resize(static_cast<std::size_t>(start));
        }
        if (start < store.size()) store.resize(static_cast<std::size_t>(start));
        if (!compressed) {
            if (!m_budget.Spend(data.size)) return false;
            store.insert(store.end(), data.data, data.data + data.size);
            return true;
        }
        return m_budget.Spend(pageSize) && DwgDecompress(data.data, data.size, pageSize, store);
    }

    std::string_view m_file;
    const std::uint8_t* m_bytes;
    DwgLayout& m_out;
    DwgBudget m_budget;
    std::unordered_map<std::uint32_t, DwgPage> m_pages;
};
}  // namespace

bool FindDwgParts(std::string_view file, int release, DwgLayout& out) {
    out.release = release;
    if (file.size() > kMaintenanceByte) out.maintenance = static_cast<unsigned char>(file[kMaintenanceByte]);
    if (release <= 1015) return LocatorLayout(file, out);
    if (release == 1021) return FindDwgParts2007(file, out);
    return PagedLayout(file, out).Run();
}
