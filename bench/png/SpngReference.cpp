#include "SpngReference.h"

#include <spng.h>

#include <cstdio>

namespace {
bool DecodeWith(spng_ctx* context, std::vector<std::uint8_t>& rows) {
    size_t size = 0;
    bool ok = spng_decoded_image_size(context, SPNG_FMT_RAW, &size) == 0;
    if (ok) {
        rows.resize(size);
        ok = spng_decode_image(context, rows.data(), size, SPNG_FMT_RAW, 0) == 0;
    }
    spng_ctx_free(context);
    return ok;
}
}  // namespace

bool DecodeRawWithSpng(const QByteArray& file, std::vector<std::uint8_t>& rows) {
    spng_ctx* context = spng_ctx_new(0);
    if (!context) return false;
    spng_set_png_buffer(context, file.constData(), size_t(file.size()));
    return DecodeWith(context, rows);
}

bool DecodeFileWithSpng(const char* path, std::vector<std::uint8_t>& rows) {
    FILE* file = std::fopen(path, "rb");
    if (!file) return false;
    spng_ctx* context = spng_ctx_new(0);
    bool ok = context != nullptr;
    if (ok) {
        spng_set_png_file(context, file);
        ok = DecodeWith(context, rows);
    }
    std::fclose(file);
    return ok;
}
