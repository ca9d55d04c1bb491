// What the library does differently on Windows: the default message handler
// shows a modal MessageBoxA, and text files end their lines in CR LF. The
// expected cp932 bytes are taken from the code table.
#ifdef _WIN32
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <type_traits>
#include <vector>

#include "drawing_support.h"
#include "korvane.h"
#include "params/message_box.h"
#include "params/message_box_windows.h"
#include "test_support.h"

using testing_support::readBytes;
using testing_support::TempDir;

namespace {

static_assert(std::is_same_v<korvane_message_handler, void(__stdcall *)(const char *)>,
              "the handler has the calling convention of the exports");

struct BoxCall {
    HWND owner;
    std::string text;
    std::string caption;
    UINT style;
};

std::vector<BoxCall> boxes;

int WINAPI recordBox(HWND owner, LPCSTR text, LPCSTR caption, UINT style) {
    boxes.push_back({owner, text, caption, style});
    return IDOK;
}

// MessageBoxA replaced by the recorder while the test runs.
class DefaultMessageBox : public ::testing::Test {
protected:
    void SetUp() override {
        boxes.clear();
        korvane::messageBoxFunction = &recordBox;
        korvane_set_message_handler(nullptr);
    }
    void TearDown() override { korvane::messageBoxFunction = &MessageBoxA; }
};

const std::string kCaption = "\x83\x47\x83\x89\x81\x5B"; // エラー

} // namespace

TEST_F(DefaultMessageBox, IsModalWithoutOwnerOkOnlyAndCaptionedInCp932) {
    korvane::showError("一行目\n二行目");
    TempDir dir;
    EXPECT_EQ(setteifincls(dir.file("missing/ALN_TXT_.DAT").c_str()), 0);
    ASSERT_EQ(boxes.size(), 2u);
    for (const BoxCall &box : boxes) {
        EXPECT_EQ(box.owner, nullptr);
        EXPECT_EQ(box.caption, kCaption);
        EXPECT_EQ(box.style, UINT(MB_OK));
    }
    // The line break reaches the box unchanged.
    EXPECT_EQ(boxes[0].text, "\x88\xEA\x8D\x73\x96\xDA\n\x93\xF1\x8D\x73\x96\xDA");
    // ファイル書き込みできません
    EXPECT_EQ(boxes[1].text, "\x83\x74\x83\x40\x83\x43\x83\x8B\x8F\x91\x82\xAB\x8D\x9E\x82\xDD\x82\xC5"
                             "\x82\xAB\x82\xDC\x82\xB9\x82\xF1");
}

TEST_F(DefaultMessageBox, NullHandlerRestoresTheBox) {
    {
        testing_support::MessageRecorder messages;
        korvane::showError("abc");
        EXPECT_EQ(messages.cp932(), std::vector<std::string>{"abc"});
    }
    EXPECT_TRUE(boxes.empty());
    korvane::showError("abc");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "abc");
}

// Every line of the parameter file and of the drawing ends in CR LF, the
// line end of text files on this platform.
TEST(WindowsTextFiles, ParameterFileAndDrawingEndEveryLineInCrLf) {
    TempDir dir;
    const std::string param = dir.file("ALN_TXT_.DAT");
    ASSERT_EQ(setteifincls(param.c_str()), 1);
    for (const char *piece : {"250", "?", "DXF", " dxf", "?x"}) ASSERT_EQ(setteifin(piece, param.c_str()), 1);
    EXPECT_EQ(readBytes(param), "250\r\nDXF dxf\r\n");

    const drawing_support::DrawingRun run = drawing_support::drawDesign(testing_support::kSampleParameterText, dir);
    ASSERT_EQ(run.result, 1);
    const std::string bytes = readBytes(dir.file("out.dxf"));
    std::size_t lineEnds = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') {
            ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "LF without CR at byte " << i;
            ++lineEnds;
        } else if (bytes[i] == '\r') {
            ASSERT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "CR without LF at byte " << i;
        }
    }
    EXPECT_TRUE(bytes.ends_with("0\r\nENDSEC\r\n0\r\nEOF\r\n"));
    // As many lines as the drawing read with LF line ends.
    EXPECT_EQ(lineEnds, std::size_t(std::count(run.content.begin(), run.content.end(), '\n')));
}
#endif
