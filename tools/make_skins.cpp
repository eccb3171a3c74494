// Writes the nineteen skin pictures the timers can wear behind their panels: granite, marble,
// travertine and wood, each drawn from noise with fixed seeds and saved as a GIF, so every run
// writes the same bytes.
//
//     make_skins <output folder>
//
// Each picture carries text in two label colours, so its tones are chosen for them: dark stone
// and wood behind white, yellow, green or pale cyan, pale ones behind red, black, purple or blue.
// The contrast stays moderate so that text reads anywhere on the picture.

#include <QDir>
#include <QFile>
#include <QImage>
#include <QString>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <numbers>
#include <vector>

namespace {

// Big enough to fill the largest panel at twice the normal scale.
constexpr int kWidth = 512;
constexpr int kHeight = 448;

// --- Numbers ---------------------------------------------------------------------------------

// Our own generator and hash, so the pictures do not depend on a library's random engines.
class Pcg32 {
public:
    explicit Pcg32(uint64_t seed) : m_state(0), m_increment((seed << 1u) | 1u)
    {
        next();
        m_state += seed * 0x9e3779b97f4a7c15ull;
        next();
    }

    uint32_t next()
    {
        const uint64_t old = m_state;
        m_state = old * 6364136223846793005ull + m_increment;
        const auto xorshifted = uint32_t(((old >> 18u) ^ old) >> 27u);
        const auto rotation = uint32_t(old >> 59u);
        return (xorshifted >> rotation) | (xorshifted << ((32u - rotation) & 31u));
    }

    // In [0, 1).
    double unit() { return next() * (1.0 / 4294967296.0); }
    double between(double low, double high) { return low + (high - low) * unit(); }

private:
    uint64_t m_state;
    uint64_t m_increment;
};

uint32_t mix32(uint32_t h)
{
    h ^= h >> 16;
    h *= 0x7feb352du;
    h ^= h >> 15;
    h *= 0x846ca68bu;
    h ^= h >> 16;
    return h;
}

uint32_t hash2(int x, int y, uint32_t seed)
{
    return mix32(uint32_t(x) * 0x8da6b343u ^ mix32(uint32_t(y) * 0xd8163841u ^ seed));
}

// In [0, 1).
double unitOf(uint32_t h)
{
    return (h >> 8) * (1.0 / 16777216.0);
}

double clamp01(double v)
{
    return std::clamp(v, 0.0, 1.0);
}

double smoothstep(double edge0, double edge1, double v)
{
    const double t = clamp01((v - edge0) / (edge1 - edge0));
    return t * t * (3 - 2 * t);
}

double fract(double v)
{
    return v - std::floor(v);
}

// --- Noise -----------------------------------------------------------------------------------

// Gradient noise on a unit lattice, roughly in [-1, 1]. Twelve gradient directions, 30 degrees
// apart, keep the lattice from showing.
double perlin(double x, double y, uint32_t seed)
{
    static constexpr double kGradients[12][2] = {
        {1.0, 0.0},        {0.866025, 0.5},  {0.5, 0.866025},  {0.0, 1.0},
        {-0.5, 0.866025},  {-0.866025, 0.5}, {-1.0, 0.0},      {-0.866025, -0.5},
        {-0.5, -0.866025}, {0.0, -1.0},      {0.5, -0.866025}, {0.866025, -0.5},
    };
    const double fx = std::floor(x);
    const double fy = std::floor(y);
    const int ix = int(fx);
    const int iy = int(fy);
    const double dx = x - fx;
    const double dy = y - fy;
    auto corner = [&](int cx, int cy) {
        const double* g = kGradients[hash2(ix + cx, iy + cy, seed) % 12];
        return g[0] * (dx - cx) + g[1] * (dy - cy);
    };
    auto fade = [](double t) { return t * t * t * (t * (t * 6 - 15) + 10); };
    const double u = fade(dx);
    const double v = fade(dy);
    const double top = corner(0, 0) + u * (corner(1, 0) - corner(0, 0));
    const double bottom = corner(0, 1) + u * (corner(1, 1) - corner(0, 1));
    return 1.4 * (top + v * (bottom - top));
}

// Fractal sum of octaves, each turned a little against the last so no axis shows; about [-1, 1].
double fbm(double x, double y, uint32_t seed, int octaves, double gain = 0.5)
{
    double sum = 0;
    double amplitude = 1;
    double total = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amplitude * perlin(x, y, seed + uint32_t(i) * 1013u);
        total += amplitude;
        amplitude *= gain;
        const double turnedX = 1.6 * x - 1.2 * y;
        const double turnedY = 1.2 * x + 1.6 * y;
        x = turnedX + 17.3;
        y = turnedY - 9.1;
    }
    return sum / total;
}

// Cellular noise: the nearest and second nearest of one jittered point per unit cell, and which
// cell the nearest belongs to. Its cells read as the interlocking crystals of granite.
struct Cell {
    double nearest;
    double second;
    uint32_t id;
};

