#pragma once
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "FreeformTestCards.h"

namespace pw::test {

// A random flat of straight runs, arcs and Béziers: a top run between a
// rounded shoulder and a side that falls in a cubic, maybe a round window
// and a Bézier-edged one.
inline FreeformFlat RandomCurvedFlat(std::mt19937& rng) {
    auto u = [&](double a, double b) { return std::uniform_real_distribution<double>(a, b)(rng); };
    auto coin = [&] { return std::bernoulli_distribution(0.5)(rng); };
    const double x0 = u(5, 110), w = u(16, 40), h = u(12, 60), depth = u(10, 90);
    const double r = u(1, w / 4), xm = x0 + w / 2;
    char text[600];
    std::snprintf(text, sizeof text, "M %f 0 H %f V %f A %f %f 0 0 1 %f %f H %f C %f %f %f %f %f %f Z", x0, x0 + w, h - r, r, r,
                  x0 + w - r, h, xm, x0 + w / 4, h, x0, h * 0.7, x0, h * 0.3);
    std::string outline = text;
    const double cx = x0 + w * 0.55, cz = h * 0.4, wr = u(1, std::min(w, h) / 8);
    if (coin()) {
        std::snprintf(text, sizeof text, " M %f %f a %f %f 0 1 0 %f 0 a %f %f 0 1 0 %f 0 Z", cx - wr, cz, wr, wr, 2 * wr, wr, wr, -2 * wr);
        outline += text;
    }
    if (coin()) {
        const double k = 0.55 * wr, bx = cx, bz = h * 0.15 + wr;
        std::snprintf(text, sizeof text, " M %f %f C %f %f %f %f %f %f C %f %f %f %f %f %f Z", bx - wr, bz, bx - wr, bz + 2 * k, bx + wr,
                      bz + 2 * k, bx + wr, bz, bx + wr, bz - 2 * k, bx - wr, bz - 2 * k, bx - wr, bz);
        outline += text;
    }
    return Flat(depth, outline);
}

inline FreeformCard RandomCurvedCard(std::mt19937& rng, int most = 3) {
    std::vector<FreeformFlat> flats;
    for (int n = std::uniform_int_distribution<int>(1, most)(rng); n > 0; --n) flats.push_back(RandomCurvedFlat(rng));
    return Card(flats);
}

}  // namespace pw::test
