// The library's messages reach the host as cp932 bytes; without a host
// handler they go to stderr in UTF-8. The expected bytes below are taken from
// the cp932 code table, not from the converter.
#include <gtest/gtest.h>

#include <string>

#include "korvane.h"
#include "params/c_locale.h"
#include "params/cp932.h"
#include "params/message_box.h"
#include "params/parameter_file.h"
#include "platform_skip.h"
#include "test_support.h"

using testing_support::MessageRecorder;
using testing_support::TempDir;
using testing_support::writeFile;

namespace {

// フ ァ イ ル 書 き 込 み で き ま せ ん
const std::string kCannotWriteCp932 =
    "\x83\x74\x83\x40\x83\x43\x83\x8B\x8F\x91\x82\xAB\x8D\x9E\x82\xDD\x82\xC5\x82\xAB\x82\xDC"
    "\x82\xB9\x82\xF1";
// 設 = 90 DD, 定 = 92 E8, half-width ﾌ ｧ ｲ ﾙ = CC A7 B2 D9
const std::string kCannotOpenCp932 = "Can't open ALN_TXT_.DAT (\x90\xDD\x92\xE8\xCC\xA7\xB2\xD9)file";
// half-width ｴ ﾗ ｰ = B4 D7 B0
const std::string kReadErrorCp932 = "fscanf\xB4\xD7\xB0 ALN_TXT_.DAT file";

TEST(MessageBox, LibraryMessagesReachTheHostAsCp932) {
    TempDir dir;
    MessageRecorder messages;
    EXPECT_EQ(setteifincls(dir.file("missing/ALN_TXT_.DAT").c_str()), 0);
    {
        korvane::CLocaleScope cLocale;
        korvane::DesignRecord record{};
        EXPECT_EQ(korvane::readParameterFile(dir.file("missing.DAT").c_str(), record), 0);
        writeFile(dir.file("empty.DAT"), "");
        EXPECT_EQ(korvane::readParameterFile(dir.file("empty.DAT").c_str(), record), 0);
    }
    EXPECT_EQ(messages.cp932(),
              (std::vector<std::string>{kCannotWriteCp932, kCannotOpenCp932, kReadErrorCp932}));
}

// ⊿ (U+22BF) lies only in the NEC special row 13, at 87 99; ｜ (U+FF5C) in
// JIS row 1 at 81 62.
TEST(MessageBox, SymbolsOfTheNecRowAndFullWidthBarConvert) {
    char out[8];
    ASSERT_EQ(korvane::toCp932("⊿", out, sizeof out), 2u);
    EXPECT_EQ(std::string(out), "\x87\x99");
    ASSERT_EQ(korvane::toCp932("｜", out, sizeof out), 2u); // U+FF5C
    EXPECT_EQ(std::string(out), "\x81\x62");
    EXPECT_EQ(korvane::cp932ToUtf8("\x87\x99\x81\x62"), "⊿｜");
}

// The same results from iconv (Linux) and the Windows code-page functions: a
// text that does not fit is cut before the character that would not fit
// whole (ア = 83 41), a character cp932 lacks becomes "?" rather than a
// look-alike, and bytes that are no cp932 character (a lead byte without its
// trail, the unassigned 85 40) decode to U+FFFD.
TEST(MessageBox, ConversionCutsAtACharacterAndMarksWhatCp932Lacks) {
    char out[8];
    EXPECT_EQ(korvane::toCp932("アア", out, 4), 2u);
    EXPECT_EQ(std::string(out), "\x83\x41");
    EXPECT_EQ(korvane::toCp932("aéb", out, sizeof out), 3u);
    EXPECT_EQ(std::string(out), "a?b");
    EXPECT_EQ(korvane::cp932ToUtf8("a\x83"), "a\xEF\xBF\xBD");
    EXPECT_EQ(korvane::cp932ToUtf8("\x85\x40\x83\x41"), "\xEF\xBF\xBD@ア");
}

TEST(MessageBox, DefaultHandlerWritesOneUtf8LineToStderr) {
    KORVANE_SKIP_ON_WINDOWS("the default there is a message box (DefaultMessageBox tests)");
    korvane_set_message_handler(nullptr);
    testing::internal::CaptureStderr();
    korvane::showError("ファイル書き込みできません");
    korvane::showError("一行目\n二行目");
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "エラー: ファイル書き込みできません\n"
              "エラー: 一行目 二行目\n");
}

TEST(MessageBox, NullHandlerRestoresTheDefault) {
    KORVANE_SKIP_ON_WINDOWS("the default there is a message box (DefaultMessageBox tests)");
    {
        MessageRecorder messages; // installs a handler, removes it when done
        korvane::showError("abc");
        EXPECT_EQ(messages.cp932(), std::vector<std::string>{"abc"});
    }
    testing::internal::CaptureStderr();
    korvane::showError("abc");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "エラー: abc\n");
}

} // namespace