Cell cellular(double x, double y, uint32_t seed)
{
    const int ix = int(std::floor(x));
    const int iy = int(std::floor(y));
    Cell cell{9.0, 9.0, 0};
    for (int cy = iy - 1; cy <= iy + 1; ++cy) {
        for (int cx = ix - 1; cx <= ix + 1; ++cx) {
            const uint32_t h = hash2(cx, cy, seed);
            const double px = cx + 0.1 + 0.8 * unitOf(h);
            const double py = cy + 0.1 + 0.8 * unitOf(mix32(h ^ 0x5bd1e995u));
            const double d = std::hypot(x - px, y - py);
            if (d < cell.nearest) {
                cell.second = cell.nearest;
                cell.nearest = d;
                cell.id = h;
            } else if (d < cell.second) {
                cell.second = d;
            }
        }
    }
    return cell;
}

// --- Colour ----------------------------------------------------------------------------------

struct Rgb {
    double r, g, b;
};

constexpr Rgb rgb(uint32_t hex)
{
    return {((hex >> 16) & 0xff) / 255.0, ((hex >> 8) & 0xff) / 255.0, (hex & 0xff) / 255.0};
}

Rgb mix(Rgb a, Rgb b, double t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb scaled(Rgb c, double f)
{
    return {c.r * f, c.g * f, c.b * f};
}

struct Weighted {
    Rgb colour;
    double weight;
};

// `at` in [0, 1] runs through the choices in order, each taking its share.
Rgb pick(const std::vector<Weighted>& choices, double at)
{
    double total = 0;
    for (const Weighted& w : choices)
        total += w.weight;
    at *= total;
    for (const Weighted& w : choices) {
        if (at < w.weight)
            return w.colour;
        at -= w.weight;
    }
    return choices.back().colour;
}

using Picture = std::vector<Rgb>; // kWidth * kHeight, row by row

Picture paint(const std::function<Rgb(double, double)>& shade)
{
    Picture picture(size_t(kWidth) * kHeight);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            picture[size_t(y) * kWidth + x] = shade(x + 0.5, y + 0.5);
    return picture;
}

// --- Granite ---------------------------------------------------------------------------------

struct GraniteLook {
    uint32_t seed;
    std::vector<Weighted> groundmass; // the packed medium grains
    double grain;                     // their size in pixels
    std::vector<Weighted> crystals;   // large crystals among them
    double crystalSize;
    double crystalShare;
    std::vector<Weighted> specks; // small dark mica or bright flecks
    double speckSize;
    double speckShare;
    double cloud; // slow change of tone across the slab
};

Picture granite(const GraniteLook& look)
{
    return paint([&](double x, double y) {
        // Whole cells of cellular noise make angular, interlocking grains; a little wobble keeps
        // their borders from being ruler-straight.
        const double jx = x + 0.7 * perlin(x / 3.5, y / 3.5, look.seed + 5);
        const double jy = y + 0.7 * perlin(x / 3.5, y / 3.5, look.seed + 6);
        // Minerals gather in clusters instead of spreading evenly.
        const double cluster = 0.3 * fbm(x / 45, y / 45, look.seed + 7, 2);

        const Cell grain = cellular(jx / look.grain, jy / look.grain, look.seed);
        // Three shades of each mineral give variety; more would only cost file size.
        Rgb c = pick(look.groundmass, clamp01(unitOf(grain.id) + cluster));
        c = scaled(c, 0.96 + 0.04 * (mix32(grain.id) % 3));

        const Cell big = cellular(jx / look.crystalSize, jy / look.crystalSize, look.seed + 1);
        if (unitOf(big.id) < look.crystalShare * (1 + cluster)) {
            c = pick(look.crystals, unitOf(mix32(big.id + 3)));
            // Each cleavage face catches the light its own way, and the rim is a shade darker.
            c = scaled(c, 0.95 + 0.05 * (mix32(big.id + 11) % 3));
            c = scaled(c, 0.86 + 0.14 * smoothstep(0.0, 0.07, big.second - big.nearest));
        }

        const Cell speck = cellular(jx / look.speckSize, jy / look.speckSize, look.seed + 3);
        if (unitOf(speck.id) < look.speckShare * (1 - 2 * cluster))
            c = pick(look.specks, unitOf(mix32(speck.id + 9)));

        return scaled(c, 1 + look.cloud * fbm(x / 140, y / 140, look.seed + 4, 3));
    });
}

// --- Marble ----------------------------------------------------------------------------------

struct MarbleLook {
    uint32_t seed;
    Rgb ground1, ground2; // the stone between the veins, mottled from one to the other
    double mottle;        // size of the mottling in pixels
    Rgb vein;
    double veinStrength;
    double veinSpacing; // pixels between main veins
    double turbulence;  // how far they wander from straight
    double veinWidth;
    Rgb crack; // thin sharp veins in some parts of the slab
    double crackStrength;
    double angle; // direction the veins run, in degrees
};

Picture marble(const MarbleLook& look)
{
    const double a = look.angle * std::numbers::pi / 180;
    const double ca = std::cos(a);
    const double sa = std::sin(a);
    return paint([&](double x, double y) {
        const double across = -x * sa + y * ca;

        const double t = 0.5 + 0.5 * fbm(x / look.mottle, y / look.mottle, look.seed + 3, 5);
        Rgb c = mix(look.ground1, look.ground2, smoothstep(0.2, 0.8, t));

        // The classic turbulent sine: bands across the vein direction, pushed about by fractal
        // noise until they fold, merge and pinch out. A soft halo around each vein is the
        // colour bleeding into the stone.
        const double turb = fbm(x / 200, y / 200, look.seed + 4, 4, 0.45);
        const double s = std::abs(
            std::sin((across / look.veinSpacing + look.turbulence * turb) * std::numbers::pi));
        const double presence = smoothstep(-0.35, 0.35, fbm(x / 240, y / 240, look.seed + 5, 2));
        const double width =
            look.veinWidth *
            (0.35 + 1.3 * smoothstep(-0.5, 0.5, fbm(x / 110, y / 110, look.seed + 9, 2)));
        const double core = 1 - smoothstep(0.0, width, s);
        const double halo = 1 - smoothstep(0.0, width * 5, s);
        c = mix(c, look.vein, look.veinStrength * presence * (0.6 * core + 0.4 * halo * halo));
        // A fainter second family of veins between the main ones, at a slant to them.
        const double s2 =
            std::abs(std::sin(((x * ca + y * sa) / (look.veinSpacing * 0.8) +
                               2.0 * look.turbulence * turb + across / (look.veinSpacing * 2.5)) *
                              std::numbers::pi));
        const double second = (1 - smoothstep(0.0, look.veinWidth * 0.6, s2)) *
                              smoothstep(0.0, 0.5, fbm(x / 160, y / 160, look.seed + 8, 2));
        c = mix(c, look.vein, 0.5 * look.veinStrength * second);

        // Hairline cracks: the ridges of a second noise field, only where a third lets them be.
        const double r = std::abs(fbm(x / 90, y / 90, look.seed + 6, 5, 0.5));
        const double crack = 1 - smoothstep(0.0, 0.025, r);
        const double crackHere = smoothstep(0.1, 0.5, fbm(x / 200, y / 200, look.seed + 7, 2));
        return mix(c, look.crack, look.crackStrength * crack * crackHere);
    });
}

// --- Travertine ------------------------------------------------------------------------------

struct TravertineLook {
    uint32_t seed;
    Rgb light, dark; // the two ends of the banding
    Rgb pore;        // the inside of a hole
    double layer;    // thickness of a band in pixels
    double wave;     // how far the bands bend, in pixels
    int pores;       // how many holes the picture has
};

Picture travertine(const TravertineLook& look)
{
    auto layered = [&](double x, double y) {
        return y + look.wave * fbm(x / 420, y / 260, look.seed + 1, 3);
    };
    Picture picture = paint([&](double x, double y) {
        const double ly = layered(x, y);
        // Broad bands of tone, thin darker seams between deposits, fine streaks within them.
        const double band = fbm(x / 900, ly / look.layer, look.seed + 2, 4);
        const double seamAt =
            fract(ly / (look.layer * 0.7) + 0.4 * fbm(x / 300, ly / 60, look.seed + 6, 2));
        const double seam = (1 - smoothstep(0.0, 0.07, std::abs(seamAt - 0.5))) *
                            smoothstep(-0.2, 0.4, fbm(x / 120, ly / 40, look.seed + 7, 2));
        const double streak = fbm(x / 260, ly / (look.layer * 0.12), look.seed + 3, 3);
        const double speckle = perlin(x / 4.5, y / 4.5, look.seed + 4);
        const double t = clamp01(0.45 + 0.7 * band + 0.25 * streak + 0.04 * speckle);
        return mix(mix(look.light, look.dark, t), look.pore, 0.35 * seam);
    });

    // Holes left by gas in the layers: flat ovals along the bands, shadowed under their upper
    // rim and lit along the lower one. They gather in some layers and avoid others.
    Pcg32 random(look.seed);
    int placed = 0;
    for (int attempt = 0; placed < look.pores && attempt < 50 * look.pores; ++attempt) {
        const double cx = random.between(-8, kWidth + 8);
        const double cy = random.between(-8, kHeight + 8);
        const double rx = 1.2 + 9.0 * random.unit() * random.unit() * random.unit();
        const double ry = std::max(0.7, rx * random.between(0.2, 0.45));
        const double keep = random.unit();
        const double gather = 0.5 + 0.5 * fbm(cx / 300, layered(cx, cy) / 14, look.seed + 5, 2);
        if (keep > std::pow(smoothstep(0.4, 0.75, gather), 2))
            continue;
        ++placed;
        const int left = int(std::floor(cx - rx - 2));
        const int right = int(std::ceil(cx + rx + 2));
        const int top = int(std::floor(cy - ry - 2));
        const int bottom = int(std::ceil(cy + ry + 2));
        for (int y = std::max(0, top); y <= std::min(kHeight - 1, bottom); ++y) {
            for (int x = std::max(0, left); x <= std::min(kWidth - 1, right); ++x) {
                const double dx = (x + 0.5 - cx) / rx;
                const double dy = (y + 0.5 - cy) / ry;
                // Ragged edges: the hole's outline wanders with noise.
                const double e = std::sqrt(dx * dx + dy * dy) *
                                 (1 + 0.25 * perlin(dx * 1.5 + cx, dy * 1.5 + cy, look.seed + 8));
                Rgb& c = picture[size_t(y) * kWidth + x];
                const double inside = 1 - smoothstep(0.75, 1.05, e);
                const double lit = clamp01(0.5 + 0.5 * dy); // the upper rim shades the top
                c = mix(c, mix(look.pore, look.dark, 0.5 * lit), inside);
                const double rim = smoothstep(0.9, 1.1, e) * (1 - smoothstep(1.1, 1.7, e));
                if (dy > 0)
                    c = mix(c, look.light, 0.6 * rim * dy);
            }
        }
    }
    return picture;
}

// --- Wood ------------------------------------------------------------------------------------

struct Knot {
    double x, y;   // centre in pixels
    double rx, ry; // core size; the grain swirls out to several times that
};

struct WoodLook {
    uint32_t seed;
    Rgb early, late;     // light and dark part of a growth ring
    double ringContrast; // how far the latewood goes towards `late`
    double ringWidth;    // pixels between rings where the cut is flat
    double pithY;        // where the heart of the log lies, across the board
    double pithDepth;    // and how deep under the cut
    double tilt;         // the cut runs slightly into the log along the board
    double figure;       // how much the rings wander
    double fibre;        // strength of the fine fibre lines
    Rgb pore;
    double pores; // open pores: dashes along the grain in the earlywood (oak, ash)
    Rgb streak;
    double streaks; // long dark streaks of colour (laurel, walnut)
    std::vector<Knot> knots;
    Rgb knotColour;
};

// The wood's colour at (x, y) with the grain running along x.
Rgb woodAt(const WoodLook& look, double x, double y)
{
    const double wy = y + look.figure * fbm(x / 300, y / 110, look.seed + 1, 4);
    const double depth = look.pithDepth + look.tilt * x +
                         0.25 * look.pithDepth * fbm(x / 400, 0.5, look.seed + 2, 2);
    const double radius = std::hypot(wy - look.pithY, depth) / look.ringWidth;
    // Good years and lean ones: the rings' spacing changes from one ring to the next.
    double rings = radius + 0.6 * perlin(radius * 0.45, 0.5, look.seed + 6);

    double knotCore = 0;
    for (const Knot& k : look.knots) {
        const double dx = (x - k.x) / k.rx;
        const double dy = (y - k.y) / k.ry;
        const double r2 = dx * dx + dy * dy;
        // A branch lifts the rings into a mound, so they close into ovals around it.
        rings += 3.5 * std::exp(-r2 / 9);
        knotCore = std::max(knotCore, 1 - smoothstep(0.7, 1.05, std::sqrt(r2)));
    }

    const double f = fract(rings);
    // Latewood darkens through the ring and ends sharply where next year's earlywood starts.
    const double late = smoothstep(0.45, 0.92, f) * (1 - smoothstep(0.92, 1.0, f));
    Rgb c = mix(look.early, look.late, look.ringContrast * late);

    // Fine fibres along the grain, and the colour drifting slowly along and across the board.
    const double fibre = fbm(x / 70, wy / 1.3, look.seed + 3, 3);
    const double drift = fbm(x / 250, wy / 60, look.seed + 7, 2);
    c = scaled(c, 1 + look.fibre * fibre + 0.5 * look.fibre * drift);

    if (look.pores > 0) {
        const double p = perlin(x / 6, wy / 0.9, look.seed + 4);
        const double pore = smoothstep(0.35, 0.65, p) * (1 - late);
        c = mix(c, look.pore, look.pores * pore);
    }
    if (look.streaks > 0) {
        const double s = fbm(x / 600, wy / 16, look.seed + 5, 4);
        c = mix(c, look.streak, look.streaks * smoothstep(0.05, 0.45, s));
    }
    if (knotCore > 0) {
        const double inner = fract(rings * 2.5);
        c = mix(c, mix(look.knotColour, look.late, 0.3 * inner), knotCore);
    }
    return c;
}

Picture wood(const WoodLook& look)
{
    return paint([&](double x, double y) { return woodAt(look, x, y); });
}

// Board pressed into ridges that run down the picture, lit from the left.
struct CorrugatedLook {
    WoodLook board; // its grain runs along the ridges
    double period;  // pixels from ridge to ridge
    double light;   // how strongly the slopes are lit and shadowed
};

Picture corrugated(const CorrugatedLook& look)
{
    return paint([&](double x, double y) {
        const Rgb c = woodAt(look.board, y, x);
        const double phase = 2 * std::numbers::pi * x / look.period;
        const double facing = std::cos(phase);             // towards the light when positive
        const double height = 0.5 + 0.5 * std::sin(phase); // 1 on the crest, 0 in the trough
        const double shine = std::pow(std::max(0.0, facing), 12);
        const double lit =
            1 + look.light * (0.7 * facing + 0.3 * (height - 0.5)) + 0.6 * look.light * shine;
        return scaled(c, lit);
    });
}

// --- Output ----------------------------------------------------------------------------------

QImage toImage(const Picture& picture)
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (int y = 0; y < kHeight; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < kWidth; ++x) {
            const Rgb& c = picture[size_t(y) * kWidth + x];
            line[x] =
                qRgb(int(std::lround(clamp01(c.r) * 255)), int(std::lround(clamp01(c.g) * 255)),
                     int(std::lround(clamp01(c.b) * 255)));
        }
    }
    return image;
}

