#include "geometry/clothoid.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>

namespace korvane {

namespace {

constexpr std::size_t kTerms = 10;

constexpr std::uint64_t factorial(std::uint64_t n) {
    std::uint64_t f = 1;
    for (std::uint64_t i = 2; i <= n; ++i) f *= i;
    return f;
}

// (4n+1)·(2n)!: the denominators of x = L·Σ (−1)^n τ^(2n) / ((4n+1)(2n)!).
constexpr std::uint64_t xDenominator(std::uint64_t n) { return (4 * n + 1) * factorial(2 * n); }

// (4n+3)·(2n+1)!/3: the denominators of the y series with its leading 1/3 taken out.
constexpr std::uint64_t yDenominator(std::uint64_t n) { return (4 * n + 3) * factorial(2 * n + 1) / 3; }

static_assert(xDenominator(0) == 1 && yDenominator(0) == 1);
static_assert(xDenominator(1) == 10 && yDenominator(1) == 14);
static_assert(xDenominator(2) == 216 && yDenominator(2) == 440);
static_assert(xDenominator(3) == 9360 && yDenominator(3) == 25200);
static_assert(xDenominator(4) == 685440 && yDenominator(4) == 2298240);
static_assert(xDenominator(5) == 76204800 && yDenominator(5) == 306028800);
static_assert(xDenominator(6) == 11975040000ULL && yDenominator(6) == 56043187200ULL);
static_assert(xDenominator(7) == 2528170444800ULL && yDenominator(7) == 13512635136000ULL);
static_assert(xDenominator(8) == 690452066304000ULL && yDenominator(8) == 4149686661120000ULL);
static_assert(xDenominator(9) == 236887827111936000ULL && yDenominator(9) == 1581386305314816000ULL);

template <std::uint64_t (*denominator)(std::uint64_t)>
constexpr std::array<double, kTerms> seriesTable() {
    std::array<double, kTerms> table{};
    for (std::size_t n = 0; n < kTerms; ++n) table[n] = static_cast<double>(denominator(n));
    return table;
}

constexpr std::array<double, kTerms> xSeriesDenominators = seriesTable<xDenominator>();
constexpr std::array<double, kTerms> ySeriesDenominators = seriesTable<yDenominator>();

// The x and y term of one power side by side (a vector of the GCC and Clang
// compilers the library is built with): both divisions in one instruction.
// Each half does exactly the operations of a scalar sum of its series, so the
// sums are the same to the last bit.
typedef double TermPair __attribute__((vector_size(2 * sizeof(double))));

constexpr std::array<TermPair, kTerms> pairTable() {
    std::array<TermPair, kTerms> table{};
    for (std::size_t n = 0; n < kTerms; ++n)
        table[n] = TermPair{xSeriesDenominators[n], ySeriesDenominators[n]};
    return table;
}

constexpr std::array<TermPair, kTerms> seriesDenominatorPairs = pairTable();

} // namespace

Point clothoidPoint(double A, double L) {
    // τ is the tangent angle at L; both series run in powers of τ².
    const double tau = L * L / (2.0 * A * A);
    const double tauSquared = tau * tau;

    // Always all ten terms: the cost per point is fixed and the result does
    // not depend on a convergence test. The power starts at 1, also for τ = 0.
    double power = 1.0;
    double sign = 1.0;
    TermPair sums = {0.0, 0.0};
    for (std::size_t n = 0; n < kTerms; ++n) {
        const double term = sign * power;
        sums += TermPair{term, term} / seriesDenominatorPairs[n];
        power *= tauSquared;
        sign = -sign;
    }
    const double sx = sums[0];
    const double sy = sums[1];

    // k = A·√(2τ) = |L|, so the point depends on the length's magnitude only.
    const double k = A * std::sqrt(2.0 * tau);
    return Point{k * sx, k * tau * sy / 3.0};
}

} // namespace korvane
