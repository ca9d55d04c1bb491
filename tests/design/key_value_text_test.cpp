// The key = value reader that design files, placement files and route files
// share: sections with their lines and numbers, the one quoting rule, and
// the [placement] section read leniently (the form) and strictly (the library).
#include <gtest/gtest.h>

#include "design/key_value_text.h"
#include "design/placement_section.h"

using design_model::KeyValueEntry;
using design_model::LineFault;

namespace {

bool sameEntries(const std::vector<KeyValueEntry> &a, const std::vector<KeyValueEntry> &b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].key != b[i].key || a[i].value != b[i].value || a[i].line != b[i].line) return false;
    return true;
}

std::string placementProblem(const std::string &text) {
    design_model::PlacementValues values;
    std::string problem;
    return design_model::readPlacement(text, values, problem) ? "<read>" : problem;
}

} // namespace

// Every value comes back from its quoted form; values that need no quotes
// stand as they are.
TEST(KeyValueText, QuotedValuesComeBack) {
    const struct {
        const char *value;
        const char *written;
    } rows[] = {
        {"250", "250"},
        {"", ""},
        {"a \"b\" c\\d", "a \"b\" c\\d"},
        {" 250", "\" 250\""},
        {"\"40\"", "\"\\\"40\\\"\""},
        {"\t7", "\"\\t7\""},
        {"a\nb\rc", "\"a\\nb\\rc\""},
        {"x\x01y", "\"x\x01y\""},
        {"県道\u3000", "\"県道\u3000\""},
        {"\u00a0y", "\"\u00a0y\""},
    };
    for (const auto &row : rows) {
        const std::string written = design_model::quotedValue(row.value);
        EXPECT_EQ(written, row.written) << row.value;
        const design_model::KeyValueLine line = design_model::parseKeyValueLine("key = " + written);
        EXPECT_EQ(line.fault, LineFault::None) << row.value;
        EXPECT_EQ(line.value, row.value);
    }
}

TEST(KeyValueText, SectionsKeepTheirLinesAndNumbers) {
    const auto sections = design_model::readKeyValueText("\xEF\xBB\xBF# head\r\n"
                                                         "[route]\r\n"
                                                         "name = 国道1号\r\n"
                                                         "point = 1 2\n"
                                                         "point = 3 4\n"
                                                         "[ curve 1 ]\n"
                                                         "r = \"unclosed\n"
                                                         "a1 = 40\n");
    ASSERT_EQ(sections.size(), 3u);
    EXPECT_EQ(sections[0].name, "");
    EXPECT_EQ(sections[1].name, "route");
    EXPECT_EQ(sections[1].line, 2);
    EXPECT_TRUE(sameEntries(sections[1].entries(), {{"name", "国道1号", 3}, {"point", "1 2", 4}, {"point", "3 4", 5}}));
    EXPECT_EQ(sections[1].firstFault(), nullptr);
    EXPECT_EQ(sections[2].name, "curve 1");
    ASSERT_NE(sections[2].firstFault(), nullptr);
    EXPECT_EQ(sections[2].firstFault()->number, 7);
    EXPECT_EQ(sections[2].firstFault()->parsed.fault, LineFault::QuoteNotClosed);
    EXPECT_TRUE(sameEntries(sections[2].entries(), {{"a1", "40", 8}}));
    // The last line is the empty one after the final line end.
    EXPECT_EQ(sections[2].lines.back().number, 9);
}

// The form takes what it can from a design file's placement lines.
TEST(PlacementSection, LenientTexts) {
    const design_model::PlacementTexts texts = design_model::placementTextsOf(
        {"zone = 8", "bp = 1  2 3", "ip 5 6", "ep = \"7", "route = \" R&D \"", "zone = 9", "colour = red"});
    EXPECT_EQ(texts.zone, "9");
    EXPECT_EQ(texts.route, " R&D ");
    EXPECT_EQ(texts.bp, (std::array<std::string, 2>{"1", "2 3"}));
    EXPECT_EQ(texts.ip, (std::array<std::string, 2>{}));
    EXPECT_EQ(texts.ep, (std::array<std::string, 2>{}));
    EXPECT_EQ(design_model::placementLines(texts),
              (std::vector<std::string>{"zone = 9", "route = \" R&D \"", "bp = 1 2 3", "ip =  ", "ep =  "}));
}

// A line of the section that is no "key = value" is refused by the library.
TEST(PlacementSection, StrictReadingRefusesMalformedLines) {
    const std::string head = "[design]\na1 = 40\n[placement]\nzone = 9\n";
    EXPECT_EQ(placementProblem(head + "bp 0 0\n"), "5行目が「キー = 値」ではありません");
    EXPECT_EQ(placementProblem(head + "= 0 0\n"), "5行目が「キー = 値」ではありません");
    EXPECT_EQ(placementProblem(head + "route = \"R\n"), "5行目の引用符が閉じていません");
    EXPECT_EQ(placementProblem(head + "route = \"R\" 2\n"), "5行目の引用符が閉じていません");
    EXPECT_EQ(placementProblem(head + "route = \"R\\q\"\n"), "5行目の引用符の中に使えない \\ があります");
    EXPECT_EQ(placementProblem(head + "bp = ０　０\nip = １００．５ ０\nep = 200 −50\n"), "<read>");
}
