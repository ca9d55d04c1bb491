// The library's drawing of the sample design, made through its exports in a
// freshly loaded libkorvane.so.1, for the tests that read a real drawing back.
#pragma once

#include <dlfcn.h>

#include <cstdlib>
#include <filesystem>
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

}  // namespace preview_test
