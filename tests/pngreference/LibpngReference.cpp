#include "LibpngReference.h"

#include <png.h>
#include <zlib.h>

#include <cstdio>
#include <cstring>

namespace {
struct TReadSource {
    const QByteArray* Data;
    size_t Position = 0;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t count) {
    auto* source = static_cast<TReadSource*>(png_get_io_ptr(png));
    if (source->Position + count > size_t(source->Data->size())) png_error(png, "read past the end");
    std::memcpy(out, source->Data->constData() + source->Position, count);
    source->Position += count;
}

void ErrorToString(png_structp png, png_const_charp message) {
    auto* error = static_cast<std::string*>(png_get_error_ptr(png));
    *error = message;
    png_longjmp(png, 1);
}

void IgnoreWarning(png_structp, png_const_charp) {}

void WriteToMemory(png_structp png, png_bytep data, png_size_t count) {
    static_cast<QByteArray*>(png_get_io_ptr(png))
        ->append(reinterpret_cast<const char*>(data), qsizetype(count));
}

void NoFlush(png_structp) {}
}  // namespace

namespace {
// Reads the whole image from what `attach` sets up, with `transform` set up after the header;
// returns libpng's message, or an empty text on success.
template <class Attach, class Transform>
std::string ReadWithLibpng(Attach attach, Transform transform, std::vector<std::uint8_t>& pixels, int& width,
                           int& height) {
    std::string error;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &error, ErrorToString, IgnoreWarning);
    png_infop info = png_create_info_struct(png);
    std::vector<png_bytep> rows;
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        pixels.clear();
        return error.empty() ? "libpng error" : error;
    }
    attach(png);
    png_read_info(png, info);
    transform(png, info);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    width = int(png_get_image_width(png, info));
    height = int(png_get_image_height(png, info));
    const size_t rowBytes = png_get_rowbytes(png, info);
    pixels.resize(rowBytes * size_t(height));
    for (int y = 0; y < height; ++y)
        rows.push_back(pixels.data() + size_t(y) * rowBytes);
    png_read_image(png, rows.data());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return std::string();
}
}  // namespace

TReferenceImage DecodeWithLibpng(const QByteArray& file, bool keep16) {
    TReferenceImage image;
    auto toRgba = [&](png_structp png, png_infop info) {
        const int depth = png_get_bit_depth(png, info);
        png_set_expand(png);
        if (!keep16 || depth < 16) png_set_strip_16(png);
        png_set_gray_to_rgb(png);
        png_set_filler(png, keep16 && depth == 16 ? 0xFFFF : 0xFF, PNG_FILLER_AFTER);
        image.BytesPerSample = keep16 && depth == 16 ? 2 : 1;
    };
    TReadSource source{&file};
    image.Error = ReadWithLibpng([&](png_structp png) { png_set_read_fn(png, &source, ReadFromMemory); },
                                 toRgba, image.Rgba, image.Width, image.Height);
    return image;
}

bool DecodeRawWithLibpng(const QByteArray& file, std::vector<std::uint8_t>& rows) {
    int width = 0, height = 0;
    TReadSource source{&file};
    return ReadWithLibpng([&](png_structp png) { png_set_read_fn(png, &source, ReadFromMemory); },
                          [](png_structp, png_infop) {}, rows, width, height)
        .empty();
}

bool DecodeFileWithLibpng(const char* path, std::vector<std::uint8_t>& rows) {
    FILE* file = std::fopen(path, "rb");
    if (!file) return false;
    int width = 0, height = 0;
    const bool ok = ReadWithLibpng([&](png_structp png) { png_init_io(png, file); },
                                   [](png_structp, png_infop) {}, rows, width, height)
                        .empty();
    std::fclose(file);
    return ok;
}

QByteArray EncodeWithLibpng(int width, int height, int colorType, int bitDepth, bool interlaced,
                            const std::vector<std::uint8_t>& rows, const std::vector<std::uint8_t>& palette,
                            const std::vector<std::uint8_t>& trns, const TReferenceEncoding& options) {
    QByteArray out;
    std::string error;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &error, ErrorToString, IgnoreWarning);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return QByteArray();
    }
    png_set_write_fn(png, &out, WriteToMemory, NoFlush);
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), bitDepth, colorType,
                 interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (!palette.empty())
        png_set_PLTE(png, info, reinterpret_cast<png_const_colorp>(palette.data()), int(palette.size() / 3));
    if (!trns.empty()) {
        png_color_16 key{};
        if (colorType == PNG_COLOR_TYPE_GRAY) key.gray = png_uint_16(trns[0] << 8 | trns[1]);
        if (colorType == PNG_COLOR_TYPE_RGB) {
            key.red = png_uint_16(trns[0] << 8 | trns[1]);
            key.green = png_uint_16(trns[2] << 8 | trns[3]);
            key.blue = png_uint_16(trns[4] << 8 | trns[5]);
        }
        png_set_tRNS(png, info, colorType == PNG_COLOR_TYPE_PALETTE ? trns.data() : nullptr, int(trns.size()),
                     colorType == PNG_COLOR_TYPE_PALETTE ? nullptr : &key);
    }
    png_set_compression_level(png, options.Level);
    if (options.DefaultStrategy) png_set_compression_strategy(png, Z_DEFAULT_STRATEGY);
    if (options.Filters >= 0) png_set_filter(png, PNG_FILTER_TYPE_BASE, options.Filters);
    png_write_info(png, info);
    const size_t rowBytes = rows.size() / size_t(height);
    std::vector<png_bytep> pointers;
    for (int y = 0; y < height; ++y)
        pointers.push_back(const_cast<png_bytep>(rows.data()) + size_t(y) * rowBytes);
    png_write_image(png, pointers.data());
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}
