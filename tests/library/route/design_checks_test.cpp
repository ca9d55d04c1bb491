#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "route/design_checks.h"
#include "route_support.h"

using namespace korvane::route;
using route_support::buildRoute;
using route_support::CurveSpec;
using route_support::Leg;

// One curve for each rule at 60 km/h (最小曲線半径 150 m, 特例値 120 m,
// 緩和区間長 50 m, 最小曲線長 100 m or 700/θ): each warning names the IP,
// the rule, the value and the limit, the first as the standards' own example
// words it; nothing else warns, and nothing is refused.
TEST(RouteDesignChecks, WarningsNameTheIpRuleValueAndLimit) {
    const std::vector<Leg> legs = {{0, 100},  {60, 100},  {0, 100},  {80, 100}, {85, 100},
                                   {45, 0},   {95, 100},  {165, 100}};
    const std::vector<CurveSpec> curves = {
        {0, 140, 0},                  // R below the minimum
        {0, 100, 0},                  // R below the special value
        {40, 200, 300},               // L1 short, A1 < R/3, A2 > R
        {0, 1000, 0},                 // IA 5°: CL below 700/θ
        {80, 200, 80},                // L short on both sides; S joint with the next
        {200, 250, 200},              // A1 / A2 across the joint: 2.5
        {150, 300, 100, 150, 60, 50}, // egg: AM below R2/2
    };
    auto built = buildRoute({0, 0}, legs, curves);
    built.input[1].name = "IP-3";
    const Route route = computeRoute(built.input);
    ASSERT_TRUE(route.messages.empty()) << route.messages.front().text;
    std::vector<std::string> texts;
    std::vector<int> ips;
    for (const Message &m : designChecks(route, 60)) {
        texts.push_back(m.text);
        ips.push_back(m.ip);
        EXPECT_EQ(m.severity, Severity::Warning);
    }
    EXPECT_EQ(texts, (std::vector<std::string>{
                         "IP-3: 曲線半径 R=140 m が最小曲線半径 150 m（設計速度 60 km/h）を下回っています。",
                         "IP2: 曲線半径 R=100 m が最小曲線半径の特例値 120 m（設計速度 60 km/h）を下回っています。",
                         "IP3: クロソイド A1=40 の長さ L1=8.000 m が緩和区間長 50 m（設計速度 60 km/h）より短くなっています。",
                         "IP3: クロソイド A1=40 が R/3 = 66.667 m を下回っています（R=200 m、R/3 ≦ A ≦ R）。",
                         "IP3: クロソイド A2=300 が R=200 m を上回っています（R/3 ≦ A ≦ R）。",
                         "IP4: 曲線長 CL=87.266 m が最小曲線長 700/θ = 140.000 m（IA 5°00′00.0″ < 7°、設計速度 60 km/h）より短くなっています。",
                         "IP5: クロソイド A1=80 の長さ L1=32.000 m が緩和区間長 50 m（設計速度 60 km/h）より短くなっています。",
                         "IP5: クロソイド A2=80 の長さ L2=32.000 m が緩和区間長 50 m（設計速度 60 km/h）より短くなっています。",
                         "IP5–IP6: S 型の接続のクロソイド A2=80 と A1=200 の比 2.500 が実用上の限度 2.0 を超えています。",
                         "IP7: 卵型のクロソイド AM=60 が小円の半径の 1/2 = 75.000 m を下回っています（小円の半径 150 m、R/2 ≦ AM ≦ R）。",
                     }));
    EXPECT_EQ(ips, (std::vector<int>{1, 2, 3, 3, 3, 4, 5, 5, 5, 7}));
    // Without a speed there are no checks; a speed not in the table cannot be checked.
    EXPECT_TRUE(designChecks(route, 0).empty());
    const std::vector<Message> unknown = designChecks(route, 55);
    ASSERT_EQ(unknown.size(), 1u);
    EXPECT_EQ(unknown[0].severity, Severity::Refusal);
    EXPECT_EQ(unknown[0].text, "設計速度 55 km/h の基準値はありません（120, 100, 80, 60, 50, 40, 30, 20 km/h のいずれか）。");
}
