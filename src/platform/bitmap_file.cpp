// .bmp files: header checks shared by both readers, the SDL-decoded picture loader, and writing.
#include "platform/bitmap_file.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>

#include "platform/files.h"
#include "platform/pixel_format.h"

namespace plat {

namespace {

constexpr std::uint32_t kInfoSizes[] = {40, 52, 56, 108, 124}; // later versions only add fields
constexpr int kBitCounts[] = {1, 4, 8, 16, 24, 32};
constexpr std::size_t kInfoAt = kBmpFileHeaderBytes;
constexpr std::size_t kMasksAt = kInfoAt + 40; // bit fields follow the first 40 bytes

std::uint16_t Le16(std::span<const std::uint8_t> b, std::size_t at)
{
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

std::uint32_t Le32(std::span<const std::uint8_t> b, std::size_t at)
{
    return static_cast<std::uint32_t>(b[at]) | (static_cast<std::uint32_t>(b[at + 1]) << 8) |
           (static_cast<std::uint32_t>(b[at + 2]) << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

DibInfoHeader ReadInfoHeader(std::span<const std::uint8_t> b)
{
    DibInfoHeader info;
    info.width = static_cast<std::int32_t>(Le32(b, kInfoAt + 4));
    info.height = static_cast<std::int32_t>(Le32(b, kInfoAt + 8));
    info.planes = Le16(b, kInfoAt + 12);
    info.bitCount = Le16(b, kInfoAt + 14);
    info.compression = Le32(b, kInfoAt + 16);
    info.sizeImage = Le32(b, kInfoAt + 20);
    info.xPelsPerMeter = static_cast<std::int32_t>(Le32(b, kInfoAt + 24));
    info.yPelsPerMeter = static_cast<std::int32_t>(Le32(b, kInfoAt + 28));
    info.clrUsed = Le32(b, kInfoAt + 32);
    info.clrImportant = Le32(b, kInfoAt + 36);
    return info;
}

bool DimensionsOk(const DibInfoHeader& info)
{
    return info.width >= 1 && info.width <= kMaxBmpSide && info.height != 0 &&
           info.height >= -kMaxBmpSide && info.height <= kMaxBmpSide;
}

bool FormatOk(const DibInfoHeader& info)
{
    if (info.planes != 1 || std::find(std::begin(kBitCounts), std::end(kBitCounts), info.bitCount) ==
                                std::end(kBitCounts))
        return false;
    if (info.compression == kCompressionBitfields)
        return info.bitCount == 16 || info.bitCount == 32;
    return info.compression == kCompressionRgb;
}

// Reads the file header and everything up to the pixel data into head; false when refused.
bool ReadHead(File& file, std::vector<std::uint8_t>& head)
{
    head.assign(kBmpFileHeaderBytes, 0);
    if (!file.readAll(head.data(), head.size()))
        return false;
    std::uint32_t offset = BmpPixelOffset(head);
    if (offset < kMasksAt || offset > kMaxBmpHeadBytes)
        return false;
    head.resize(offset);
    return file.readAll(head.data() + kBmpFileHeaderBytes, offset - kBmpFileHeaderBytes);
}

void SetLe32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}

std::size_t RowBytes(int bitCount, int width)
{
    return (static_cast<std::size_t>(bitCount) * static_cast<std::size_t>(width) + 31) / 32 * 4;
}

} // namespace

std::vector<std::uint8_t> ReadBmpBlock(const std::string& path, int width, int height)
{
    std::vector<std::uint8_t> bytes;
    File file = OpenFileForReading(path);
    if (!file || !ReadHead(file, bytes))
        return {};
    std::optional<BmpHeaders> headers = ParseBmpHeaders(bytes);
    if (!headers || width < 1 || height < 1)
        return {};
    const DibInfoHeader& info = headers->info;
    const int rows = info.height < 0 ? -info.height : info.height;
    const int keptWidth = std::min(info.width, width);
    const int keptRows = std::min(rows, height);
    const std::size_t stride = RowBytes(info.bitCount, info.width);
    const std::size_t keptStride = RowBytes(info.bitCount, keptWidth);
    std::uint8_t lastByte = 0;
    if (!file.seek(headers->pixelOffset + headers->pixelBytes - 1) || !file.readAll(&lastByte, 1))
        return {}; // a short file is refused whatever part of it is used
    // The top rows come last in a bottom-up file and first in a top-down one.
    const std::size_t firstRow = info.height > 0 ? static_cast<std::size_t>(rows - keptRows) : 0;
    bytes.resize(headers->pixelOffset + keptStride * static_cast<std::size_t>(keptRows));
    for (std::size_t r = 0; r < static_cast<std::size_t>(keptRows); ++r)
        if (!file.seek(headers->pixelOffset + (firstRow + r) * stride) ||
            !file.readAll(bytes.data() + headers->pixelOffset + r * keptStride, keptStride))
            return {};
    SetLe32(bytes, 2, static_cast<std::uint32_t>(bytes.size()));
    SetLe32(bytes, kInfoAt + 4, static_cast<std::uint32_t>(keptWidth));
    SetLe32(bytes, kInfoAt + 8, static_cast<std::uint32_t>(info.height < 0 ? -keptRows : keptRows));
    SetLe32(bytes, kInfoAt + 20, static_cast<std::uint32_t>(keptStride * static_cast<std::size_t>(keptRows)));
    return bytes;
}

namespace {

// Copies an SDL surface into a new screen bitmap (0x00RRGGBB); null when it cannot be made.
std::unique_ptr<Bitmap> ScreenBitmapFromSurface(SDL_Surface* loaded)
{
    SDL_Surface* rgb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGB888, 0);
    if (!rgb)
        return nullptr;
    std::unique_ptr<Bitmap> bitmap = CreateScreenBitmap(rgb->w, rgb->h);
    if (bitmap && SDL_LockSurface(rgb) == 0) {
        std::vector<std::uint32_t> line(static_cast<std::size_t>(rgb->w));
        for (int y = 0; y < rgb->h; ++y) {
            const auto* source = static_cast<const std::uint8_t*>(rgb->pixels) +
                                 static_cast<std::size_t>(y) * static_cast<std::size_t>(rgb->pitch);
            std::memcpy(line.data(), source, line.size() * 4);
            for (std::uint32_t& v : line)
                v &= 0x00FFFFFFu; // the unused byte is not promised to be zero
            bitmap->ops().writeValues(*bitmap, 0, y, rgb->w, line.data());
        }
        SDL_UnlockSurface(rgb);
    } else {
        bitmap.reset();
    }
    SDL_FreeSurface(rgb);
    return bitmap;
}

void PutLe16(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void PutLe32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    PutLe16(out, v & 0xFFFF);
    PutLe16(out, v >> 16);
}

void PutInfoHeader(std::vector<std::uint8_t>& out, const DibInfoHeader& info)
{
    PutLe32(out, 40);
    PutLe32(out, static_cast<std::uint32_t>(info.width));
    PutLe32(out, static_cast<std::uint32_t>(info.height));
    PutLe16(out, 1);
    PutLe16(out, info.bitCount);
    PutLe32(out, info.compression);
    PutLe32(out, info.sizeImage);
    PutLe32(out, static_cast<std::uint32_t>(info.xPelsPerMeter));
    PutLe32(out, static_cast<std::uint32_t>(info.yPelsPerMeter));
    PutLe32(out, info.clrUsed);
    PutLe32(out, info.clrImportant);
}

} // namespace

std::uint32_t BmpPixelOffset(std::span<const std::uint8_t> fileHeader)
{
    if (fileHeader.size() < static_cast<std::size_t>(kBmpFileHeaderBytes) || fileHeader[0] != 'B' ||
        fileHeader[1] != 'M')
        return 0;
    return Le32(fileHeader, 10);
}

std::optional<BmpHeaders> ParseBmpHeaders(std::span<const std::uint8_t> head)
{
    std::uint32_t offset = BmpPixelOffset(head);
    if (offset < kMasksAt || offset > head.size() || offset > kMaxBmpHeadBytes)
        return std::nullopt;
    std::uint32_t infoSize = Le32(head, kInfoAt);
    if (std::find(std::begin(kInfoSizes), std::end(kInfoSizes), infoSize) == std::end(kInfoSizes))
        return std::nullopt;
    BmpHeaders h;
    h.info = ReadInfoHeader(head);
    if (!DimensionsOk(h.info) || !FormatOk(h.info))
        return std::nullopt;
    bool bitfields = h.info.compression == kCompressionBitfields;
    std::size_t tableAt = kInfoAt + infoSize + (bitfields && infoSize == 40 ? 12 : 0);
    std::uint32_t entries = h.info.clrUsed != 0 ? h.info.clrUsed
                            : h.info.bitCount <= 8 ? (1u << h.info.bitCount)
                                                   : 0u;
    if (entries > 256 || tableAt + 4 * std::size_t{entries} > offset)
        return std::nullopt;
    for (std::uint32_t i = 0; i < entries; ++i) {
        std::size_t at = tableAt + 4 * std::size_t{i};
        h.colorTable.push_back(RgbQuad{head[at], head[at + 1], head[at + 2], 0});
    }
    for (int i = 0; bitfields && i < 3; ++i)
        h.masks[i] = Le32(head, kMasksAt + 4 * static_cast<std::size_t>(i));
    h.info.size = 40;
    h.pixelOffset = offset;
    std::size_t stride = (static_cast<std::size_t>(h.info.bitCount) * static_cast<std::size_t>(h.info.width) + 31) / 32 * 4;
    h.pixelBytes = stride * static_cast<std::size_t>(h.info.height < 0 ? -h.info.height : h.info.height);
    return h;
}

std::optional<BmpHeaders> ReadBmpHeaders(File& file)
{
    std::vector<std::uint8_t> head;
    if (!ReadHead(file, head))
        return std::nullopt;
    return ParseBmpHeaders(head);
}

std::unique_ptr<Bitmap> LoadBitmapFile(const std::string& path)
{
    return LoadBitmapBlock(path, kMaxBmpSide, kMaxBmpSide);
}

std::unique_ptr<Bitmap> LoadBitmapBlock(const std::string& path, int width, int height)
{
    std::vector<std::uint8_t> bytes = ReadBmpBlock(path, width, height);
    if (bytes.empty())
        return nullptr;
    SDL_RWops* rw = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    if (!rw)
        return nullptr;
    SDL_Surface* loaded = SDL_LoadBMP_RW(rw, 1);
    if (!loaded)
        return nullptr;
    std::unique_ptr<Bitmap> bitmap = ScreenBitmapFromSurface(loaded);
    SDL_FreeSurface(loaded);
    return bitmap;
}

bool SaveBitmapFile(const std::string& path, const Bitmap& dib)
{
    if (dib.kind() != BitmapKind::Dib)
        return false;
    DibInfoHeader info = dib.info();
    bool bitfields = info.compression == kCompressionBitfields;
    const std::vector<RgbQuad>& table = dib.colorTable();
    std::size_t tableBytes = bitfields ? 12 : 4 * table.size();
    // A full table is written with a used count of 0: a stated count would make index 0 black
    // in the game's own texture reader.
    bool fullTable = dib.bitCount() <= 8 && table.size() == (std::size_t{1} << dib.bitCount());
    info.clrUsed = bitfields || fullTable ? 0 : static_cast<std::uint32_t>(table.size());
    info.sizeImage = static_cast<std::uint32_t>(dib.bits().size());
    std::uint32_t offset = static_cast<std::uint32_t>(kMasksAt + tableBytes);

    std::vector<std::uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    PutLe32(out, static_cast<std::uint32_t>(offset + dib.bits().size()));
    PutLe32(out, 0);
    PutLe32(out, offset);
    PutInfoHeader(out, info);
    if (bitfields) {
        for (std::uint32_t mask : {dib.redMask(), dib.greenMask(), dib.blueMask()})
            PutLe32(out, mask);
    } else {
        for (const RgbQuad& q : table)
            out.insert(out.end(), {q.blue, q.green, q.red, 0});
    }
    out.insert(out.end(), dib.bits().begin(), dib.bits().end());
    File file = CreateReplacingFile(path);
    return file && file.write(out.data(), out.size()) && file.commit();
}

} // namespace plat
