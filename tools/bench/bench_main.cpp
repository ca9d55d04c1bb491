// korvane-bench: how fast the library draws, against an obvious writer of the
// same drawing (the baseline) and against a plain block copy of the finished
// file (the limit), with the peak memory of each.
//
// The library is loaded from libkorvane.so.1 beside this program, like the
// front end loads it, and driven through its exports only: the parameter file
// is written with setteifincls/setteifin, checked with data_chekvb and drawn
// with save_DXF and the header template aln_hdr_.dxf beside the program.
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include "baseline_writer.h"
#include "bench_designs.h"
#include "bench_library.h"
#include "dxf_census.h"
#include "korvane.h"
#include "process_memory.h"

namespace {

using bench::BenchDesign;
using bench::Library;
using bench::loadLibrary;
using bench::writeParameterFile;
using bench::DxfCensus;

// ---------------------------------------------------------------- options

struct Options {
    int repetitions = 3;
    int sampleRepetitions = 50;
    std::string workFolder;
    std::string libraryPath;
    std::string templatePath;
    bool keepFiles = false;
    bool libraryOnly = false; // for profiling: no baseline, no copy
};

void printUsage() {
    std::printf(
        "usage: korvane-bench [-r N] [-s N] [-w FOLDER] [--library FILE] [--template FILE] [--keep]\n"
        "  -r, --repetitions N          drawings of the heavy design per writer (default 3)\n"
        "  -s, --sample-repetitions N   drawings of the sample design per writer (default 50)\n"
        "  -w, --work-folder FOLDER     where the drawings are written (default: a new temporary\n"
        "                               folder, removed at the end)\n"
        "      --library FILE           the library to load (default: " KORVANE_RUNTIME_NAME " beside this program)\n"
        "      --template FILE          the header template (default: aln_hdr_.dxf beside this program)\n"
        "      --keep                   keep the written files\n"
        "      --library-only           draw with the library only (for profiling)\n");
}

bool parsePositive(const char *text, int &value) {
    char *end = nullptr;
    errno = 0;
    const long parsed = std::strtol(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || parsed < 1 || parsed > 100000) return false;
    value = static_cast<int>(parsed);
    return true;
}

// Returns 0 to go on, otherwise the exit status.
int parseOptions(int argc, char **argv, Options &options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "-h" || arg == "--help") {
            printUsage();
            return -1;
        } else if ((arg == "-r" || arg == "--repetitions") && hasValue) {
            if (!parsePositive(argv[++i], options.repetitions)) return 2;
        } else if ((arg == "-s" || arg == "--sample-repetitions") && hasValue) {
            if (!parsePositive(argv[++i], options.sampleRepetitions)) return 2;
        } else if ((arg == "-w" || arg == "--work-folder") && hasValue) {
            options.workFolder = argv[++i];
        } else if (arg == "--library" && hasValue) {
            options.libraryPath = argv[++i];
        } else if (arg == "--template" && hasValue) {
            options.templatePath = argv[++i];
        } else if (arg == "--keep") {
            options.keepFiles = true;
        } else if (arg == "--library-only") {
            options.libraryOnly = true;
        } else {
            std::fprintf(stderr, "korvane-bench: unknown or incomplete option %s\n", arg.c_str());
            printUsage();
            return 2;
        }
    }
    return 0;
}

std::string programFolder() {
    char path[4096];
    const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) return ".";
    path[length] = '\0';
    std::string folder(path);
    const std::size_t slash = folder.rfind('/');
    return slash == std::string::npos ? "." : folder.substr(0, slash);
}

// ---------------------------------------------------------------- library

int messageCount = 0;

void KORVANE_CALL recordMessage(const char *text) {
    ++messageCount;
    std::fprintf(stderr, "korvane-bench: library message (cp932): %s\n", text);
}

// ---------------------------------------------------------------- measuring

using Clock = std::chrono::steady_clock;

struct Measure {
    std::vector<double> seconds;
    std::vector<double> cpuSeconds; // processor time of this process in the run
    long peakKiB = -1;   // highest resident size seen during a run
    long growthKiB = -1; // most a run raised the resident size above its start
    bool failed = false;

    double best() const { return *std::min_element(seconds.begin(), seconds.end()); }
    double bestCpu() const { return *std::min_element(cpuSeconds.begin(), cpuSeconds.end()); }
    double median() const {
        std::vector<double> sorted = seconds;
        std::sort(sorted.begin(), sorted.end());
        const std::size_t n = sorted.size();
        return n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
    }
};