// A picture reduced to at most 256 colours: its palette and one index per pixel.
struct Indexed {
    std::vector<QRgb> palette;
    std::vector<uint8_t> pixels;
};

struct Tally {
    QRgb colour;
    uint32_t count;
};

int channel(QRgb c, int which)
{
    return which == 0 ? qRed(c) : which == 1 ? qGreen(c) : qBlue(c);
}

// Median cut: split the box of colours with the most squared error at the weighted median of
// its widest channel until the palette is full, then settle the palette with a few rounds of
// k-means. Every step has one outcome for one input, so the palette is the same on every run.
Indexed quantise(const QImage& image, int colours)
{
    const int pixelCount = image.width() * image.height();
    std::vector<QRgb> all;
    all.reserve(size_t(pixelCount));
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            all.push_back(line[x] & 0xffffffu);
    }
    std::vector<QRgb> sorted = all;
    std::sort(sorted.begin(), sorted.end());
    std::vector<Tally> tallies;
    for (QRgb c : sorted) {
        if (tallies.empty() || tallies.back().colour != c)
            tallies.push_back({c, 0});
        ++tallies.back().count;
    }

    struct Box {
        size_t begin, end;
        double error;
        int widest;
    };
    auto measure = [&](size_t begin, size_t end) {
        double sum[3] = {0, 0, 0};
        double squares[3] = {0, 0, 0};
        double n = 0;
        for (size_t i = begin; i < end; ++i) {
            for (int k = 0; k < 3; ++k) {
                const double v = channel(tallies[i].colour, k);
                sum[k] += v * tallies[i].count;
                squares[k] += v * v * tallies[i].count;
            }
            n += tallies[i].count;
        }
        Box box{begin, end, 0, 0};
        double widest = -1;
        for (int k = 0; k < 3; ++k) {
            const double spread = squares[k] - sum[k] * sum[k] / n;
            box.error += spread;
            if (spread > widest) {
                widest = spread;
                box.widest = k;
            }
        }
        return box;
    };

    std::vector<Box> boxes{measure(0, tallies.size())};
    while (int(boxes.size()) < std::min(colours, 256)) {
        size_t worst = boxes.size();
        for (size_t i = 0; i < boxes.size(); ++i)
            if (boxes[i].end - boxes[i].begin > 1 &&
                (worst == boxes.size() || boxes[i].error > boxes[worst].error))
                worst = i;
        if (worst == boxes.size())
            break; // every box holds a single colour
        const Box box = boxes[worst];
        const int k = box.widest;
        std::sort(tallies.begin() + long(box.begin), tallies.begin() + long(box.end),
                  [k](const Tally& a, const Tally& b) {
                      const int ca = channel(a.colour, k);
                      const int cb = channel(b.colour, k);
                      return ca != cb ? ca < cb : a.colour < b.colour;
                  });
        uint64_t total = 0;
        for (size_t i = box.begin; i < box.end; ++i)
            total += tallies[i].count;
        uint64_t running = 0;
        size_t cut = box.begin;
        while (cut < box.end - 1 && running + tallies[cut].count <= total / 2)
            running += tallies[cut++].count;
        cut = std::max(cut, box.begin + 1);
        boxes[worst] = measure(box.begin, cut);
        boxes.push_back(measure(cut, box.end));
    }

    std::vector<std::array<double, 3>> centres;
    for (const Box& box : boxes) {
        std::array<double, 3> sum{0, 0, 0};
        double n = 0;
        for (size_t i = box.begin; i < box.end; ++i) {
            for (int k = 0; k < 3; ++k)
                sum[k] += double(channel(tallies[i].colour, k)) * tallies[i].count;
            n += tallies[i].count;
        }
        centres.push_back({sum[0] / n, sum[1] / n, sum[2] / n});
    }

    std::sort(tallies.begin(), tallies.end(),
              [](const Tally& a, const Tally& b) { return a.colour < b.colour; });
    std::vector<uint8_t> nearest(tallies.size());
    auto assign = [&] {
        for (size_t i = 0; i < tallies.size(); ++i) {
            double best = 1e30;
            for (size_t p = 0; p < centres.size(); ++p) {
                double d = 0;
                for (int k = 0; k < 3; ++k) {
                    const double diff = channel(tallies[i].colour, k) - centres[p][k];
                    d += diff * diff;
                }
                if (d < best) {
                    best = d;
                    nearest[i] = uint8_t(p);
                }
            }
        }
    };
    for (int round = 0; round < 4; ++round) {
        assign();
        std::vector<std::array<double, 4>> sums(centres.size(), {0, 0, 0, 0});
        for (size_t i = 0; i < tallies.size(); ++i) {
            for (int k = 0; k < 3; ++k)
                sums[nearest[i]][k] += double(channel(tallies[i].colour, k)) * tallies[i].count;
            sums[nearest[i]][3] += tallies[i].count;
        }
        for (size_t p = 0; p < centres.size(); ++p)
            if (sums[p][3] > 0)
                for (int k = 0; k < 3; ++k)
                    centres[p][k] = sums[p][k] / sums[p][3];
    }
    assign();

    Indexed indexed;
    for (const auto& centre : centres)
        indexed.palette.push_back(qRgb(int(std::lround(centre[0])), int(std::lround(centre[1])),
                                       int(std::lround(centre[2]))));
    indexed.pixels.reserve(all.size());
    for (QRgb c : all) {
        const auto at = std::lower_bound(tallies.begin(), tallies.end(), c,
                                         [](const Tally& t, QRgb v) { return t.colour < v; });
        indexed.pixels.push_back(nearest[size_t(at - tallies.begin())]);
    }
    return indexed;
}

