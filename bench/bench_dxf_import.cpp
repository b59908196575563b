// The DXF import on a large generated drawing (about 50 MB of ASCII DXF, 270,000 entities) and
// the same entities as binary DXF, side by side with libdime (dimeModel::read and a walk over
// the entities) and ezdxf's readfile; then a whole DXF-to-G-code run of quenk-cli.
//   bench_dxf_import [--no-ezdxf] [--checksum]

#include <dime/Input.h>
#include <dime/Model.h>
#include <dime/State.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "bench_common.h"
#include "cadreader/cad_drawing.h"
#include "dxf_generator.h"
#include "import/cad_convert.h"
#include "import/cad_import.h"
#include "doc_checksum.h"
#include "model/document.h"
#include "model/heap_reserve.h"
#include "model/interaction.h"
#include "model/quenk_app.h"
#include "model/core_context.h"

namespace fs = std::filesystem;

namespace {
double Megabytes(const fs::path& p) { return static_cast<double>(fs::file_size(p)) / 1e6; }

bool g_checksum = false;  // --checksum: print a fingerprint of each imported document

std::size_t OurImport(const fs::path& file) {
    FingerprintInteraction messages;
    ScopedInteraction listen(messages);
    CQuenkApp app;
    app.m_colourPen.assign(256, 1);
    CQuenkDoc doc(app);
    CadOpenError error = CadOpenError::None;
    std::unique_ptr<CadDrawing> d = OpenDrawing(file.string(), error);
    if (!d) return 0;
    ImportCadDrawing(doc, std::move(d));
    std::size_t chains = 0;
    for (auto& l : doc.m_layers)
        for (auto& p : l->m_pens) chains += p->m_chains.size();
    if (g_checksum)
        std::printf("checksum: document %016llx, %zu messages %016llx\n",
                    static_cast<unsigned long long>(DocumentFingerprint(doc)), messages.Count(),
                    static_cast<unsigned long long>(messages.Hash()));
    return chains;
}

// Reading and converting alone, into a fresh layer: nothing placed or joined. The memory is
// made ready as the import makes it (ten times the file).
void OurReadAndConvert(const fs::path& file) {
    const HeapReserve room(10 * static_cast<std::size_t>(fs::file_size(file)), std::size_t{32} << 20);
    CQuenkApp app;
    app.m_colourPen.assign(256, 1);
    CQuenkDoc doc(app);
    CadOpenError error = CadOpenError::None;
    std::unique_ptr<CadDrawing> d = OpenDrawing(file.string(), error);
    if (!d) return;
    doc.m_curLayer = doc.AddLayer();
    ConvertCadDrawing(doc, *d);
}

bool CountEntity(const dimeState* const, dimeEntity*, void* n) {
    ++*static_cast<std::size_t*>(n);
    return true;
}

std::size_t DimeRead(const fs::path& file) {
    dimeInput in;
    if (!in.setFile(file.c_str())) return 0;
    dimeModel model;
    if (!model.read(&in)) return 0;
    std::size_t n = 0;
    model.traverseEntities(CountEntity, &n);
    return n;
}

// ezdxf's wall time; its processor time goes to cpu.
double EzdxfSeconds(const fs::path& file, double& cpu) {
    const std::string out = (file.parent_path() / "ezdxf_seconds.txt").string();
    const std::string cmd = "/usr/bin/python3 -c \"import sys, time, ezdxf; t = time.perf_counter(); "
                            "c = time.process_time(); ezdxf.readfile(sys.argv[1]); "
                            "print(time.perf_counter() - t, time.process_time() - c)\" " +
                            file.string() + " > " + out + " 2>/dev/null";
    if (std::system(cmd.c_str()) != 0) return -1.0;
    std::FILE* f = std::fopen(out.c_str(), "r");
    double s = -1.0;
    if (f) {
        if (std::fscanf(f, "%lf %lf", &s, &cpu) != 2) s = -1.0;
        std::fclose(f);
    }
    return s;
}

void Line(const char* what, const fs::path& file, double seconds) {
    std::printf("%-44s %8.1f ms %8.1f MB/s\n", what, seconds * 1000.0, Megabytes(file) / seconds);
}

// The best wall time of two runs; the least processor time (all threads) goes to cpu.
template <typename F>
double BestOfTwo(F f, double& cpu) {
    cpu = 1e300;
    return BestOf(2, [&] {
        const double c0 = CpuSeconds();
        f();
        cpu = std::min(cpu, CpuSeconds() - c0);
    });
}
}  // namespace

