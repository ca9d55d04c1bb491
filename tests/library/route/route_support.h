// Helpers for the route tests: a line given by its curvature, integrated
// numerically (composite Simpson in long double, independent of the
// library's evaluation), and routes built from chosen leg directions so that
// their expected geometry is known without the library.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

#include "route/ip_input.h"
#include "route/message.h"

namespace route_support {

struct Xy {
    double x; // north
    double y; // east
};

inline double radians(double degrees) { return degrees * std::numbers::pi / 180; }

// The texts of the messages in order; of one severity only, where given.
inline std::vector<std::string> messageTexts(const std::vector<korvane::route::Message> &messages,
                                             std::optional<korvane::route::Severity> severity = std::nullopt) {
    std::vector<std::string> out;
    for (const korvane::route::Message &m : messages)
        if (!severity || m.severity == *severity) out.push_back(m.text);
    return out;
}

// A piece of a line: its curvature runs linearly from k0 to k1 over its
// length; positive turns clockwise (towards east when heading north).
struct Piece {
    double length;
    double k0;
    double k1;
    double jump = 0; // a change of direction at its start (a bend point)
};

class Integrator {
public:
    Integrator(Xy start, double direction, std::vector<Piece> pieces) : pieces_(std::move(pieces)) {
        Start at{start.x, start.y, direction};
        for (const Piece &p : pieces_) {
            at.heading += p.jump;
            starts_.push_back(at);
            at = advance(p, at, p.length);
        }
        starts_.push_back(at);
    }

    double length() const {
        double total = 0;
        for (const Piece &p : pieces_) total += p.length;
        return total;
    }

    Xy at(double s) const {
        const auto [i, local] = find(s);
        const Start p = i == pieces_.size() ? starts_[i] : advance(pieces_[i], starts_[i], local);
        return Xy{double(p.x), double(p.y)};
    }

    double direction(double s) const {
        const auto [i, local] = find(s);
        return double(i == pieces_.size() ? starts_[i].heading : starts_[i].heading + turned(pieces_[i], local));
    }

private:
    struct Start {
        long double x, y, heading;
    };

    static long double turned(const Piece &p, long double t) {
        const long double rate = p.length > 0 ? (static_cast<long double>(p.k1) - p.k0) / p.length : 0;
        return t * (p.k0 + rate * t / 2);
    }

    // At a boundary, the piece that begins there.
    std::pair<std::size_t, double> find(double s) const {
        double start = 0;
        for (std::size_t i = 0; i < pieces_.size(); ++i) {
            if (s < start + pieces_[i].length) return {i, std::max(0.0, s - start)};
            start += pieces_[i].length;
        }
        return {pieces_.size(), 0};
    }

    // Composite Simpson's rule on (cos, sin) of the heading, in steps that
    // turn by at most 1/200 rad (an error below 1e-12 of the length).
    static Start advance(const Piece &p, Start at, long double s) {
        const long double largest = std::max(std::fabs(p.k0), std::fabs(p.k1));
        const long double n = std::max(1.0L, std::ceil(std::max(s / 0.5L, largest * s * 200)));
        const long double h = s / n;
        long double x = 0, y = 0;
        for (long double k = 0; k < n; ++k) {
            const long double t = k * h;
            for (const auto &[u, w] : {std::pair{0.0L, 1.0L}, {0.5L, 4.0L}, {1.0L, 1.0L}}) {
                const long double heading = at.heading + turned(p, t + u * h);
                x += w * std::cos(heading), y += w * std::sin(heading);
            }
        }
        return Start{at.x + x * h / 6, at.y + y * h / 6, at.heading + turned(p, s)};
    }

