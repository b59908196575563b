#pragma once
// Writes a large plotter file as a CAD driver would: pens 1 to 8, closed contours cut into
// pieces whose ends touch exactly, the pieces of each pen shuffled and partly reversed,
// written with absolute and with relative plotting, plus arcs and circles. The file is
// streamed, so writing it needs little memory.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <unistd.h>

struct PlotFileFigures {
    std::size_t bytes = 0;
    std::size_t polylinePoints = 0;  // pen-down coordinate points written
    std::size_t strokes = 0;
    std::size_t arcs = 0;
    std::size_t circles = 0;
};

namespace plotgen {
struct Pt {
    std::int32_t x, y;
};

class Writer {
public:
    explicit Writer(std::FILE* f) : m_f(f) { m_buf.reserve(1 << 20); }
    explicit Writer(std::string* sink) : m_sink(sink) {}
    ~Writer() { Flush(); }
    void Text(const char* s) { m_buf += s; Check(); }
    void Int(std::int64_t v) {
        char tmp[24];
        const int n = std::snprintf(tmp, sizeof tmp, "%lld", static_cast<long long>(v));
        m_buf.append(tmp, static_cast<std::size_t>(n));
        Check();
    }
    void Pair(std::int64_t x, std::int64_t y) {
        Int(x);
        m_buf += ',';
        Int(y);
    }
    std::size_t Bytes() const { return m_written + m_buf.size(); }
    // Counts bytes written to the file past the writer.
    void Skip(std::size_t n) { m_written += n; }
    void Flush() {
        if (m_sink) {
            m_sink->append(m_buf);
        } else {
            std::fwrite(m_buf.data(), 1, m_buf.size(), m_f);
        }
        m_written += m_buf.size();
        m_buf.clear();
    }

private:
    void Check() {
        if (m_buf.size() > (1u << 20) - 64) Flush();
    }
    std::FILE* m_f = nullptr;
    std::string* m_sink = nullptr;
    std::string m_buf;
    std::size_t m_written = 0;
};

// A wavy closed outline of n vertices around (cx, cy); neighbouring vertices never coincide.
inline std::vector<Pt> Contour(std::mt19937& rng, int n, double cx, double cy, double r) {
    std::uniform_real_distribution<double> jitter(-0.02, 0.02);
    const int lobes = 3 + static_cast<int>(rng() % 5);
    std::vector<Pt> v;
    v.reserve(static_cast<std::size_t>(n) + 1);
    for (int j = 0; j < n; ++j) {
        const double t = 2.0 * 3.141592653589793 * j / n;
        const double rr = r * (1.0 + 0.25 * std::sin(lobes * t) + jitter(rng));
        Pt p{static_cast<std::int32_t>(std::lround(cx + rr * std::cos(t))),
             static_cast<std::int32_t>(std::lround(cy + rr * std::sin(t)))};
        if (!v.empty() && p.x == v.back().x && p.y == v.back().y) ++p.x;
        v.push_back(p);
    }
    v.push_back(v.front());  // closed
    return v;
}
}  // namespace plotgen

