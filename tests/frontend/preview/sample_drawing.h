// The library's drawing of the sample design and its plan drawing of the
// worked route, made through its exports in a freshly loaded libkorvane.so.1,
// for the tests that read a real drawing back.
#pragma once

#include <dlfcn.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace preview_test {

class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "rovena-preview-XXXXXX").string();
        std::vector<char> buffer(pattern.begin(), pattern.end());
        buffer.push_back('\0');
        if (!mkdtemp(buffer.data())) std::abort();
        path_ = buffer.data();
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder &) = delete;
    TempFolder &operator=(const TempFolder &) = delete;
    std::string file(const std::string &name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

struct SampleDrawing {
    std::string path;   // the written DXF, empty on failure
    std::string error;  // why there is none
};

// Checks data/sample_design.dat and draws it with the template beside the library.
inline SampleDrawing makeSampleDrawing(const TempFolder &folder) {
    using CheckFn = int (*)(const char *);
    using SaveFn = int (*)(const char *, const char *, const char *, const char *);
    using HandlerFn = void (*)(void (*)(const char *));
    const std::string bin = KORVANE_BIN_DIR;
    void *library = dlopen((bin + "/" KORVANE_RUNTIME_NAME).c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) return {{}, dlerror()};
    auto check = reinterpret_cast<CheckFn>(dlsym(library, "data_chekvb"));
    auto save = reinterpret_cast<SaveFn>(dlsym(library, "save_DXF"));
    auto setHandler = reinterpret_cast<HandlerFn>(dlsym(library, "korvane_set_message_handler"));
    SampleDrawing result;
    if (!check || !save) {
        result.error = "exports missing";
    } else {
        static std::string messages;
        messages.clear();
        if (setHandler) setHandler([](const char *text) { messages += text; messages += '\n'; });
        const std::string design = std::string(KORVANE_SOURCE_DIR) + "/data/sample_design.dat";
        const std::string out = folder.file("sample.dxf");
        if (check(design.c_str()) == 0) {
            result.error = "data_chekvb rejected the sample design: " + messages;
        } else if (save(out.c_str(), design.c_str(), (bin + "/aln_hdr_.dxf").c_str(),
                        folder.file("temp.dxf").c_str()) == 0) {
            result.error = "save_DXF failed: " + messages;
        } else {
            result.path = out;
        }
        if (setHandler) setHandler(nullptr);
    }
    dlclose(library);
    return result;
}

// The worked route of the documentation (a basic curve, an S joint, an egg
// curve; BP at X −5000, Y 12000, EP at X −4838.811303, Y 12902.575034) drawn as
// a plan at 1/1000 with the template beside the library.
inline SampleDrawing makePlanDrawing(const TempFolder &folder) {
    using PlanFn = int (*)(const char *, const char *, const char *, const char *, int);
    const std::string bin = KORVANE_BIN_DIR;
    void *library = dlopen((bin + "/" KORVANE_RUNTIME_NAME).c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) return {{}, dlerror()};
    auto plan = reinterpret_cast<PlanFn>(dlsym(library, "korvane_route_plan"));
    SampleDrawing result;
    const std::string ips = folder.file("worked.csv"), out = folder.file("plan.dxf");
    std::ofstream(ips, std::ios::binary) << "点名,X,Y,A1,R,A2,R2,AM,LC\n"
                                            "BP,-5000.000000,12000.000000,,,,,,\n"
                                            "IP1,-4903.236530,12167.599247,110,200,110,,,\n"
                                            "IP2,-4921.873233,12380.617742,120,250,130,,,\n"
                                            "IP3,-4711.182446,12681.515369,130,300,100,150,120,30\n"
                                            "EP,-4838.811303,12902.575034,,,,,,\n";
    if (!plan) result.error = "korvane_route_plan missing";
    else if (plan(ips.c_str(), nullptr, out.c_str(), (bin + "/aln_hdr_.dxf").c_str(), 1000) == 0)
        result.error = "korvane_route_plan failed";
    else result.path = out;
    dlclose(library);
    return result;
}

}  // namespace preview_test
