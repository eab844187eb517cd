// Draws the program's icon, an old television set with two antennas, as PNG files of the usual
// hicolor sizes and as an SVG, from one list of shapes so that every size shows the same picture.
// Usage: zelidor-make-icon OUTPUT_FOLDER SIZE... (writes OUTPUT_FOLDER/SIZExSIZE/apps/zelidor.png
// and OUTPUT_FOLDER/scalable/apps/zelidor.svg).
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct Colour {
    unsigned char r, g, b;
};

// Shapes in a unit square (0,0 top left to 1,1 bottom right), painted in order.
struct Shape {
    enum Kind { RoundRect, Circle, Stroke } kind;
    double x0, y0, x1, y1;  // rectangle corners; circle centre and radius in x0, y0, x1;
                            // stroke ends
    double r;               // corner radius; stroke width
    Colour colour;

    bool covers(double x, double y) const {
        switch (kind) {
            case RoundRect: {
                double cx = std::clamp(x, x0 + r, x1 - r);
                double cy = std::clamp(y, y0 + r, y1 - r);
                return x >= x0 && x <= x1 && y >= y0 && y <= y1 &&
                       (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r;
            }
            case Circle:
                return (x - x0) * (x - x0) + (y - y0) * (y - y0) <= x1 * x1;
            case Stroke: {
                double dx = x1 - x0, dy = y1 - y0;
                double t =
                    std::clamp(((x - x0) * dx + (y - y0) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
                double px = x0 + t * dx - x, py = y0 + t * dy - y;
                return px * px + py * py <= r * r / 4;
            }
        }
        return false;
    }
};

constexpr Colour kOutline{0x3A, 0x22, 0x10};
constexpr Colour kWood{0xA0, 0x62, 0x2D};
constexpr Colour kWoodLight{0xC0, 0x80, 0x45};
constexpr Colour kMetal{0x55, 0x5B, 0x66};
constexpr Colour kBezel{0x2B, 0x2B, 0x30};
constexpr Colour kScreen{0x3C, 0x7D, 0xC4};
constexpr Colour kGlare{0x9C, 0xC8, 0xF0};
constexpr Colour kKnob{0xE6, 0xE0, 0xD2};

const std::vector<Shape> kPicture = {
    // antennas
    {Shape::Stroke, 0.50, 0.28, 0.27, 0.05, 0.035, kMetal},
    {Shape::Stroke, 0.50, 0.28, 0.75, 0.07, 0.035, kMetal},
    {Shape::Circle, 0.27, 0.05, 0.035, 0, 0, kMetal},
    {Shape::Circle, 0.75, 0.07, 0.035, 0, 0, kMetal},
    {Shape::Circle, 0.50, 0.28, 0.07, 0, 0, kOutline},
    // feet
    {Shape::RoundRect, 0.16, 0.84, 0.28, 0.96, 0.02, kOutline},
    {Shape::RoundRect, 0.72, 0.84, 0.84, 0.96, 0.02, kOutline},
    // cabinet with its outline and a lighter top edge
    {Shape::RoundRect, 0.04, 0.25, 0.96, 0.90, 0.09, kOutline},
    {Shape::RoundRect, 0.07, 0.28, 0.93, 0.87, 0.07, kWood},
    {Shape::RoundRect, 0.10, 0.29, 0.90, 0.33, 0.02, kWoodLight},
    // screen
    {Shape::RoundRect, 0.11, 0.35, 0.71, 0.82, 0.08, kBezel},
    {Shape::RoundRect, 0.14, 0.38, 0.68, 0.79, 0.07, kScreen},
    {Shape::Stroke, 0.22, 0.47, 0.34, 0.43, 0.05, kGlare},
    // knobs and speaker slots
    {Shape::Circle, 0.82, 0.45, 0.065, 0, 0, kOutline},
    {Shape::Circle, 0.82, 0.45, 0.045, 0, 0, kKnob},
    {Shape::Circle, 0.82, 0.61, 0.065, 0, 0, kOutline},
    {Shape::Circle, 0.82, 0.61, 0.045, 0, 0, kKnob},
    {Shape::Stroke, 0.77, 0.73, 0.87, 0.73, 0.025, kOutline},
    {Shape::Stroke, 0.77, 0.78, 0.87, 0.78, 0.025, kOutline},
};

// Each pixel averages 8 x 8 samples, so small sizes keep smooth edges.
std::vector<unsigned char> render(int size) {
    constexpr int kSamples = 8;
    std::vector<unsigned char> rgba(static_cast<std::size_t>(size * size * 4), 0);
    for (int py = 0; py < size; ++py) {
        for (int px = 0; px < size; ++px) {
            double r = 0, g = 0, b = 0, a = 0;
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    double x = (px + (sx + 0.5) / kSamples) / size;
                    double y = (py + (sy + 0.5) / kSamples) / size;
                    for (auto shape = kPicture.rbegin(); shape != kPicture.rend(); ++shape) {
                        if (shape->covers(x, y)) {  // the topmost shape paints the sample
                            r += shape->colour.r;
                            g += shape->colour.g;
                            b += shape->colour.b;
                            a += 1;
                            break;
                        }
                    }
                }
            }
            unsigned char* out = &rgba[static_cast<std::size_t>((py * size + px) * 4)];
            if (a > 0) {  // colour of the covered samples, alpha of their share
                out[0] = static_cast<unsigned char>(std::lround(r / a));
                out[1] = static_cast<unsigned char>(std::lround(g / a));
                out[2] = static_cast<unsigned char>(std::lround(b / a));
                out[3] = static_cast<unsigned char>(std::lround(255 * a / (kSamples * kSamples)));
            }
        }
    }
    return rgba;
}

std::string hex(Colour c) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", c.r, c.g, c.b);
    return text;
}