// targetStrokes pieces of contours in all (about 45 points each), a thousand arcs and a
// thousand circles among them. With visitsPerPen above 1 the pens take turns: each pen's
// pieces are cut into that many runs and the runs of the eight pens written in rotation, as
// the plot output of many CAD programs revisits its pens.
inline PlotFileFigures WriteLargePlotFile(const std::string& path, unsigned seed = 12345,
                                          std::size_t targetStrokes = 100000, std::size_t visitsPerPen = 1) {
    using namespace plotgen;
    PlotFileFigures fig;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return fig;
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> place(20000.0, 980000.0);
    {
        Writer file(f);
        Writer& w = file;
        w.Text("IN;\r\n");
        const int pens = 8;
        const std::size_t arcsPerPen = 125, circlesPerPen = 125;
        const std::size_t piecesPerPen = targetStrokes / pens - arcsPerPen - circlesPerPen;
        std::vector<std::vector<std::string>> runs(pens + 1, std::vector<std::string>(visitsPerPen));
        for (int pen = 1; pen <= pens; ++pen) {
            if (visitsPerPen <= 1) {
                w.Text("SP");
                w.Int(pen);
                w.Text(";\r\n");
            }
            // Contours of about 400 vertices, cut into pieces of 20 to 70 vertices.
            std::vector<std::vector<Pt>> pieces;
            while (pieces.size() < piecesPerPen) {
                const int n = 300 + static_cast<int>(rng() % 200);
                const std::vector<Pt> c = Contour(rng, n, place(rng), place(rng), 3000.0 + rng() % 15000);
                std::size_t at = 0;
                while (at < static_cast<std::size_t>(n)) {
                    std::size_t len = 20 + rng() % 51;
                    if (at + len > static_cast<std::size_t>(n)) len = static_cast<std::size_t>(n) - at;
                    std::vector<Pt> piece(c.begin() + static_cast<std::ptrdiff_t>(at),
                                          c.begin() + static_cast<std::ptrdiff_t>(at + len + 1));
                    if (rng() % 10 < 4) std::reverse(piece.begin(), piece.end());
                    pieces.push_back(std::move(piece));
                    at += len;
                }
            }
            std::shuffle(pieces.begin(), pieces.end(), rng);
            std::size_t arcs = 0, circles = 0;
            std::unique_ptr<Writer> runWriter;
            std::size_t run = 0;
            for (std::size_t i = 0; i < pieces.size(); ++i) {
                if (visitsPerPen > 1 && (!runWriter || i * visitsPerPen >= (run + 1) * pieces.size())) {
                    if (runWriter) ++run;
                    runWriter = std::make_unique<Writer>(&runs[pen][std::min(run, visitsPerPen - 1)]);
                }
                Writer& w = runWriter ? *runWriter : file;
                const std::vector<Pt>& p = pieces[i];
                w.Text("PU");
                w.Pair(p[0].x, p[0].y);
                if (rng() % 2 == 0) {
                    w.Text(";PD");
                    for (std::size_t k = 1; k < p.size(); ++k) {
                        if (k > 1) w.Text(",");
                        w.Pair(p[k].x, p[k].y);
                    }
                    w.Text(";\r\n");
                } else {
                    w.Text(";PD;PR");
                    for (std::size_t k = 1; k < p.size(); ++k) {
                        if (k > 1) w.Text(",");
                        w.Pair(static_cast<std::int64_t>(p[k].x) - p[k - 1].x,
                               static_cast<std::int64_t>(p[k].y) - p[k - 1].y);
                    }
                    w.Text(";PA;\r\n");
                }
                fig.polylinePoints += p.size();
                ++fig.strokes;
                // Now and then an arc or a circle between the pieces.
                if (arcs < arcsPerPen && i % (piecesPerPen / arcsPerPen) == 0) {
                    const double cx = place(rng), cy = place(rng);
                    const int r = 200 + static_cast<int>(rng() % 800);
                    w.Text("PU");
                    w.Pair(static_cast<std::int64_t>(cx) + r, static_cast<std::int64_t>(cy));
                    w.Text(";PD;AA");
                    w.Pair(static_cast<std::int64_t>(cx), static_cast<std::int64_t>(cy));
                    w.Text(",");
                    w.Int(rng() % 2 ? 30 + static_cast<int>(rng() % 90) : -(30 + static_cast<int>(rng() % 90)));
                    w.Text(";PU;\r\n");
                    ++arcs;
                    ++fig.strokes;
                }
                if (circles < circlesPerPen && i % (piecesPerPen / circlesPerPen) == 1) {
                    w.Text("PU");
                    w.Pair(static_cast<std::int64_t>(place(rng)), static_cast<std::int64_t>(place(rng)));
                    w.Text(";CI");
                    w.Int(100 + static_cast<int>(rng() % 900));
                    w.Text(";\r\n");
                    ++circles;
                    ++fig.strokes;
                }
            }
            fig.arcs += arcs;
            fig.circles += circles;
        }
        for (std::size_t r = 0; r < visitsPerPen && visitsPerPen > 1; ++r) {
            for (int pen = 1; pen <= pens; ++pen) {
                w.Text("SP");
                w.Int(pen);
                w.Text(";\r\n");
                w.Flush();
                std::fwrite(runs[pen][r].data(), 1, runs[pen][r].size(), f);
                w.Skip(runs[pen][r].size());
                std::string().swap(runs[pen][r]);
            }
        }
        w.Text("PU;SP0;\r\n");
        w.Flush();
        fig.bytes = w.Bytes();
    }
    // On disk before anything is measured: the kernel's write-back of 50 MB would otherwise
    // share the processor with the first program timed on the file.
    std::fflush(f);
    fsync(fileno(f));
    std::fclose(f);
    return fig;
}
