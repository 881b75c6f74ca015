// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
//
// kd-board-textures: writes the light and dark square textures of the six
// textured board styles as PNG files.
//
//   kd-board-textures RESDIR     (writes RESDIR/textures/<style>-light.png, -dark.png)
//
// Every texture is procedural noise with a fixed seed, so the same tool
// always writes the same bytes. Boards cut their squares out of a texture
// block by block, so a texture needs no seamless edges, only an even look.
#include <QDir>
#include <QImage>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>

namespace {

// Lattice value noise with smooth interpolation; deterministic across runs.
class Noise {
  public:
    explicit Noise(uint32_t seed) : m_seed(seed) {}
    double At(double x, double y) const {
        const double fx = std::floor(x), fy = std::floor(y);
        const int ix = int(fx), iy = int(fy);
        const double u = Smooth(x - fx), v = Smooth(y - fy);
        const double a = Lattice(ix, iy), b = Lattice(ix + 1, iy);
        const double c = Lattice(ix, iy + 1), d = Lattice(ix + 1, iy + 1);
        return (a + (b - a) * u) * (1 - v) + (c + (d - c) * u) * v;
    }
    // Sum of octaves, in 0..1.
    double Fbm(double x, double y, int octaves) const {
        double sum = 0, amp = 0.5, norm = 0;
        for (int o = 0; o < octaves; ++o) {
            sum += amp * At(x, y);
            norm += amp;
            x = x * 2.03 + 17.1;
            y = y * 2.03 + 5.3;
            amp *= 0.5;
        }
        return sum / norm;
    }
    double Lattice(int x, int y) const {
        uint32_t h = m_seed ^ (uint32_t(x) * 0x27d4eb2dU) ^ (uint32_t(y) * 0x165667b1U);
        h ^= h >> 15;
        h *= 0x2c1b3c6dU;
        h ^= h >> 12;
        h *= 0x297a2d39U;
        h ^= h >> 15;
        return double(h & 0xffffff) / double(0xffffff);
    }