std::string svg() {
    // Coordinates on a 256 grid, to a tenth of a unit.
    auto n = [](double v) {
        char text[16];
        std::snprintf(text, sizeof text, "%.1f", std::round(v * 2560) / 10);
        return std::string(text);
    };
    std::string out =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" "
        "viewBox=\"0 0 256 256\">\n";
    for (const Shape& s : kPicture) {
        switch (s.kind) {
            case Shape::RoundRect:
                out += "  <rect x=\"" + n(s.x0) + "\" y=\"" + n(s.y0) + "\" width=\"" +
                       n(s.x1 - s.x0) + "\" height=\"" + n(s.y1 - s.y0) + "\" rx=\"" + n(s.r) +
                       "\" fill=\"" + hex(s.colour) + "\"/>\n";
                break;
            case Shape::Circle:
                out += "  <circle cx=\"" + n(s.x0) + "\" cy=\"" + n(s.y0) + "\" r=\"" + n(s.x1) +
                       "\" fill=\"" + hex(s.colour) + "\"/>\n";
                break;
            case Shape::Stroke:
                out += "  <line x1=\"" + n(s.x0) + "\" y1=\"" + n(s.y0) + "\" x2=\"" + n(s.x1) +
                       "\" y2=\"" + n(s.y1) + "\" stroke=\"" + hex(s.colour) +
                       "\" stroke-width=\"" + n(s.r) + "\" stroke-linecap=\"round\"/>\n";
                break;
        }
    }
    return out + "</svg>\n";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER SIZE...\n", argv[0]);
        return 2;
    }
    namespace fs = std::filesystem;
    const fs::path root = argv[1];
    for (int i = 2; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        const std::string name = std::to_string(size) + "x" + std::to_string(size);
        const fs::path folder = root / name / "apps";
        fs::create_directories(folder);
        const auto pixels = render(size);
        if (!stbi_write_png((folder / "zelidor.png").c_str(), size, size, 4, pixels.data(),
                            size * 4)) {
            std::fprintf(stderr, "cannot write %s\n", (folder / "zelidor.png").c_str());
            return 1;
        }
    }
    fs::create_directories(root / "scalable/apps");
    std::ofstream(root / "scalable/apps/zelidor.svg") << svg();
    return 0;
}
