// Where an R2007 file keeps its parts: a Reed–Solomon coded file header at 0x80 points at the
// page map and the section map, both coded and compressed pages themselves; the sections list
// their pages by number, and the page map gives each page's place.
#include <string>
#include <unordered_map>

#include "cadreader/dwg_r2007.h"

namespace {
constexpr std::size_t kHeaderAt = 0x80, kHeaderBytes = 0x400, kHeaderWords = 3, kHeaderData = 239;
constexpr std::size_t kHeaderPacked = 32, kHeaderSize = 0x110;
constexpr std::size_t kPagesBase = 0x480, kWord = 255, kSystemData = 239, kDataData = 251;
constexpr std::size_t kSectionHead = 64, kPageEntry = 56, kMostFactor = 16, kPageUnit = 32;
constexpr std::uint64_t kCodedPages = 4;

class Layout2007 {
public:
    Layout2007(std::string_view file, DwgLayout& out)
        : m_bytes(reinterpret_cast<const std::uint8_t*>(file.data())), m_size(file.size()), m_out(out),
          m_budget(file.size()) {}

    bool Run() {
        if (m_size < kHeaderAt + kHeaderBytes) return false;
        std::vector<std::uint8_t> coded, header;
        DwgDeinterleave(m_bytes + kHeaderAt, kHeaderBytes, kHeaderWords, kHeaderData, kHeaderWords * kHeaderData, coded);
        const auto packed = static_cast<std::int32_t>(DwgLe32(&coded[24]));
        if (packed < 0) {
            const std::size_t raw = std::size_t{0} - static_cast<std::size_t>(static_cast<std::int64_t>(packed));
            if (raw > coded.size() - kHeaderPacked) return false;
            header.assign(coded.begin() + kHeaderPacked, coded.begin() + static_cast<std::ptrdiff_t>(kHeaderPacked + raw));
        } else if (static_cast<std::size_t>(packed) > coded.size() - kHeaderPacked ||
                   !DwgDecompress2007(&coded[kHeaderPacked], static_cast<std::size_t>(packed), kHeaderSize, header)) {
            return false;
        }
        if (header.size() < kHeaderSize) return false;
        const std::uint8_t* h = header.data();
        std::vector<std::uint8_t> map;
        if (!SystemPage(DwgLe64(h + 0x38), DwgLe64(h + 0x50), DwgLe64(h + 0x58), DwgLe64(h + 0x18), kSystemData, map) ||
            !ReadPageMap(map))
            return false;
        const auto it = m_pages.find(DwgLe64(h + 0xC0));
        if (it == m_pages.end() ||
            !SystemPage(it->second.at, DwgLe64(h + 0xB0), DwgLe64(h + 0xC8), DwgLe64(h + 0xD8), kSystemData, map))
            return false;
        return Section(map, "AcDb:Handles", m_out.handleStore, m_out.handles) &&
               Section(map, "AcDb:AcDbObjects", m_out.objectStore, m_out.objects) &&
               (Section(map, "AcDb:Classes", m_out.classStore, m_out.classes) || true);
    }

private:
    // The coded bytes of a page: whole code words of 255 bytes, enough for `packed` data bytes
    // rounded up to 8 and multiplied by the page's correction factor.
    bool Decode(std::uint64_t at, std::uint64_t packed, std::uint64_t factor, std::size_t dataBytes,
                std::vector<std::uint8_t>& out) {
        if (factor == 0 || factor > kMostFactor || packed > m_size || at > m_size) return false;
        const std::uint64_t data = ((packed + 7) & ~std::uint64_t{7}) * factor;
        const std::uint64_t blocks = (data + dataBytes - 1) / dataBytes;
        const std::uint64_t start = kPagesBase + at;
        if (start > m_size || blocks > (m_size - start) / kWord) return false;
        out.clear();
        return DwgDeinterleave(m_bytes + start, static_cast<std::size_t>(m_size - start), static_cast<std::size_t>(blocks),
                               dataBytes, static_cast<std::size_t>(data), out);
    }

    bool SystemPage(std::uint64_t at, std::uint64_t packed, std::uint64_t size, std::uint64_t factor,
                    std::size_t dataBytes, std::vector<std::uint8_t>& out) {
        std::vector<std::uint8_t> coded;
        if (!Decode(at, packed, factor, dataBytes, coded) || packed > coded.size() || !m_budget.Spend(size)) return false;
        out.clear();
        return DwgDecompress2007(coded.data(), static_cast<std::size_t>(packed), static_cast<std::size_t>(size), out) &&
               out.size() == size;
    }

