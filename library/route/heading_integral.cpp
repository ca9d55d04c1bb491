#include "route/heading_integral.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace korvane::route {

namespace {

// Nodes and weights of the ten-point Gauss–Legendre rule on [−1, 1], by pairs ±x.
constexpr std::array<double, 5> kNodes{0.1488743389816312108848260, 0.4333953941292471907992659,
                                       0.6794095682990244062343274, 0.8650633666889845107320967,
                                       0.9739065285171717200779640};
constexpr std::array<double, 5> kWeights{0.2955242247147528701738930, 0.2692667193099963550912269,
                                         0.2190863625159820439955349, 0.1494513491505805931457763,
                                         0.0666713443086881375935688};

constexpr double kPieceTurn = 2.0;  // the largest curvature × length of a piece
constexpr int kMaxPieces = 64;      // a bound on the work for segments out of range

} // namespace

PlanePoint headingIntegral(double theta0, double curvature0, double rate, double s) {
    if (!(s > 0)) return PlanePoint{0, 0};
    const double largest = std::max(std::fabs(curvature0), std::fabs(curvature0 + rate * s));
    const double wanted = std::ceil(largest * s / kPieceTurn);
    const int pieces = wanted < 1 ? 1 : wanted > kMaxPieces ? kMaxPieces : static_cast<int>(wanted);
    const double h = s / pieces;
    const auto theta = [&](double t) { return theta0 + t * (curvature0 + 0.5 * rate * t); };
    double x = 0, y = 0;
    for (int k = 0; k < pieces; ++k) {
        const double middle = (k + 0.5) * h;
        double px = 0, py = 0;
        for (std::size_t i = 0; i < kNodes.size(); ++i) {
            const double d = 0.5 * h * kNodes[i];
            const double a = theta(middle - d), b = theta(middle + d);
            px += kWeights[i] * (std::cos(a) + std::cos(b));
            py += kWeights[i] * (std::sin(a) + std::sin(b));
        }
        x += 0.5 * h * px;
        y += 0.5 * h * py;
    }
    return PlanePoint{x, y};
}

} // namespace korvane::route