    std::vector<Piece> pieces_;
    std::vector<Start> starts_;
};

// A curve as the test reads the IP table's values (0: not given).
struct CurveSpec {
    double a1 = 0, r = 0, a2 = 0, r2 = 0, am = 0, lc = 0;
};

// The curvature pieces of a curve turning by ia (radians) to the side
// (+1 right, −1 left), from the definitions of the curve kinds: clothoids
// of length A²/R, a convex curve's R from IA, an egg curve's second arc from IA.
inline std::vector<Piece> curvePieces(const CurveSpec &c, double ia, double side) {
    std::vector<Piece> out;
    double r = c.r;
    if (r == 0) r = std::sqrt((c.a1 * c.a1 + c.a2 * c.a2) / (2 * ia)); // convex
    const double last = c.r2 > 0 ? c.r2 : r;
    double turn = 0;
    if (c.a1 > 0) {
        out.push_back(Piece{c.a1 * c.a1 / r, 0, side / r});
        turn += c.a1 * c.a1 / (2 * r * r);
    }
    if (c.r2 > 0) {
        const double lm = c.am * c.am * std::fabs(1 / c.r2 - 1 / r);
        out.push_back(Piece{c.lc, side / r, side / r});
        out.push_back(Piece{lm, side / r, side / c.r2});
        turn += c.lc / r + lm * (1 / r + 1 / c.r2) / 2;
    }
    const double l2 = c.a2 * c.a2 / last;
    turn += c.a2 > 0 ? l2 / (2 * last) : 0;
    if (c.r > 0) out.push_back(Piece{last * (ia - turn), side / last, side / last});
    if (c.a2 > 0) out.push_back(Piece{l2, side / last, 0});
    return out;
}

// Tangent lengths of the integrated curve: the start tangent is the x axis,
// the end tangent passes through the curve's end at the angle ia.
struct Tangents {
    double t1, t2;
};
inline Tangents integratedTangents(const CurveSpec &c, double ia) {
    const std::vector<Piece> pieces = curvePieces(c, ia, 1);
    const Integrator local(Xy{0, 0}, 0, pieces);
    const Xy end = local.at(local.length());
    const double t2 = end.y / std::sin(ia);
    return Tangents{end.x - t2 * std::cos(ia), t2};
}

// A route walked from BP: each leg's direction (degrees) and the straight
// between the curves at its ends; the curves at the IPs between.
struct Leg {
    double direction;
    double straight;
};

struct BuiltRoute {
    std::vector<korvane::route::IpInput> input;
    std::vector<Piece> pieces; // the whole line from BP
    Xy bp;
    double bpDirection;
    std::vector<Tangents> tangents; // per IP of the input (0 at BP and EP)
};

inline std::optional<double> given(double v) { return v > 0 ? std::optional<double>(v) : std::nullopt; }

inline BuiltRoute buildRoute(Xy bp, const std::vector<Leg> &legs, const std::vector<CurveSpec> &curves) {
    BuiltRoute b;
    b.bp = bp;
    b.bpDirection = radians(legs.front().direction);
    b.tangents.assign(legs.size() + 1, Tangents{0, 0});
    std::vector<double> ia(legs.size() + 1, 0), side(legs.size() + 1, 0);
    for (std::size_t i = 1; i < legs.size(); ++i) {
        const double change = std::remainder(radians(legs[i].direction - legs[i - 1].direction), 2 * std::numbers::pi);
        ia[i] = std::fabs(change);
        side[i] = change > 0 ? 1 : -1;
        const CurveSpec &c = curves[i - 1];
        if (c.a1 > 0 || c.r > 0 || c.a2 > 0) b.tangents[i] = integratedTangents(c, ia[i]);
    }
    Xy at = bp;
    for (std::size_t i = 0; i <= legs.size(); ++i) {
        korvane::route::IpInput point;
        point.point = korvane::route::PlanePoint{at.x, at.y};
        if (i > 0 && i < legs.size()) {
            const CurveSpec &c = curves[i - 1];
            point.curve = {given(c.a1), given(c.r), given(c.a2), given(c.r2), given(c.am),
                           c.r2 > 0 ? std::optional<double>(c.lc) : std::nullopt};
            if (c.a1 > 0 || c.r > 0 || c.a2 > 0)
                for (const Piece &p : curvePieces(c, ia[i], side[i])) b.pieces.push_back(p);
            else
                b.pieces.push_back(Piece{0, 0, 0, side[i] * ia[i]}); // a bend point
        }
        b.input.push_back(point);
        if (i == legs.size()) break;
        const double length = b.tangents[i].t2 + legs[i].straight + b.tangents[i + 1].t1;
        if (legs[i].straight > 0) b.pieces.push_back(Piece{legs[i].straight, 0, 0});
        const double d = radians(legs[i].direction);
        at = Xy{at.x + length * std::cos(d), at.y + length * std::sin(d)};
    }
    return b;
}

} // namespace route_support