bool peakResettable = false;

double processCpuSeconds() {
    timespec now{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

template <typename Run> void measureOnce(Measure &measure, Run run) {
    peakResettable = bench::resetPeakMemory();
    const long before = bench::residentKiB();
    const double cpuStart = processCpuSeconds();
    const Clock::time_point start = Clock::now();
    const bool ok = run();
    const Clock::time_point stop = Clock::now();
    measure.cpuSeconds.push_back(processCpuSeconds() - cpuStart);
    const long peak = bench::peakResidentKiB();
    measure.seconds.push_back(std::chrono::duration<double>(stop - start).count());
    measure.peakKiB = std::max(measure.peakKiB, peak);
    if (before >= 0 && peak >= 0) measure.growthKiB = std::max(measure.growthKiB, peak - before);
    if (!ok) measure.failed = true;
}

// The limit: the finished drawing copied to another file in large blocks.
bool blockCopy(const std::string &from, const std::string &to) {
    const int in = ::open(from.c_str(), O_RDONLY);
    if (in < 0) return false;
    const int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (out < 0) {
        ::close(in);
        return false;
    }
    static std::vector<char> block(std::size_t{1} << 20);
    bool ok = true;
    for (;;) {
        const ssize_t got = ::read(in, block.data(), block.size());
        if (got < 0) {
            ok = false;
            break;
        }
        if (got == 0) break;
        for (ssize_t done = 0; done < got;) {
            const ssize_t put = ::write(out, block.data() + done, static_cast<std::size_t>(got - done));
            if (put <= 0) {
                ok = false;
                break;
            }
            done += put;
        }
        if (!ok) break;
    }
    ::close(in);
    return ::close(out) == 0 && ok;
}

struct DesignResult {
    BenchDesign design;
    Measure library, baseline, limit;
    DxfCensus libraryCensus, baselineCensus;
};

struct Paths {
    std::string work, templateFile;
    std::string param(const BenchDesign &d) const { return work + "/" + d.name + ".dat"; }
    std::string libraryOut() const { return work + "/library.dxf"; }
    std::string libraryTemp() const { return work + "/temp.dxf"; }
    std::string baselineOut() const { return work + "/baseline.dxf"; }
    std::string baselineTemp() const { return work + "/baseline_temp.dxf"; }
    std::string copyOut() const { return work + "/copy.dxf"; }
};

bool drawWithLibrary(const Library &library, const Paths &paths, const std::string &param) {
    return library.check(param.c_str()) != 0 &&
           library.save(paths.libraryOut().c_str(), param.c_str(), paths.templateFile.c_str(),
                        paths.libraryTemp().c_str()) != 0;
}

// Draws the design repetitions times with each writer, the runs of the three
// interleaved so that a passing load on the machine touches all alike.
bool runDesign(const Library &library, const Paths &paths, int repetitions, DesignResult &result,
               bool withReference) {
    const std::string param = paths.param(result.design);
    if (!writeParameterFile(library, result.design, param)) {
        std::fprintf(stderr, "korvane-bench: cannot write %s\n", param.c_str());
        return false;
    }
    for (int i = 0; i < repetitions; ++i) {
        measureOnce(result.library, [&] { return drawWithLibrary(library, paths, param); });
        if (!withReference) continue;
        measureOnce(result.baseline, [&] {
            return bench::baselineSaveDxf(paths.baselineOut().c_str(), param.c_str(),
                                          paths.templateFile.c_str(),
                                          paths.baselineTemp().c_str()) != 0;
        });
        measureOnce(result.limit, [&] { return blockCopy(paths.libraryOut(), paths.copyOut()); });
    }
    result.libraryCensus = bench::takeCensus(paths.libraryOut());
    if (withReference) result.baselineCensus = bench::takeCensus(paths.baselineOut());
    return true;
}

// ---------------------------------------------------------------- report

double perSecond(double amount, double seconds) { return seconds > 0 ? amount / seconds : 0; }

void printRow(const char *writer, const Measure &m, const DxfCensus &census,
              std::uint64_t vertices) {
    if (m.seconds.empty()) return;
    std::printf("  %-20s %9llu %11llu %9.2f %9.2f %9.2f %9.3f %8.1f %8ld %8ld%s\n", writer,
                static_cast<unsigned long long>(vertices),
                static_cast<unsigned long long>(census.bytes), m.best() * 1e3, m.median() * 1e3,
                m.bestCpu() * 1e3,
                perSecond(static_cast<double>(vertices), m.best()) / 1e6,
                perSecond(static_cast<double>(census.bytes), m.best()) / 1e6, m.peakKiB,
                m.growthKiB, m.failed ? "  FAILED" : "");
}

void printCensus(const char *writer, const DxfCensus &c) {
    std::printf("  %-20s POLYLINE %llu, VERTEX %llu, SEQEND %llu, LINE %llu, ARC %llu, TEXT %llu, "
                "EOF %s\n",
                writer, static_cast<unsigned long long>(c.polylines),
                static_cast<unsigned long long>(c.vertices),
                static_cast<unsigned long long>(c.seqends), static_cast<unsigned long long>(c.lines),
                static_cast<unsigned long long>(c.arcs), static_cast<unsigned long long>(c.texts),
                c.endsWithEof ? "yes" : "no");
}

void printDesign(const DesignResult &r) {
    std::printf("\n%s design: %s\n", r.design.name.c_str(), r.design.description.c_str());
    std::printf("  %-20s %9s %11s %9s %9s %9s %9s %8s %8s %8s\n", "writer", "vertices", "bytes",
                "best ms", "median ms", "cpu ms", "Mvertex/s", "MB/s", "peak KiB", "grow KiB");
    printRow("library (save_DXF)", r.library, r.libraryCensus, r.libraryCensus.vertices);
    printRow("baseline (fprintf)", r.baseline, r.baselineCensus, r.baselineCensus.vertices);
    // The copy moves the library's file, so it is measured in its vertices.
    printRow("limit (block copy)", r.limit, r.libraryCensus, r.libraryCensus.vertices);
    printCensus("library entities", r.libraryCensus);
    if (!r.baseline.seconds.empty()) printCensus("baseline entities", r.baselineCensus);
}

const char *verdict(bool met) { return met ? "met" : "NOT MET"; }

} // namespace

int main(int argc, char **argv) {
    Options options;
    if (const int status = parseOptions(argc, argv, options)) return status < 0 ? 0 : status;

    const std::string folder = programFolder();
    if (options.libraryPath.empty()) options.libraryPath = folder + "/" KORVANE_RUNTIME_NAME;
    if (options.templatePath.empty()) options.templatePath = folder + "/aln_hdr_.dxf";

    bool ownFolder = false;
    if (options.workFolder.empty()) {
        const char *tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/korvane-bench-XXXXXX";
        std::vector<char> buffer(pattern.begin(), pattern.end());
        buffer.push_back('\0');
        if (!::mkdtemp(buffer.data())) {
            std::perror("korvane-bench: mkdtemp");
            return 1;
        }
        options.workFolder = buffer.data();
        ownFolder = true;
    } else if (::mkdir(options.workFolder.c_str(), 0755) != 0 && errno != EEXIST) {
        std::perror("korvane-bench: work folder");
        return 1;
    }

    Library library;
    if (!loadLibrary(options.libraryPath, library, recordMessage)) return 1;

    Paths paths{options.workFolder, options.templatePath};
    std::printf("korvane-bench: %s\n", options.libraryPath.c_str());
    std::printf("  work folder %s, %ld CPUs online, heavy design x%d, sample design x%d per writer\n",
                options.workFolder.c_str(), ::sysconf(_SC_NPROCESSORS_ONLN), options.repetitions,
                options.sampleRepetitions);
    std::printf("  times: best and median of the runs; MB = 10^6 bytes; peak = highest resident\n"
                "  size in a run, grow = most a run raised it above its start\n");

    DesignResult sample{bench::sampleDesign(), {}, {}, {}, {}, {}};
    DesignResult half{bench::heavyDesign("half", 0.02), {}, {}, {}, {}, {}};
    DesignResult heavy{bench::heavyDesign("heavy", 0.01), {}, {}, {}, {}, {}};
    const bool reference = !options.libraryOnly;
    const bool ran = runDesign(library, paths, options.sampleRepetitions, sample, reference) &&
                     runDesign(library, paths, 1, half, false) &&
                     runDesign(library, paths, options.repetitions, heavy, reference);

    if (ran) {
        printDesign(sample);
        printDesign(half);
        printDesign(heavy);
    }

    bool allMet = ran;
    if (ran && options.libraryOnly) {
        std::printf("\nlibrary only: no baseline and no limit, no verdict\n");
        allMet = false;
    } else if (ran) {
        const Measure &lib = heavy.library;
        const double libVertices = perSecond(heavy.libraryCensus.vertices, lib.best());
        const double baseVertices = perSecond(heavy.baselineCensus.vertices, heavy.baseline.best());
        const double libBytes = perSecond(heavy.libraryCensus.bytes, lib.best());
        const double limitBytes = perSecond(heavy.libraryCensus.bytes, heavy.limit.best());
        const double speedup = baseVertices > 0 ? libVertices / baseVertices : 0;
        const double share = limitBytes > 0 ? libBytes / limitBytes : 0;
        const double sampleMs = sample.library.best() * 1e3;
        const long growthHeavy = heavy.library.growthKiB;
        const long growthHalf = half.library.growthKiB;
        // Twice the vertices of the half design: memory that grew with them
        // would show as a difference of the order of the whole drawing.
        const bool flat = peakResettable && growthHeavy >= 0 && growthHalf >= 0 &&
                          growthHeavy - growthHalf <= 1024 &&
                          heavy.library.peakKiB - half.library.peakKiB <= 1024;
        const bool sameVertices =
            heavy.libraryCensus.vertices == heavy.baselineCensus.vertices &&
            sample.libraryCensus.vertices == sample.baselineCensus.vertices;
        const bool written = !lib.failed && !sample.library.failed && !half.library.failed &&
                             heavy.libraryCensus.endsWithEof && sample.libraryCensus.endsWithEof &&
                             heavy.libraryCensus.vertices > 0;

        std::printf("\nresults (heavy design, best runs)\n");
        std::printf("  library/baseline vertices per second: %.1fx (%.2f / %.2f Mvertex/s; "
                    "target >= 10x: %s)\n",
                    speedup, libVertices / 1e6, baseVertices / 1e6, verdict(speedup >= 10));
        std::printf("  library/limit MB per second:          %.1f%% (%.1f / %.1f MB/s; "
                    "target >= 20%%: %s)\n",
                    share * 100, libBytes / 1e6, limitBytes / 1e6, verdict(share >= 0.2));
        std::printf("  by processor time instead: library/baseline %.1fx, library/limit %.1f%%\n",
                    lib.bestCpu() > 0 ? heavy.baseline.bestCpu() / lib.bestCpu() : 0,
                    lib.bestCpu() > 0 ? heavy.limit.bestCpu() / lib.bestCpu() * 100 : 0);
        std::printf("  library peak memory: %ld KiB at %llu vertices, %ld KiB at %llu vertices; "
                    "growth in a run %ld / %ld KiB\n"
                    "    (target not growing with the vertices: %s)\n",
                    half.library.peakKiB,
                    static_cast<unsigned long long>(half.libraryCensus.vertices),
                    lib.peakKiB, static_cast<unsigned long long>(heavy.libraryCensus.vertices),
                    growthHalf, growthHeavy,
                    peakResettable ? verdict(flat) : "unknown, peak cannot be reset");
        std::printf("  sample design: %.2f ms per drawing (median %.2f ms; target < 20 ms: %s)\n",
                    sampleMs, sample.library.median() * 1e3, verdict(sampleMs < 20));
        std::printf("  same vertex count, library and baseline: %s\n", sameVertices ? "yes" : "NO");
        if (!written) std::printf("  the library did not write the drawing to the end\n");
        if (messageCount) std::printf("  the library showed %d message(s)\n", messageCount);
        allMet = written && speedup >= 10 && share >= 0.2 && flat && sampleMs < 20;
        std::printf("  all targets: %s\n", verdict(allMet));
    }

    if (!options.keepFiles) {
        for (const std::string &file :
             {paths.libraryOut(), paths.libraryTemp(), paths.baselineOut(), paths.baselineTemp(),
              paths.copyOut(), paths.param(sample.design), paths.param(half.design),
              paths.param(heavy.design)})
            std::remove(file.c_str());
        if (ownFolder) ::rmdir(options.workFolder.c_str());
    } else {
        std::printf("\nfiles kept in %s\n", options.workFolder.c_str());
    }
    return allMet ? 0 : 1;
}
