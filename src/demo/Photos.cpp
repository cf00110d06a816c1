#include "Photos.h"

#include "Random.h"

#include <QSaveFile>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

namespace tkd::demo {
namespace {

constexpr int kWidth = 295;
constexpr int kHeight = 413;
constexpr int kQuality = 85;

struct Rgb {
    int r, g, b;
};

Rgb mix(Rgb a, Rgb b, int num, int den)
{
    return {a.r + (b.r - a.r) * num / den, a.g + (b.g - a.g) * num / den, a.b + (b.b - a.b) * num / den};
}

bool inEllipse(int x, int y, int cx, int cy, int rx, int ry)
{
    const double dx = double(x - cx) / rx;
    const double dy = double(y - cy) / ry;
    return dx * dx + dy * dy <= 1.0;
}

std::vector<unsigned char> portrait(int seed)
{
    Rng rng(std::uint32_t(seed) * 2654435761u + 17u);
    static const Rgb backgrounds[] = {{67, 142, 219}, {230, 230, 232}, {196, 32, 38}};
    static const Rgb skins[] = {{241, 204, 178}, {226, 185, 152}, {205, 160, 125}};
    static const Rgb hairs[] = {{28, 24, 22}, {52, 38, 30}, {20, 20, 26}};
    const Rgb background = rng.pick(backgrounds);
    const Rgb skin = rng.pick(skins);
    const Rgb hair = rng.pick(hairs);
    const Rgb uniform{246, 246, 244};
    const int headX = 147 + rng.between(-8, 8);
    const int headY = 160 + rng.between(-10, 10);
    const int headW = rng.between(56, 66);
    const int hairLength = rng.between(0, 60);

    std::vector<unsigned char> rgb(size_t(kWidth) * kHeight * 3);
    std::uint32_t grain = std::uint32_t(seed) | 1u;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            Rgb c = mix(background, {255, 255, 255}, y, kHeight * 3);
            const bool face = inEllipse(x, y, headX, headY, headW, headW * 5 / 4);
            const bool hairTop = inEllipse(x, y, headX, headY - 22, headW + 8, headW + 4) && y < headY - 10;
            const bool hairSide = inEllipse(x, y, headX, headY + 10, headW + 10, headW + hairLength / 2 + 30) &&
                                  !face && y < headY + hairLength;
            const bool neck = x > headX - 24 && x < headX + 24 && y > headY + 60 && y < headY + 120;
            const bool body = inEllipse(x, y, headX, kHeight + 60, 150, 190);
            const bool collar = body && std::abs(x - headX) < (y - (kHeight - 190 + 60)) / 2 + 4 &&
                                std::abs(x - headX) > (y - (kHeight - 190 + 60)) / 2 - 6;
            if (body)
                c = collar ? Rgb{30, 30, 30} : mix(uniform, {200, 200, 205}, std::abs(x - headX), 300);
            else if (neck)
                c = mix(skin, {0, 0, 0}, 1, 8);
            if (hairTop || hairSide)
                c = hair;
            if (face && !hairTop) {
                // A little shading from the left, like a studio lamp.
                c = mix(skin, {120, 90, 70}, std::max(0, x - headX + headW / 2), headW * 6);
                if ((inEllipse(x, y, headX - headW / 3, headY - 5, 7, 4) ||
                     inEllipse(x, y, headX + headW / 3, headY - 5, 7, 4)))
                    c = {40, 30, 28};
                if (inEllipse(x, y, headX, headY + headW * 3 / 4, 14, 4))
                    c = {170, 90, 90};
            }
            grain = grain * 1664525u + 1013904223u;
            const int n = int(grain >> 28) - 8;
            unsigned char* p = &rgb[(size_t(y) * kWidth + size_t(x)) * 3];
            p[0] = static_cast<unsigned char>(std::clamp(c.r + n, 0, 255));
            p[1] = static_cast<unsigned char>(std::clamp(c.g + n, 0, 255));
            p[2] = static_cast<unsigned char>(std::clamp(c.b + n, 0, 255));
        }
    }
    return rgb;
}

QByteArray encode(const std::vector<unsigned char>& rgb)
{
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = kWidth;
    info.image_height = kHeight;
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, kQuality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<unsigned char*>(&rgb[size_t(info.next_scanline) * kWidth * 3]);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    QByteArray data(reinterpret_cast<const char*>(buffer), qsizetype(size));
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return data;
}

} // namespace

bool writePhoto(const QString& path, int seed)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray data = encode(portrait(seed));
    return file.write(data) == data.size() && file.commit();
}

} // namespace tkd::demo