// Packs variable-width codes least significant bit first, as GIF wants them.
class BitWriter {
public:
    void put(int code, int width)
    {
        m_buffer |= uint32_t(code) << m_bits;
        m_bits += width;
        while (m_bits >= 8) {
            m_bytes.push_back(char(m_buffer & 0xffu));
            m_buffer >>= 8;
            m_bits -= 8;
        }
    }

    QByteArray finish()
    {
        if (m_bits > 0)
            m_bytes.push_back(char(m_buffer & 0xffu));
        m_buffer = 0;
        m_bits = 0;
        return m_bytes;
    }

private:
    QByteArray m_bytes;
    uint32_t m_buffer = 0;
    int m_bits = 0;
};

// GIF's LZW: codes grow from minimum + 1 bits up to 12, and the table starts over when full.
QByteArray lzw(const std::vector<uint8_t>& pixels, int minimumCodeSize)
{
    const int clear = 1 << minimumCodeSize;
    const int end = clear + 1;
    // The table maps (prefix code, next pixel) to a code; -1 where there is none yet.
    std::vector<int16_t> table(size_t(4096) * 256, -1);
    std::vector<size_t> used;
    int next = end + 1;
    int width = minimumCodeSize + 1;
    BitWriter bits;
    bits.put(clear, width);
    int prefix = pixels.front();
    for (size_t i = 1; i < pixels.size(); ++i) {
        const size_t key = size_t(prefix) * 256 + pixels[i];
        if (table[key] >= 0) {
            prefix = table[key];
            continue;
        }
        bits.put(prefix, width);
        if (next < 4096) {
            if (next == (1 << width))
                ++width;
            table[key] = int16_t(next++);
            used.push_back(key);
        } else {
            bits.put(clear, width);
            for (size_t k : used)
                table[k] = -1;
            used.clear();
            next = end + 1;
            width = minimumCodeSize + 1;
        }
        prefix = pixels[i];
    }
    bits.put(prefix, width);
    bits.put(end, width);
    return bits.finish();
}