  private:
    static double Smooth(double t) { return t * t * (3 - 2 * t); }
    uint32_t m_seed;
};

struct Rgb {
    double r, g, b;
};

Rgb Mix(const Rgb& a, const Rgb& b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb Hex(uint32_t v) {
    return {double(v >> 16 & 0xff), double(v >> 8 & 0xff), double(v & 0xff)};
}

QImage Render(int size, const std::function<Rgb(double, double)>& pixel) {
    QImage img(size, size, QImage::Format_RGB32);
    for (int y = 0; y < size; ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < size; ++x) {
            const Rgb c = pixel(x, y);
            line[x] = qRgb(std::clamp(int(c.r + 0.5), 0, 255), std::clamp(int(c.g + 0.5), 0, 255),
                           std::clamp(int(c.b + 0.5), 0, 255));
        }
    }
    return img;
}

// Plank of wood cut along the grain: rings around a far-away centre, bent by
// noise, with fine pores along the grain.
QImage Wood(int size, uint32_t seed, Rgb base, Rgb ring, double rings, double angle) {
    const Noise n(seed);
    const double ca = std::cos(angle), sa = std::sin(angle);
    return Render(size, [&](double x, double y) {
        const double u = x * ca + y * sa, v = -x * sa + y * ca;
        const double warp = n.Fbm(u / 80.0, v / 30.0, 4) * 1.1;
        const double d = std::hypot(u * 0.08 + 40, v + 900) / size * rings + warp;
        const double t = d - std::floor(d);
        // Early wood lightens slowly through the year, late wood darkens at
        // its end: a sawtooth, not a sine.
        const double band = std::pow(t, 4.0) + 0.35 * std::pow(std::sin(t * M_PI), 20.0);
        const double pores = n.Fbm(u / 1.5, v / 40.0, 2);
        Rgb c = Mix(base, ring, band * 0.9 + (pores - 0.5) * 0.3);
        const double shade = 0.93 + 0.14 * n.Fbm(u / 90.0, v / 90.0, 2);
        return Rgb{c.r * shade, c.g * shade, c.b * shade};
    });
}

// Marble: a stone colour with dark or light veins along turbulent sine waves.
QImage Marble(int size, uint32_t seed, Rgb stone, Rgb cloud, Rgb vein, double veins) {
    const Noise n(seed);
    return Render(size, [&](double x, double y) {
        const double turb = n.Fbm(x / 45.0, y / 45.0, 5);
        const double s = std::abs(std::sin((x * 0.6 + y) / size * veins * M_PI + turb * 9.0));
        const double fine =
            std::abs(std::sin((x - y * 0.4) / size * veins * 1.7 * M_PI + turb * 12.0));
        Rgb c = Mix(stone, cloud, n.Fbm(x / 30.0 + 50, y / 30.0, 4) * 1.3 - 0.25);
        c = Mix(c, vein, std::pow(1 - s, 14.0) * 0.9);
        return Mix(c, vein, std::pow(1 - fine, 30.0) * 0.5);
    });
}

// Asbestos sheet: a pale ground full of short fibres and specks.
QImage Asbestos(int size, uint32_t seed, Rgb ground, Rgb fibre, Rgb speck) {
    const Noise n(seed);
    return Render(size, [&](double x, double y) {
        const double mottle = n.Fbm(x / 25.0, y / 25.0, 3);
        const double fibres = n.Fbm(x / 1.2 + y / 9.0, y / 1.2 - x / 9.0, 2);
        Rgb c = Mix(ground, fibre, (mottle - 0.35) * 1.2 + (fibres - 0.5) * 0.8);
        const double dot = n.Lattice(int(x), int(y));
        if (dot > 0.985) c = Mix(c, speck, 0.8);
        return c;
    });
}

// Polished stone: a granite of coloured grains under a glossy, cloudy sheen.
QImage Stone(int size, uint32_t seed, Rgb base, Rgb grain1, Rgb grain2) {
    const Noise n(seed);
    return Render(size, [&](double x, double y) {
        const double g1 = n.Fbm(x / 3.0, y / 3.0, 2);
        const double g2 = n.Fbm(x / 2.2 + 91, y / 2.2 + 13, 2);
        Rgb c = Mix(base, grain1, (g1 - 0.55) * 4.0);
        c = Mix(c, grain2, (g2 - 0.6) * 4.0);
        const double sheen = n.Fbm(x / 70.0, y / 70.0, 3);
        return Mix(c, Rgb{255, 255, 255}, (sheen - 0.45) * 0.35);
    });
}

bool Save(const QImage& img, const QString& dir, const char* name) {
    const QString file = QStringLiteral("%1/%2.png").arg(dir, QLatin1String(name));
    if (img.save(file, "PNG")) return true;
    std::fprintf(stderr, "kd-board-textures: cannot write %s\n", qPrintable(file));
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: kd-board-textures RESDIR\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]) + QStringLiteral("/textures");
    QDir().mkpath(dir);
    bool ok = true;
    ok &= Save(Wood(160, 11, Hex(0xe4c08a), Hex(0xc09058), 9, 0.05), dir, "wood-light");
    ok &= Save(Wood(160, 12, Hex(0x9a6030), Hex(0x5e3416), 9, 0.05), dir, "wood-dark");
    ok &=
        Save(Marble(200, 21, Hex(0xeeeae4), Hex(0xd8d6d2), Hex(0x70707a), 3), dir, "marble-light");
    ok &= Save(Marble(200, 22, Hex(0x3d6e58), Hex(0x2a5040), Hex(0xd8e8dc), 3), dir, "marble-dark");
    ok &= Save(Wood(200, 31, Hex(0xe2b878), Hex(0xb88446), 16, 1.52), dir, "wood2-light");
    ok &= Save(Wood(200, 32, Hex(0x6a4c36), Hex(0x36241a), 16, 1.52), dir, "wood2-dark");
    ok &=
        Save(Asbestos(200, 41, Hex(0xdcd8cc), Hex(0xb6b0a0), Hex(0x605848)), dir, "asbestos-light");
    ok &=
        Save(Asbestos(200, 42, Hex(0x8a9298), Hex(0x646c74), Hex(0x20262c)), dir, "asbestos-dark");
    ok &= Save(Stone(200, 51, Hex(0xd2c4ac), Hex(0x8c7c68), Hex(0xf4eee2)), dir, "stone-light");
    ok &= Save(Stone(200, 52, Hex(0x6a5c58), Hex(0x3a302e), Hex(0xa27a6a)), dir, "stone-dark");
    ok &=
        Save(Marble(160, 61, Hex(0xf2e6cc), Hex(0xe4d2ae), Hex(0xb08a3c), 2), dir, "marble2-light");
    ok &=
        Save(Marble(160, 62, Hex(0x5e4030), Hex(0x4a3024), Hex(0xead8c0), 2), dir, "marble2-dark");
    return ok ? 0 : 1;
}
