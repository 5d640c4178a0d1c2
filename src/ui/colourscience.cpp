// Colour arithmetic: sRGB, CIE Lab, CIEDE2000, dichromat simulation, contrast.
#include "ui/colourscience.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace ui::colour {

namespace {

constexpr double degrees(double radians)
{
    return radians * 180 / std::numbers::pi;
}
constexpr double radians(double degrees)
{
    return degrees * std::numbers::pi / 180;
}

// Machado et al.'s matrices for severity 1, on linear RGB.
constexpr double kProtanopia[3][3] = {
    {0.152286, 1.052583, -0.204868}, {0.114503, 0.786281, 0.099216}, {-0.003882, -0.048116, 1.051998}};
constexpr double kDeuteranopia[3][3] = {
    {0.367322, 0.860646, -0.227968}, {0.280085, 0.672501, 0.047413}, {-0.011820, 0.042940, 0.968881}};
constexpr double kTritanopia[3][3] = {
    {1.255528, -0.076749, -0.178779}, {-0.078411, 0.930809, 0.147602}, {0.004733, 0.691367, 0.303900}};

double labF(double t)
{
    constexpr double epsilon = 216.0 / 24389, kappa = 24389.0 / 27;
    return t > epsilon ? std::cbrt(t) : (kappa * t + 16) / 116;
}

// A hue angle in degrees, 0–360; 0 for a grey, as Sharma's note asks.
double hueOf(double a, double b)
{
    if (a == 0 && b == 0)
        return 0;
    const double h = degrees(std::atan2(b, a));
    return h < 0 ? h + 360 : h;
}

} // namespace

double toLinear(double c)
{
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double toSrgb(double c)
{
    c = std::clamp(c, 0.0, 1.0);
    return c <= 0.0031308 ? c * 12.92 : 1.055 * std::pow(c, 1 / 2.4) - 0.055;
}

Linear linear(Srgb colour)
{
    return {toLinear(colour.r / 255.0), toLinear(colour.g / 255.0), toLinear(colour.b / 255.0)};
}

Lab lab(Linear c)
{
    // sRGB's primaries to XYZ, then relative to the D65 white.
    const double x = (0.4124564 * c.r + 0.3575761 * c.g + 0.1804375 * c.b) / 0.95047;
    const double y = 0.2126729 * c.r + 0.7151522 * c.g + 0.0721750 * c.b;
    const double z = (0.0193339 * c.r + 0.1191920 * c.g + 0.9503041 * c.b) / 1.08883;
    const double fx = labF(x), fy = labF(y), fz = labF(z);
    return {116 * fy - 16, 500 * (fx - fy), 200 * (fy - fz)};
}

double deltaE2000(const Lab &one, const Lab &other)
{
    const double pow25to7 = std::pow(25.0, 7);
    const double cMean = (std::hypot(one.a, one.b) + std::hypot(other.a, other.b)) / 2;
    const double g = 0.5 * (1 - std::sqrt(std::pow(cMean, 7) / (std::pow(cMean, 7) + pow25to7)));
    const double a1 = (1 + g) * one.a, a2 = (1 + g) * other.a;
    const double c1 = std::hypot(a1, one.b), c2 = std::hypot(a2, other.b);
    const double h1 = hueOf(a1, one.b), h2 = hueOf(a2, other.b);

    const double dL = other.L - one.L;
    const double dC = c2 - c1;
    double dh = 0;
    if (c1 * c2 != 0) {
        dh = h2 - h1;
        if (dh > 180)
            dh -= 360;
        else if (dh < -180)
            dh += 360;
    }
    const double dH = 2 * std::sqrt(c1 * c2) * std::sin(radians(dh / 2));

    const double lMean = (one.L + other.L) / 2;
    const double cMeanPrime = (c1 + c2) / 2;
    double hMean = h1 + h2;
    if (c1 * c2 != 0) {
        if (std::abs(h1 - h2) <= 180)
            hMean = (h1 + h2) / 2;
        else
            hMean = (h1 + h2 < 360 ? h1 + h2 + 360 : h1 + h2 - 360) / 2;
    }
    const double t = 1 - 0.17 * std::cos(radians(hMean - 30)) + 0.24 * std::cos(radians(2 * hMean)) +
                     0.32 * std::cos(radians(3 * hMean + 6)) - 0.20 * std::cos(radians(4 * hMean - 63));
    const double dTheta = 30 * std::exp(-std::pow((hMean - 275) / 25, 2));
    const double rC = 2 * std::sqrt(std::pow(cMeanPrime, 7) / (std::pow(cMeanPrime, 7) + pow25to7));
    const double sL = 1 + 0.015 * std::pow(lMean - 50, 2) / std::sqrt(20 + std::pow(lMean - 50, 2));
    const double sC = 1 + 0.045 * cMeanPrime;
    const double sH = 1 + 0.015 * cMeanPrime * t;
    const double rT = -std::sin(radians(2 * dTheta)) * rC;
    const double l = dL / sL, c = dC / sC, h = dH / sH;
    return std::sqrt(l * l + c * c + h * h + rT * c * h);
}

Linear seenWith(Linear c, Vision vision)
{
    const double(*m)[3] = nullptr;
    switch (vision) {
    case Vision::Normal: return c;
    case Vision::Protanopia: m = kProtanopia; break;
    case Vision::Deuteranopia: m = kDeuteranopia; break;
    case Vision::Tritanopia: m = kTritanopia; break;
    }
    const auto row = [&](int i) {
        return std::clamp(m[i][0] * c.r + m[i][1] * c.g + m[i][2] * c.b, 0.0, 1.0);
    };
    return {row(0), row(1), row(2)};
}

double seenDifference(Srgb one, Srgb other, Vision vision)
{
    return deltaE2000(lab(seenWith(linear(one), vision)), lab(seenWith(linear(other), vision)));
}

double luminance(Srgb colour)
{
    const Linear c = linear(colour);
    return 0.2126 * c.r + 0.7152 * c.g + 0.0722 * c.b;
}

double contrastRatio(Srgb one, Srgb other)
{
    const double a = luminance(one), b = luminance(other);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

} // namespace ui::colour