void putWord(QByteArray& out, int value)
{
    out.push_back(char(value & 0xff));
    out.push_back(char((value >> 8) & 0xff));
}

QByteArray gif(const Indexed& indexed, int width, int height)
{
    int tableBits = 1;
    while ((1 << tableBits) < int(indexed.palette.size()))
        ++tableBits;
    QByteArray out("GIF89a");
    putWord(out, width);
    putWord(out, height);
    out.push_back(char(0x80 | 0x70 | (tableBits - 1))); // global table, 8-bit colour resolution
    out.push_back(char(0));                             // background index
    out.push_back(char(0));                             // square pixels
    for (int i = 0; i < (1 << tableBits); ++i) {
        const QRgb c = i < int(indexed.palette.size()) ? indexed.palette[size_t(i)] : 0;
        out.push_back(char(qRed(c)));
        out.push_back(char(qGreen(c)));
        out.push_back(char(qBlue(c)));
    }
    out.push_back(char(0x2c)); // image descriptor
    putWord(out, 0);
    putWord(out, 0);
    putWord(out, width);
    putWord(out, height);
    out.push_back(char(0)); // no local table, not interlaced
    const int minimumCodeSize = std::max(2, tableBits);
    out.push_back(char(minimumCodeSize));
    const QByteArray data = lzw(indexed.pixels, minimumCodeSize);
    for (qsizetype at = 0; at < data.size(); at += 255) {
        const qsizetype length = std::min<qsizetype>(255, data.size() - at);
        out.push_back(char(length));
        out.append(data.mid(at, length));
    }
    out.push_back(char(0));    // end of the image data
    out.push_back(char(0x3b)); // trailer
    return out;
}

