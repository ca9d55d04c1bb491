// The library as the front end gets it: loaded at run time through its
// exports, with a record, counters and streams of its own. Each instance loads
// its own copy of the library file, so its state starts from the load whatever
// other instances or the test program itself did before.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#ifdef _WIN32
#  include <windows.h>
#else
#  include <dlfcn.h>
#endif

#include "korvane.h"
#include "params/cp932.h"
#include "test_support.h"

namespace fresh_library {

inline const char *const kLibraryName = KORVANE_RUNTIME_NAME;

class FreshLibrary {
public:
    // Copies the built library into folder under a name of its own and loads it.
    FreshLibrary(const testing_support::TempDir &folder, const std::string &name) {
        const std::string copy = folder.file(name + "-" + kLibraryName);
        std::filesystem::copy_file(testing_support::binDir() + "/" + kLibraryName, copy,
                                   std::filesystem::copy_options::overwrite_existing);
#ifdef _WIN32
        handle_ = LoadLibraryA(copy.c_str());
#else
        handle_ = dlopen(copy.c_str(), RTLD_NOW | RTLD_LOCAL);
#endif
        if (!handle_) return;
        check_ = reinterpret_cast<CheckFunction>(symbol("data_chekvb"));
        save_ = reinterpret_cast<SaveFunction>(symbol("save_DXF"));
        auto setHandler = reinterpret_cast<HandlerSetter>(symbol("korvane_set_message_handler"));
        if (setHandler) setHandler(&FreshLibrary::record);
    }
    ~FreshLibrary() {
        if (!handle_) return;
#ifdef _WIN32
        FreeLibrary(handle_);
#else
        dlclose(handle_);
#endif
    }
    FreshLibrary(const FreshLibrary &) = delete;
    FreshLibrary &operator=(const FreshLibrary &) = delete;

    bool loaded() const { return handle_ && check_ && save_; }

    int check(const std::string &param) { return check_(param.c_str()); }
    int save(const std::string &output, const std::string &param, const std::string &tmpl,
             const std::string &temp) {
        return save_(output.c_str(), param.c_str(), tmpl.c_str(), temp.c_str());
    }

    // The messages of every loaded instance since the last call, in UTF-8.
    static std::vector<std::string> takeMessages() {
        std::vector<std::string> out;
        for (const auto &m : messages()) out.push_back(korvane::cp932ToUtf8(m));
        messages().clear();
        return out;
    }

private:
    using CheckFunction = int(KORVANE_CALL *)(const char *);
    using SaveFunction = int(KORVANE_CALL *)(const char *, const char *, const char *, const char *);
    using HandlerSetter = void(KORVANE_CALL *)(korvane_message_handler);

    static std::vector<std::string> &messages() {
        static std::vector<std::string> all;
        return all;
    }
    static void record(const char *text) { messages().emplace_back(text); }

    void *symbol(const char *name) const {
#ifdef _WIN32
        return reinterpret_cast<void *>(GetProcAddress(handle_, name));
#else
        return dlsym(handle_, name);
#endif
    }

#ifdef _WIN32
    HMODULE handle_ = nullptr;
#else
    void *handle_ = nullptr;
#endif
    CheckFunction check_ = nullptr;
    SaveFunction save_ = nullptr;
};

} // namespace fresh_library
