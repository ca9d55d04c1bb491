// Faults around a drawing run: files and folders missing or of the wrong kind,
// a disk that fills up during the drawing, and a thousand runs that must not
// leave file descriptors behind. Each case checks the messages shown, their
// number, the result and what is left on disk.
#include <gtest/gtest.h>

#ifdef _WIN32
#  include <windows.h>
#else
#  include <sys/resource.h>
#  include <sys/stat.h>
#  include <sys/wait.h>
#  include <unistd.h>
#endif

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "drawing/output_stream.h"
#include "drawing_support.h"
#include "korvane.h"
#include "params/cp932.h"
#include "platform_skip.h"
#include "test_support.h"

using drawing_support::templatePath;
using testing_support::kSampleParameterText;
using testing_support::MessageRecorder;
using testing_support::readFile;
using testing_support::TempDir;
using testing_support::writeFile;
using Messages = std::vector<std::string>;

namespace {

const std::string kTemplateOpen = "Can't open ALN_HDR_.DXF(DXFﾍｯﾀﾞｰﾌｧｲﾙ) file";
const std::string kOutputOpen = "Can't open 新DXF file";
const std::string kTempOpen = "Can't open tmpDXF file";
const std::string kWriteFailed = "fprintfｴﾗｰ";
const std::string kParamOpen = "Can't open ALN_TXT_.DAT (設定ﾌｧｲﾙ)file";
const std::string kParamRead = "fscanfｴﾗｰ ALN_TXT_.DAT file";
const std::string kCannotWrite = "ファイル書き込みできません";

struct Outcome {
    int result = -1;
    Messages messages; // UTF-8
};

bool operator==(const Outcome &a, const Outcome &b) {
    return a.result == b.result && a.messages == b.messages;
}

std::ostream &operator<<(std::ostream &os, const Outcome &o) {
    os << "result " << o.result << ", messages {";
    for (const auto &m : o.messages) os << " \"" << m << "\"";
    return os << " }";
}

// The names in a folder, sorted.
std::set<std::string> namesIn(const std::filesystem::path &folder) {
    std::set<std::string> names;
    for (const auto &entry : std::filesystem::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

#ifdef _WIN32
// The C runtime hands out the lowest free descriptor, so the descriptor a new
// stream gets rises with every descriptor left open.
std::size_t openDescriptors() {
    const auto probe = std::filesystem::temp_directory_path() / "korvane-descriptor-probe";
    std::FILE *file = std::fopen(probe.string().c_str(), "w");
    if (!file) return 0;
    const int descriptor = _fileno(file);
    std::fclose(file);
    std::filesystem::remove(probe);
    return std::size_t(descriptor);
}
#else
std::size_t openDescriptors() {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto &entry : std::filesystem::directory_iterator("/proc/self/fd")) ++count;
    return count;
}
#endif

[[maybe_unused]] bool endsWith(const std::string &text, const std::string &tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

class DrawingFaults : public ::testing::Test {
protected:
    void SetUp() override {
        writeFile(param(), kSampleParameterText);
        MessageRecorder quiet;
        ASSERT_EQ(data_chekvb(param().c_str()), 1);
    }

    std::string param() const { return dir.file("ALN_TXT_.DAT"); }
    std::string out() const { return dir.file("out.dxf"); }
    std::string temp() const { return dir.file("temp.dxf"); }

    Outcome save(const std::string &output, const std::string &tmpl, const std::string &tempFile) {
        MessageRecorder recorder;
        Outcome o;
        o.result = save_DXF(output.c_str(), param().c_str(), tmpl.c_str(), tempFile.c_str());
        o.messages = recorder.utf8();
        return o;
    }

    // The sample drawing made without fault in a folder of its own, and its
    // header: everything up to and including the opening of ENTITIES.
    std::string referenceDrawing() {
        TempDir other;
        const std::string output = other.file("ref.dxf");
        MessageRecorder quiet;
        EXPECT_EQ(save_DXF(output.c_str(), param().c_str(), templatePath().c_str(),
                           other.file("temp.dxf").c_str()),
                  1);
        return readFile(output);
    }
    static std::string headerOf(const std::string &drawing) {
        const std::string opening = "2\nENTITIES\n";
        return drawing.substr(0, drawing.find(opening) + opening.size());
    }

    TempDir dir;
};

} // namespace

TEST_F(DrawingFaults, MissingTemplateLeavesNoFileBehind) {
    EXPECT_EQ(save(out(), dir.file("aln_hdr_.dxf"), temp()), (Outcome{0, {kTemplateOpen}}));
    EXPECT_EQ(namesIn(dir.path()), std::set<std::string>{"ALN_TXT_.DAT"});
    EXPECT_EQ(readFile(param()), kSampleParameterText);
}

// A folder opens for reading on this system but yields no line: it is no
// template, and no empty drawing may be written from it.
TEST_F(DrawingFaults, TemplateThatIsAFolderIsNotOpened) {
    std::filesystem::create_directory(dir.file("aln_hdr_.dxf"));
    EXPECT_EQ(save(out(), dir.file("aln_hdr_.dxf"), temp()), (Outcome{0, {kTemplateOpen}}));
    EXPECT_EQ(namesIn(dir.path()), (std::set<std::string>{"ALN_TXT_.DAT", "aln_hdr_.dxf"}));
}

TEST_F(DrawingFaults, OutputFolderMissingCreatesNothing) {
    EXPECT_EQ(save(dir.file("no/such/out.dxf"), templatePath(), temp()), (Outcome{0, {kOutputOpen}}));
    EXPECT_EQ(namesIn(dir.path()), std::set<std::string>{"ALN_TXT_.DAT"});
}

TEST_F(DrawingFaults, OutputPathThatIsAFolderIsLeftAlone) {
    std::filesystem::create_directory(out());
    writeFile(dir.file("out.dxf/keep"), "kept");
    EXPECT_EQ(save(out(), templatePath(), temp()), (Outcome{0, {kOutputOpen}}));
    EXPECT_TRUE(std::filesystem::is_directory(out()));
    EXPECT_EQ(readFile(dir.file("out.dxf/keep")), "kept");
    EXPECT_EQ(namesIn(dir.path()), (std::set<std::string>{"ALN_TXT_.DAT", "out.dxf"}));
}

// The temporary file is first needed for the centre line of the first
// clothoid, right after the output was reopened: the output holds the header
// only, without end of file.
TEST_F(DrawingFaults, TemporaryFileNotCreatableLeavesTheHeaderOnly) {
    const std::string header = headerOf(referenceDrawing());
    for (const std::string &tempFile : {dir.file("no/temp.dxf"), dir.file("folder")}) {
        SCOPED_TRACE(tempFile);
        std::filesystem::create_directory(dir.file("folder"));
        EXPECT_EQ(save(out(), templatePath(), tempFile), (Outcome{0, {kTempOpen}}));
        EXPECT_EQ(readFile(out()), header);
        EXPECT_TRUE(std::filesystem::is_directory(dir.file("folder")));
        EXPECT_EQ(namesIn(dir.path()), (std::set<std::string>{"ALN_TXT_.DAT", "folder", "out.dxf"}));
    }
}

TEST_F(DrawingFaults, ParameterFileThatIsAFolder) {
    const std::string folder = dir.file("ALN_DIR_.DAT");
    std::filesystem::create_directory(folder);
    {
        MessageRecorder recorder;
        EXPECT_EQ(data_chekvb(folder.c_str()), 0);
        EXPECT_EQ(save_DXF(out().c_str(), folder.c_str(), templatePath().c_str(), temp().c_str()), 0);
#ifdef _WIN32
        // A folder does not open as a file.
        const std::string refused = kParamOpen;
#else
        // It opens, but not a single number can be read from it.
        const std::string refused = kParamRead;
#endif
        EXPECT_EQ(recorder.utf8(), (Messages{refused, refused}));
        // Nor can the parameter file be written there.
        EXPECT_EQ(setteifincls(folder.c_str()), 0);
        EXPECT_EQ(setteifin("250", folder.c_str()), 0);
        EXPECT_EQ(recorder.utf8(), (Messages{refused, refused, kCannotWrite, kCannotWrite}));
    }
    EXPECT_EQ(namesIn(dir.path()), (std::set<std::string>{"ALN_DIR_.DAT", "ALN_TXT_.DAT"}));
    EXPECT_TRUE(namesIn(folder).empty());
}

TEST_F(DrawingFaults, UnreadableParameterFile) {
    KORVANE_SKIP_ON_WINDOWS("no file mode takes the reading away; FilesHeldOpenByAnotherProgramAreNotWritten "
                            "covers the refused open there");
#ifndef _WIN32
    if (geteuid() == 0) GTEST_SKIP() << "the file permissions do not hold for root";
    ASSERT_EQ(chmod(param().c_str(), 0), 0);
    MessageRecorder recorder;
    EXPECT_EQ(data_chekvb(param().c_str()), 0);
    EXPECT_EQ(save_DXF(out().c_str(), param().c_str(), templatePath().c_str(), temp().c_str()), 0);
    EXPECT_EQ(recorder.utf8(), (Messages{kParamOpen, kParamOpen}));
    EXPECT_EQ(namesIn(dir.path()), std::set<std::string>{"ALN_TXT_.DAT"});
#endif
}

// A read-only parameter file is neither emptied nor appended to, and a
// read-only drawing is not replaced (on Windows the read-only attribute).
TEST_F(DrawingFaults, ReadOnlyFilesAreNotWritten) {
    namespace fs = std::filesystem;
    writeFile(out(), "old drawing");
    for (const std::string &file : {param(), out()})
        fs::permissions(file, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                        fs::perm_options::remove);
    if (std::FILE *probe = std::fopen(out().c_str(), "a")) {
        std::fclose(probe);
        GTEST_SKIP() << "read-only files can be written by this user (root, or Wine run as root)";
    }
    MessageRecorder recorder;
    EXPECT_EQ(setteifincls(param().c_str()), 0);
    EXPECT_EQ(setteifin("250", param().c_str()), 0);
    EXPECT_EQ(save_DXF(out().c_str(), param().c_str(), templatePath().c_str(), temp().c_str()), 0);
    EXPECT_EQ(recorder.utf8(), (Messages{kCannotWrite, kCannotWrite, kOutputOpen}));
    EXPECT_EQ(readFile(param()), kSampleParameterText);
    EXPECT_EQ(readFile(out()), "old drawing");
    for (const std::string &file : {param(), out()})
        fs::permissions(file, fs::perms::owner_write, fs::perm_options::add);
}

#ifdef _WIN32
// A file that another program holds open without sharing (a drawing open in
// a CAD program, say) is neither emptied, appended to nor replaced.
TEST_F(DrawingFaults, FilesHeldOpenByAnotherProgramAreNotWritten) {
    writeFile(out(), "old drawing");
    std::vector<HANDLE> held;
    for (const std::string &file : {param(), out()}) {
        held.push_back(CreateFileA(file.c_str(), GENERIC_READ, 0 /* no sharing */, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_NE(held.back(), INVALID_HANDLE_VALUE);
    }
    MessageRecorder recorder;
    EXPECT_EQ(setteifincls(param().c_str()), 0);
    EXPECT_EQ(setteifin("250", param().c_str()), 0);
    EXPECT_EQ(data_chekvb(param().c_str()), 0);
    CloseHandle(held[0]);
    EXPECT_EQ(save_DXF(out().c_str(), param().c_str(), templatePath().c_str(), temp().c_str()), 0);
    CloseHandle(held[1]);
    EXPECT_EQ(recorder.utf8(), (Messages{kCannotWrite, kCannotWrite, kParamOpen, kOutputOpen}));
    EXPECT_EQ(readFile(param()), kSampleParameterText);
    EXPECT_EQ(readFile(out()), "old drawing");
}
#endif

// --- the disk fills up ---------------------------------------------------------

#ifndef _WIN32
namespace {

// Messages of the child, sent to the parent through a pipe (a pipe has no
// file size limit).
int childPipe = -1;

void KORVANE_CALL sendMessage(const char *text) {
    std::string line = korvane::cp932ToUtf8(text) + '\x1e';
    [[maybe_unused]] ssize_t n = write(childPipe, line.data(), line.size());
}

// Draws the sample in a child process whose files may not grow beyond limit
// bytes (SIGXFSZ ignored, so the write fails instead of killing the process).
Outcome saveWithFileSizeLimit(rlim_t limit, const std::string &output, const std::string &param,
                              const std::string &temp) {
    int fds[2];
    if (pipe(fds) != 0) return {};
    const std::string tmpl = templatePath();
    const pid_t child = fork();
    if (child == 0) {
        close(fds[0]);
        childPipe = fds[1];
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit r{limit, limit};
        setrlimit(RLIMIT_FSIZE, &r);
        korvane_set_message_handler(&sendMessage);
        const int result = save_DXF(output.c_str(), param.c_str(), tmpl.c_str(), temp.c_str());
        _exit(result);
    }
    close(fds[1]);
    std::string received;
    char buffer[4096];
    for (ssize_t n; (n = read(fds[0], buffer, sizeof buffer)) > 0;) received.append(buffer, std::size_t(n));
    close(fds[0]);
    int status = 0;
    Outcome o;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status)) return o;
    o.result = WEXITSTATUS(status);
    for (std::size_t start = 0, end; (end = received.find('\x1e', start)) != std::string::npos; start = end + 1)
        o.messages.push_back(received.substr(start, end - start));
    return o;
}

} // namespace
#endif

// The output and the temporary file are written in blocks of
// kStreamBlockSize; the sample drawing fits in one, so the first write that
// meets the full disk is the one at the closing of the file, and the failure
// is shown once.
TEST_F(DrawingFaults, DiskFillingUpDuringTheDrawing) {
    KORVANE_SKIP_ON_WINDOWS("needs fork and RLIMIT_FSIZE to fill the disk");
#ifndef _WIN32
    const std::string reference = referenceDrawing();
    const std::string header = headerOf(reference);
    ASSERT_LT(reference.size(), korvane::kStreamBlockSize);
    // The body before the first polyline: the normal and label at KA and the
    // two normals with labels on the first clothoid (no handles in them).
    const std::string beforeFirstPolyline = reference.substr(0, reference.find("0\nPOLYLINE\n"));
    // The first polyline, the centre line of the first clothoid: 40 m at 0.1 m.
    const std::size_t firstPolyline = reference.find("0\nSEQEND\n") - beforeFirstPolyline.size();
    ASSERT_GT(firstPolyline, beforeFirstPolyline.size() + 1000);
    std::size_t largestPolyline = 0;
    for (std::size_t at = 0; (at = reference.find("0\nPOLYLINE\n", at)) != std::string::npos; ++at) {
        const std::size_t end = reference.find("8\nD-BMK\n", reference.find("0\nSEQEND\n", at));
        largestPolyline = std::max(largestPolyline, end + 8 - at);
    }

    {
        SCOPED_TRACE("the header fits, the body does not");
        const rlim_t limit = std::max(largestPolyline, header.size()) + 1000;
        ASSERT_LT(limit, reference.size());
        EXPECT_EQ(saveWithFileSizeLimit(limit, out(), param(), temp()), (Outcome{0, {kWriteFailed}}));
        const std::string content = readFile(out());
        EXPECT_EQ(content.size(), limit);
        EXPECT_EQ(content.substr(0, beforeFirstPolyline.size()), beforeFirstPolyline);
        EXPECT_EQ(content.find("EOF"), std::string::npos);
        // Every polyline reached the temporary file whole; it holds the last one.
        EXPECT_TRUE(endsWith(readFile(temp()), "8\nD-BMK\n"));
    }
    std::filesystem::remove(out());
    std::filesystem::remove(temp());
    {
        SCOPED_TRACE("the temporary file fails at the first polyline");
        const rlim_t limit = beforeFirstPolyline.size() + 500;
        EXPECT_EQ(saveWithFileSizeLimit(limit, out(), param(), temp()), (Outcome{0, {kWriteFailed}}));
        // The output keeps what was written before the polyline, with no end.
        EXPECT_EQ(readFile(out()), beforeFirstPolyline);
        const std::string cut = readFile(temp());
        EXPECT_EQ(cut.size(), limit);
        EXPECT_EQ(cut.rfind("0\nPOLYLINE\n5\n", 0), 0u);
    }
    std::filesystem::remove(out());
    std::filesystem::remove(temp());
    {
        SCOPED_TRACE("not even the header fits");
        const rlim_t limit = header.size() / 2;
        EXPECT_EQ(saveWithFileSizeLimit(limit, out(), param(), temp()), (Outcome{0, {kWriteFailed}}));
        EXPECT_EQ(readFile(out()), header.substr(0, limit));
        EXPECT_EQ(namesIn(dir.path()), (std::set<std::string>{"ALN_TXT_.DAT", "out.dxf"}));
    }
#endif
}

// --- file descriptors ------------------------------------------------------------

// A thousand runs, failing in each of the ways above and succeeding, leave
// exactly the descriptors that were open before.
TEST_F(DrawingFaults, AThousandRunsLeaveNoDescriptorOpen) {
    std::filesystem::create_directory(dir.file("folder"));
    const std::string tmpl = templatePath();
    const std::size_t before = openDescriptors();
    MessageRecorder recorder;
    int succeeded = 0;
    for (int i = 0; i < 1000; ++i) {
        recorder.clear();
        switch (i % 8) {
        case 0:
            succeeded += data_chekvb(param().c_str()) &&
                         save_DXF(out().c_str(), param().c_str(), tmpl.c_str(), temp().c_str());
            break;
        case 1: save_DXF(out().c_str(), param().c_str(), dir.file("none.dxf").c_str(), temp().c_str()); break;
        case 2: save_DXF(dir.file("no/out.dxf").c_str(), param().c_str(), tmpl.c_str(), temp().c_str()); break;
        case 3: save_DXF(dir.file("folder").c_str(), param().c_str(), tmpl.c_str(), temp().c_str()); break;
        case 4: save_DXF(out().c_str(), param().c_str(), tmpl.c_str(), dir.file("folder").c_str()); break;
        case 5: data_chekvb(dir.file("folder").c_str()); break;
        case 6: save_DXF(out().c_str(), dir.file("none.dat").c_str(), tmpl.c_str(), temp().c_str()); break;
        case 7: setteifincls(dir.file("no/ALN_TXT_.DAT").c_str()); setteifin("1", dir.file("folder").c_str()); break;
        }
        ASSERT_EQ(recorder.cp932().size(), i % 8 == 0 ? 0u : i % 8 == 7 ? 2u : 1u) << "run " << i;
    }
    EXPECT_EQ(succeeded, 125);
    EXPECT_EQ(openDescriptors(), before);
}