// --- The skins -------------------------------------------------------------------------------

struct Skin {
    const char* file;
    int colours; // palette size: enough for smooth tones, few enough to keep the file small
    std::function<Picture()> draw;
};

std::vector<Skin> skins()
{
    return {
        // Dark grey granite with a few golden flecks, behind yellow and green.
        {"Granite1.gif", 128,
         [] {
             return granite(
                 {101,
                  {{rgb(0x2b2b2d), 4}, {rgb(0x38383a), 3}, {rgb(0x202022), 3}, {rgb(0x46443f), 1}},
                  3.2,
                  {{rgb(0x4c4a48), 2}, {rgb(0x3a3634), 2}, {rgb(0x55504a), 1}},
                  9.0,
                  0.35,
                  {{rgb(0x101010), 5}, {rgb(0x8a7446), 1}},
                  2.0,
                  0.18,
                  0.10});
         }},
        // Blue-grey granite with shimmering feldspar, behind white and yellow.
        {"Granite2.gif", 128,
         [] {
             return granite({202,
                             {{rgb(0x2a2e36), 4}, {rgb(0x353b46), 3}, {rgb(0x22252c), 2}},
                             3.5,
                             {{rgb(0x44506a), 2}, {rgb(0x3c4658), 2}, {rgb(0x52607a), 1}},
                             10.0,
                             0.22,
                             {{rgb(0x0e0f12), 4}, {rgb(0x6a7890), 1}},
                             2.2,
                             0.15,
                             0.10});
         }},
        // White granite with grey quartz and black mica, behind black and red.
        {"Granite3.gif", 128,
         [] {
             return granite(
                 {303,
                  {{rgb(0xf5f4f1), 4}, {rgb(0xecebe7), 3}, {rgb(0xf9f8f5), 2}, {rgb(0xe4e2de), 1}},
                  3.2,
                  {{rgb(0xe2e0de), 2}, {rgb(0xf4ebe5), 1}, {rgb(0xeae8e4), 2}},
                  10.0,
                  0.35,
                  {{rgb(0x5a5a5a), 3}, {rgb(0x8a8884), 2}},
                  2.6,
                  0.035,
                  0.03});
         }},
        // White marble with soft grey veins, behind red and black.
        {"Marble1.gif", 160,
         [] {
             return marble({111, rgb(0xf7f6f3), rgb(0xebeae7), 90, rgb(0xa9aaaf), 0.55, 120, 1.6,
                            0.1, rgb(0xb8b9bd), 0.3, 35});
         }},
        // Black marble with golden veins, behind yellow and white.
        {"Marble2.gif", 160,
         [] {
             return marble({222, rgb(0x1b1919), rgb(0x262220), 80, rgb(0x9a7a44), 0.6, 130, 1.8,
                            0.09, rgb(0x6a5434), 0.35, -30});
         }},
        // Cream marble with beige veins, behind red and purple.
        {"Marble3.gif", 160,
         [] {
             return marble({333, rgb(0xf7f1e6), rgb(0xefe6d5), 100, rgb(0xcbb294), 0.55, 110, 1.5,
                            0.1, rgb(0xd2bea2), 0.3, 60});
         }},
        // Deep green-black marble with pale veins, behind red and yellow.
        {"Marble4.gif", 160,
         [] {
             return marble({444, rgb(0x0e1512), rgb(0x16201a), 70, rgb(0x4e6a5a), 0.6, 90, 1.9,
                            0.09, rgb(0x3a5244), 0.35, 20});
         }},
        // Dark slate marble with blue-grey veins, behind white and green.
        {"Marble5.gif", 160,
         [] {
             return marble({555, rgb(0x262a33), rgb(0x30333e), 90, rgb(0x737a8c), 0.55, 120, 1.7,
                            0.1, rgb(0x555b6a), 0.35, -55});
         }},
        // Ivory travertine, behind red and purple.
        {"Travert1.gif", 128,
         [] {
             return travertine({121, rgb(0xf8f4ec), rgb(0xe8dcc4), rgb(0xbba88a), 26, 22, 300});
         }},
        // Walnut-brown travertine, behind white and yellow.
        {"Travert2.gif", 128,
         [] {
             return travertine({232, rgb(0x6a5442), rgb(0x3a2c21), rgb(0x201812), 24, 26, 320});
         }},
        // Pale beige travertine with a rosy cast, behind red and purple.
        {"Travert3.gif", 128,
         [] {
             return travertine({343, rgb(0xf9f3ee), rgb(0xe9d9ce), rgb(0xc0a898), 20, 18, 280});
         }},
        // Light golden travertine, behind red and purple.
        {"Travert4.gif", 128,
         [] {
             return travertine({454, rgb(0xf9f4e4), rgb(0xe9dcb8), rgb(0xc2aa80), 32, 28, 260});
         }},
        // Dark grey-brown travertine, behind white and yellow.
        {"Travert5.gif", 128,
         [] {
             return travertine({565, rgb(0x5a5550), rgb(0x322e2b), rgb(0x1a1816), 22, 20, 340});
         }},
        // Corrugated board, dark stained, behind yellow and white.
        {"Wood0.gif", 80,
         [] {
             WoodLook board{};
             board.seed = 600;
             board.early = rgb(0x5a402c);
             board.late = rgb(0x3c2a1c);
             board.ringContrast = 0.4;
             board.ringWidth = 14;
             board.pithY = 260;
             board.pithDepth = 60;
             board.tilt = 0.04;
             board.figure = 12;
             board.fibre = 0.03;
             return corrugated({board, 26, 0.3});
         }},
        // Red oak: reddish brown with open pores, behind yellow and pale cyan.
        {"Wood1.gif", 128,
         [] {
             WoodLook look{};
             look.seed = 611;
             look.early = rgb(0x9a6248);
             look.late = rgb(0x6e3e2c);
             look.ringContrast = 0.8;
             look.ringWidth = 12;
             look.pithY = 230;
             look.pithDepth = 70;
             look.tilt = 0.05;
             look.figure = 14;
             look.fibre = 0.06;
             look.pore = rgb(0x4a2a1e);
             look.pores = 0.5;
             look.knots = {{380, 120, 9, 5}};
             look.knotColour = rgb(0x4a2818);
             return wood(look);
         }},
        // Maple: pale cream with faint rings, behind red and purple.
        {"Wood2.gif", 128,
         [] {
             WoodLook look{};
             look.seed = 622;
             look.early = rgb(0xf6ecd8);
             look.late = rgb(0xe9d8b8);
             look.ringContrast = 0.7;
             look.ringWidth = 14;
             look.pithY = 200;
             look.pithDepth = 80;
             look.tilt = 0.04;
             look.figure = 10;
             look.fibre = 0.02;
             look.knots = {{140, 330, 4, 3}};
             look.knotColour = rgb(0xc8a87c);
             return wood(look);
         }},
        // Walnut: dark chocolate brown with darker streaks, behind white and yellow.
        {"Wood3.gif", 128,
         [] {
             WoodLook look{};
             look.seed = 633;
             look.early = rgb(0x5c4030);
             look.late = rgb(0x3e2a1e);
             look.ringContrast = 0.7;
             look.ringWidth = 11;
             look.pithY = 240;
             look.pithDepth = 65;
             look.tilt = 0.05;
             look.figure = 16;
             look.fibre = 0.07;
             look.streak = rgb(0x2e1e16);
             look.streaks = 0.35;
             look.knots = {{120, 90, 8, 5}};
             look.knotColour = rgb(0x24160e);
             return wood(look);
         }},
        // Ash: light greyish with clear rings and pores, behind red and blue.
        {"Wood4.gif", 128,
         [] {
             WoodLook look{};
             look.seed = 644;
             look.early = rgb(0xf2efe6);
             look.late = rgb(0xdcd6c8);
             look.ringContrast = 0.8;
             look.ringWidth = 13;
             look.pithY = 210;
             look.pithDepth = 75;
             look.tilt = 0.045;
             look.figure = 12;
             look.fibre = 0.02;
             look.pore = rgb(0xc8c0b0);
             look.pores = 0.5;
             look.knotColour = rgb(0xb8aa94);
             look.knots = {{400, 340, 4, 3}};
             return wood(look);
         }},
        // Indian laurel: dark brown with darker streaks, behind yellow and white.
        {"Wood5.gif", 128,
         [] {
             WoodLook look{};
             look.seed = 655;
             look.early = rgb(0x5e4632);
             look.late = rgb(0x463222);
             look.ringContrast = 0.5;
             look.ringWidth = 10;
             look.pithY = 250;
             look.pithDepth = 90;
             look.tilt = 0.03;
             look.figure = 18;
             look.fibre = 0.07;
             look.streak = rgb(0x1e1610);
             look.streaks = 0.6;
             return wood(look);
         }},
    };
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_skins <output folder>\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "make_skins: cannot create %s\n", argv[1]);
        return 1;
    }
    for (const Skin& skin : skins()) {
        const Indexed indexed = quantise(toImage(skin.draw()), skin.colours);
        const QString path = folder.filePath(QString::fromLatin1(skin.file));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(gif(indexed, kWidth, kHeight)) < 0 || !file.flush()) {
            std::fprintf(stderr, "make_skins: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