int main(int argc, char** argv) {
    bool ezdxf = true;
    for (int k = 1; k < argc; ++k) {
        ezdxf = ezdxf && std::strcmp(argv[k], "--no-ezdxf") != 0;
        g_checksum = g_checksum || std::strcmp(argv[k], "--checksum") == 0;
    }
    SilentInteraction ui;
    ScopedInteraction install(ui);
    const fs::path dir = fs::temp_directory_path() / "quenk_bench_dxf";
    fs::create_directories(dir);
    const fs::path ascii = dir / "large.dxf", binary = dir / "large_bin.dxf";
    const DxfBenchShape shape;
    if (!WriteBenchDxf(ascii.string(), false, shape) || !WriteBenchDxf(binary.string(), true, shape)) return 1;
    std::printf("ASCII %.1f MB, binary %.1f MB, %d entities\n", Megabytes(ascii), Megabytes(binary),
                shape.polygons * 6 + shape.roundedRects + shape.arcs + shape.circles);

    double readOnly[2] = {0, 0}, readConvert[2] = {0, 0}, readOnlyCpu[2] = {0, 0}, readConvertCpu[2] = {0, 0};
    for (int k = 0; k < 2; ++k) {
        const fs::path f = k ? binary : ascii;
        readOnly[k] = BestOfTwo(
            [&] {
                CadOpenError error = CadOpenError::None;
                OpenDrawing(f.string(), error);
            },
            readOnlyCpu[k]);
        Line(k ? "Quenk, binary: read only" : "Quenk, ASCII: read only", f, readOnly[k]);
        readConvert[k] = BestOfTwo([&] { OurReadAndConvert(f); }, readConvertCpu[k]);
        Line(k ? "Quenk, binary: read, convert" : "Quenk, ASCII: read, convert", f, readConvert[k]);
    }
    double ours[2] = {0, 0}, oursCpu[2] = {0, 0};
    const fs::path files[2] = {ascii, binary};
    for (int k = 0; k < 2; ++k) {
        // First in a fresh process, where all memory comes new from the system, then twice
        // here, where the second import reuses what the first one freed.
        const ChildRun fresh = RunInChild([&] { OurImport(files[k]); });
        std::size_t chains = 0;
        ours[k] = BestOfTwo([&] { chains = OurImport(files[k]); }, oursCpu[k]);
        const double cpu = oursCpu[k];
        Line(k ? "Quenk, binary: read, convert, place" : "Quenk, ASCII: read, convert, place", files[k], ours[k]);
        std::printf("%-44s %zu chains, %.3f s CPU; in a fresh process %.3f s wall, %.3f s CPU, peak %.0f MB\n", "",
                    chains, cpu, fresh.wall, fresh.cpu, fresh.peakMb);
        std::printf("%-44s phases, wall (CPU) ms: reading %.0f (%.0f), converting %.0f (%.0f), "
                    "placing, joining, clean-up %.0f (%.0f)\n", "", readOnly[k] * 1000.0, readOnlyCpu[k] * 1000.0,
                    (readConvert[k] - readOnly[k]) * 1000.0, (readConvertCpu[k] - readOnlyCpu[k]) * 1000.0,
                    (ours[k] - readConvert[k]) * 1000.0, (oursCpu[k] - readConvertCpu[k]) * 1000.0);
    }
    for (int k = 0; k < 2; ++k) {
        std::size_t n = 0;
        const double c0 = CpuSeconds();
        const double s = BestOf(1, [&] { n = DimeRead(files[k]); });
        const double cpu = CpuSeconds() - c0;
        Line(k ? "libdime, binary: read and walk" : "libdime, ASCII: read and walk", files[k], s);
        std::printf("%-44s %zu entities, %.3f s CPU; Quenk %.2fx as fast (CPU %.2fx), read+convert %.2fx (CPU %.2fx)\n",
                    "", n, cpu, s / ours[k], cpu / oursCpu[k], s / readConvert[k], cpu / readConvertCpu[k]);
    }
    if (ezdxf) {
        for (int k = 0; k < 2; ++k) {
            double cpu = 0;
            const double s = EzdxfSeconds(files[k], cpu);
            if (s < 0) {
                std::printf("ezdxf not available\n");
                break;
            }
            Line(k ? "ezdxf readfile, binary" : "ezdxf readfile, ASCII", files[k], s);
            std::printf("%-44s %.3f s CPU; Quenk %.1fx as fast (CPU %.1fx), read+convert %.1fx (CPU %.1fx)\n", "",
                        cpu, s / ours[k], cpu / oursCpu[k], s / readConvert[k], cpu / readConvertCpu[k]);
        }
    }

    // The whole road from a drawing to a program.
    DxfBenchShape job;
    job.polygons = 500;
    job.roundedRects = 500;
    job.arcs = job.circles = 0;
    job.looseLines = 10000;
    const fs::path small = dir / "job.dxf";
    if (!WriteBenchDxf(small.string(), false, job)) return 1;
    const std::string cmd = "cd " + dir.string() + " && " + QUENK_CLI_PATH + " --colour-pen 1:1 --colour-pen 2:1 --colour-pen 3:1 --colour-pen 4:1 --colour-pen 5:1 --colour-pen 6:1 --colour-pen 7:1 --set m_materialThickness=10 --set m_maxPassDepth=4 --tool 1:3 import " + small.string() +
                            " join correct 1 order all gcode " + (dir / "job.nc").string() + " > /dev/null 2>&1";
    const double run = BestOf(3, [&] {
        if (std::system(cmd.c_str()) != 0) std::printf("quenk-cli failed\n");
    });
    Report("quenk-cli import join correct order gcode (1,000 contours, 10,000 lines)", run, "< 600 ms");
    return 0;
}