    bool ReadPageMap(const std::vector<std::uint8_t>& map) {
        std::uint64_t at = 0;
        for (std::size_t k = 0; k + 16 <= map.size(); k += 16) {
            const std::uint64_t size = DwgLe64(&map[k]);
            const auto number = static_cast<std::int64_t>(DwgLe64(&map[k + 8]));
            // Pages lie in the file and take at least one aligned unit of 32 bytes, which keeps
            // the map smaller than the file.
            if (size < kPageUnit || size > m_size - at) return false;
            m_pages[number < 0 ? 0 - static_cast<std::uint64_t>(number) : static_cast<std::uint64_t>(number)] = {at, size};
            at += size;
        }
        return !m_pages.empty();
    }

    static std::string Utf16Name(const std::uint8_t* p, std::size_t bytes) {
        std::string name;
        for (std::size_t k = 0; k + 1 < bytes && (p[k] | p[k + 1]) != 0; k += 2)
            name.push_back(p[k + 1] == 0 && p[k] < 0x80 ? static_cast<char>(p[k]) : '?');
        return name;
    }

    bool Section(const std::vector<std::uint8_t>& map, std::string_view name, std::vector<std::uint8_t>& store,
                 DwgBytes& out) {
        for (std::size_t k = 0; k + kSectionHead <= map.size();) {
            const std::uint64_t total = DwgLe64(&map[k]), nameBytes = DwgLe64(&map[k + 0x20]);
            const std::uint64_t coding = DwgLe64(&map[k + 0x30]), pages = DwgLe64(&map[k + 0x38]);
            const bool encrypted = DwgLe64(&map[k + 0x10]) != 0;
            k += kSectionHead;
            if (nameBytes > map.size() - k) return false;
            const std::string sectionName = Utf16Name(&map[k], static_cast<std::size_t>(nameBytes));
            k += static_cast<std::size_t>(nameBytes);
            if (pages > (map.size() - k) / kPageEntry) return false;
            if (sectionName != name) {
                k += static_cast<std::size_t>(pages) * kPageEntry;
                continue;
            }
            if (encrypted || total > m_budget.Left()) return false;
            store.clear();
            for (std::uint64_t p = 0; p < pages; ++p, k += kPageEntry)
                if (!DataPage(&map[k], coding == kCodedPages, store)) return false;
            if (store.size() < total && !m_budget.Spend(total - store.size())) return false;
            if (store.size() < total) store.resize(static_cast<std::size_t>(total));
            out = {store.data(), store.size()};
            return true;
        }
        return false;
    }

    bool DataPage(const std::uint8_t* entry, bool coded, std::vector<std::uint8_t>& store) {
        const std::uint64_t start = DwgLe64(entry), number = DwgLe64(entry + 16);
        const std::uint64_t size = DwgLe64(entry + 24), packed = DwgLe64(entry + 32);
        const auto it = m_pages.find(number);
        if (it == m_pages.end()) return false;
        // Pages of zeros are left out of the file: their place stays empty.
        if (start > store.size()) {
            if (!m_budget.Spend(start - store.size())) return false;
            store.resize(static_cast<std::size_t>(start));
        }
        if (start < store.size()) store.resize(static_cast<std::size_t>(start));
        std::vector<std::uint8_t> bytes;
        if (coded) {
            if (!Decode(it->second.at, packed, 1, kDataData, bytes)) return false;
        } else {
            const std::uint64_t from = kPagesBase + it->second.at;
            if (from > m_size || packed > m_size - from) return false;
            bytes.assign(m_bytes + from, m_bytes + from + packed);
        }
        if (packed > bytes.size() || !m_budget.Spend(size)) return false;
        if (packed == size) {
            store.insert(store.end(), bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size));
            return true;
        }
        return DwgDecompress2007(bytes.data(), static_cast<std::size_t>(packed), static_cast<std::size_t>(size), store);
    }

    const std::uint8_t* m_bytes;
    std::uint64_t m_size;
    DwgLayout& m_out;
    DwgBudget m_budget;
    std::unordered_map<std::uint64_t, DwgPage> m_pages;
};
}  // namespace

bool FindDwgParts2007(std::string_view file, DwgLayout& out) {
    out.release = 1021;
    return Layout2007(file, out).Run();
}
