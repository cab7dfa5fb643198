#include "Jpeg.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <jpeglib.h>

namespace {
struct TJpegErrorManager {
    jpeg_error_mgr Public;
    std::jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX];
};

extern "C" void JpegErrorExit(j_common_ptr info) {
    auto* err = reinterpret_cast<TJpegErrorManager*>(info->err);
    (*info->err->format_message)(info, err->Message);
    std::longjmp(err->Jump, 1);
}

extern "C" void JpegSilentMessage(j_common_ptr, int) {}

// Decodes into a 24-bit bitmap; returns an empty text on success, else libjpeg's message.
// No object with a destructor lives in this frame, so the long jump out of libjpeg is safe.
bool DecodeJpeg(const unsigned char* data, unsigned long size, TBitmap& bitmap, char* message) {
    jpeg_decompress_struct info;
    TJpegErrorManager err;
    info.err = jpeg_std_error(&err.Public);
    err.Public.error_exit = JpegErrorExit;
    err.Public.emit_message = JpegSilentMessage;
    if (setjmp(err.Jump)) {
        std::strncpy(message, err.Message, JMSG_LENGTH_MAX);
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, size);
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_EXT_BGR;  // the bitmap's own byte order
    jpeg_start_decompress(&info);
    if (std::int64_t(info.output_width) * info.output_height > MaxBitmapPixels) {
        std::strncpy(message, "Image too large", JMSG_LENGTH_MAX);
        jpeg_destroy_decompress(&info);
        return false;
    }
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(int(info.output_width), int(info.output_height));
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = bitmap.ScanLine(int(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}
}  // namespace

TJPEGImage::TJPEGImage() = default;
TJPEGImage::~TJPEGImage() = default;

std::unique_ptr<TGraphic> TJPEGImage::Clone() const {
    auto copy = std::make_unique<TJPEGImage>();
    copy->Assign(this);
    return copy;
}

void TJPEGImage::Assign(const TGraphic* source) {
    if (auto* jpeg = dynamic_cast<const TJPEGImage*>(source)) {
        FData = jpeg->FData;
        FBitmap.Assign(&jpeg->FBitmap);
        Changed();
        return;
    }
    TGraphic::Assign(source);
}

void TJPEGImage::AssignTo(TGraphic* dest) const {
    if (auto* bitmap = dynamic_cast<TBitmap*>(dest)) {
        bitmap->Assign(&FBitmap);
        return;
    }
    TGraphic::AssignTo(dest);
}

void TJPEGImage::Draw(TCanvas* canvas, const TRect& r) {
    FBitmap.Draw(canvas, r);
}

void TJPEGImage::LoadFromStream(TStream* stream) {
    const std::int64_t size = stream->Size() - stream->Position();
    if (size <= 0 || size > (std::int64_t(1) << 30))
        throw EJPEG(QStringLiteral("JPEG error #42: not a JPEG file"));
    QByteArray data(int(size), Qt::Uninitialized);
    stream->ReadBuffer(data.data(), size);
    TBitmap decoded;
    char message[JMSG_LENGTH_MAX] = {};
    if (!DecodeJpeg(reinterpret_cast<const unsigned char*>(data.constData()), (unsigned long)size, decoded,
                    message))
        throw EJPEG(QStringLiteral("JPEG error: %1").arg(QString::fromLocal8Bit(message)));
    FData = data;
    FBitmap.Assign(&decoded);
    Changed();
}

void TJPEGImage::SaveToStream(TStream* stream) {
    if (!FData.isEmpty()) stream->WriteBuffer(FData.constData(), FData.size());
}
