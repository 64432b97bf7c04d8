#include "display/bitmap_file.h"

namespace {

constexpr uint64_t kFileHeaderBytes = 14;
constexpr uint32_t kCoreHeaderBytes = 12;  // the old OS/2 header: 16-bit sizes
constexpr uint32_t kInfoHeaderBytes = 40;
constexpr uint32_t kUncompressed = 0;
constexpr uint32_t kBitFields = 3;

uint32_t Read16(const unsigned char* p) {
    return static_cast<uint32_t>(p[0] | (p[1] << 8));
}

uint32_t Read32(const unsigned char* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

struct BitmapShape {
    uint64_t width;
    uint64_t height;
    uint32_t bitCount;
    uint32_t compression;
    uint64_t imageBytes;  // as the header states it; 0 is allowed for uncompressed pixels
};

bool ReadShape(const unsigned char* head, int32_t headLength, uint32_t infoBytes,
               BitmapShape& shape) {
    if (infoBytes == kCoreHeaderBytes) {
        if (headLength < 26) return false;
        shape = {Read16(head + 18), Read16(head + 20), Read16(head + 24), kUncompressed, 0};
        return true;
    }
    if (infoBytes < kInfoHeaderBytes || headLength < kBitmapHeadBytes) return false;
    const auto width = static_cast<int32_t>(Read32(head + 18));
    const auto height = static_cast<int32_t>(Read32(head + 22));
    if (width <= 0 || height == 0 || height == INT32_MIN) return false;
    const uint64_t rows =
        static_cast<uint64_t>(height < 0 ? -static_cast<int64_t>(height) : height);
    shape = {static_cast<uint64_t>(width), rows, Read16(head + 28), Read32(head + 30),
             Read32(head + 34)};
    return true;
}

// Bytes of pixel data the header promises.
uint64_t PixelBytes(const BitmapShape& shape) {
    if (shape.compression != kUncompressed && shape.compression != kBitFields) {
        return shape.imageBytes;  // compressed: only the stated size tells
    }
    const uint64_t rowBytes = (shape.width * shape.bitCount + 31) / 32 * 4;
    return rowBytes * shape.height;
}

bool KnownBitCount(uint32_t bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

}  // namespace

bool BitmapFitsFile(const unsigned char* head, int32_t headLength, uint64_t fileSize) {
    if (head == nullptr || headLength < 18 || head[0] != 'B' || head[1] != 'M') return false;
    const uint64_t pixelOffset = Read32(head + 10);
    const uint32_t infoBytes = Read32(head + 14);
    BitmapShape shape{};
    if (!ReadShape(head, headLength, infoBytes, shape)) return false;
    if (shape.width == 0 || shape.height == 0 || !KnownBitCount(shape.bitCount)) return false;
    if (shape.width > kMaxSkinSide || shape.height > kMaxSkinSide) return false;
    const uint64_t pixels = PixelBytes(shape);
    if (pixels == 0) return false;
    return pixelOffset >= kFileHeaderBytes + infoBytes && pixelOffset <= fileSize &&
           pixels <= fileSize - pixelOffset;
}
