#include "platform/png_writer.h"

#include <array>
#include <cstdio>

namespace velkaro {

namespace {

const std::array<std::uint32_t, 256>& CrcTable() {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    return table;
}

void PutBe32(std::vector<std::uint8_t>* out, std::uint32_t v) {
    out->push_back(static_cast<std::uint8_t>(v >> 24));
    out->push_back(static_cast<std::uint8_t>(v >> 16));
    out->push_back(static_cast<std::uint8_t>(v >> 8));
    out->push_back(static_cast<std::uint8_t>(v));
}

// Length, type, data, then the CRC over type and data.
void PutChunk(std::vector<std::uint8_t>* out, const char type[5], const std::uint8_t* data,
              std::size_t size) {
    PutBe32(out, static_cast<std::uint32_t>(size));
    std::size_t typeAt = out->size();
    out->insert(out->end(), type, type + 4);
    if (size) out->insert(out->end(), data, data + size);
    PutBe32(out, Crc32(out->data() + typeAt, size + 4));
}

}  // namespace

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc) {
    const std::array<std::uint32_t, 256>& t = CrcTable();
    crc = ~crc;
    for (std::size_t i = 0; i < size; ++i) crc = t[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

std::uint32_t Adler32(const std::uint8_t* data, std::size_t size, std::uint32_t adler) {
    const std::uint32_t mod = 65521;
    std::uint32_t a = adler & 0xFFFF, b = adler >> 16;
    while (size) {
        // 5552 bytes is the most that cannot overflow 32 bits before the modulo.
        std::size_t n = size < 5552 ? size : 5552;
        size -= n;
        while (n--) {
            a += *data++;
            b += a;
        }
        a %= mod;
        b %= mod;
    }
    return (b << 16) | a;
}

bool EncodePng(const std::uint32_t* pixels, int width, int height, bool withAlpha,
               std::vector<std::uint8_t>* out, int rowStride) {
    if (!pixels || !out || width <= 0 || height <= 0) return false;
    if (rowStride == 0) rowStride = width;
    const std::size_t channels = withAlpha ? 4 : 3;
    const std::size_t rowBytes = 1 + channels * static_cast<std::size_t>(width);

    // Scanlines, each led by filter type 0 (none).
    std::vector<std::uint8_t> raw;
    raw.reserve(rowBytes * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* row = pixels + static_cast<std::ptrdiff_t>(y) * rowStride;
        raw.push_back(0);
        for (int x = 0; x < width; ++x) {
            std::uint32_t p = row[x];
            raw.push_back(static_cast<std::uint8_t>(p >> 16));
            raw.push_back(static_cast<std::uint8_t>(p >> 8));
            raw.push_back(static_cast<std::uint8_t>(p));
            if (withAlpha) raw.push_back(static_cast<std::uint8_t>(p >> 24));
        }
    }

    // zlib stream: header (deflate, 32K window, no dictionary, fastest), stored
    // blocks of at most 65535 bytes, Adler-32 of the raw data.
    std::vector<std::uint8_t> z;
    z.reserve(raw.size() + raw.size() / 65535 * 5 + 16);
    z.push_back(0x78);
    z.push_back(0x01);
    std::size_t at = 0;
    do {
        std::size_t n = raw.size() - at;
        if (n > 65535) n = 65535;
        bool last = at + n == raw.size();
        z.push_back(last ? 1 : 0);
        z.push_back(static_cast<std::uint8_t>(n));
        z.push_back(static_cast<std::uint8_t>(n >> 8));
        z.push_back(static_cast<std::uint8_t>(~n));
        z.push_back(static_cast<std::uint8_t>(~n >> 8));
        z.insert(z.end(), raw.begin() + static_cast<std::ptrdiff_t>(at),
                 raw.begin() + static_cast<std::ptrdiff_t>(at + n));
        at += n;
    } while (at < raw.size());
    PutBe32(&z, Adler32(raw.data(), raw.size()));
    if (z.size() > 0x7FFFFFFFu) return false;  // one IDAT chunk's length limit

    std::vector<std::uint8_t> ihdr;
    PutBe32(&ihdr, static_cast<std::uint32_t>(width));
    PutBe32(&ihdr, static_cast<std::uint32_t>(height));
    ihdr.push_back(8);                  // bits per channel
    ihdr.push_back(withAlpha ? 6 : 2);  // truecolour, with or without alpha
    ihdr.push_back(0);                  // deflate
    ihdr.push_back(0);                  // adaptive filtering
    ihdr.push_back(0);                  // not interlaced

    static const std::uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    out->assign(signature, signature + 8);
    PutChunk(out, "IHDR", ihdr.data(), ihdr.size());
    PutChunk(out, "IDAT", z.data(), z.size());
    PutChunk(out, "IEND", nullptr, 0);
    return true;
}

bool WritePngFile(const std::string& path, const std::uint32_t* pixels, int width, int height, bool withAlpha,
                  int rowStride) {
    std::vector<std::uint8_t> bytes;
    if (!EncodePng(pixels, width, height, withAlpha, &bytes, rowStride)) return false;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    if (std::fclose(f) != 0) ok = false;
    return ok;
}

}  // namespace velkaro
