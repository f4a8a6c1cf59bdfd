// PNG encoder for the default pictures and the host's snapshots. Portable,
// no outside library: zlib stream of stored deflate blocks.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace velkaro {

// Pixels are 0x00RRGGBB words (0xAARRGGBB when withAlpha), rows top-down.
// rowStride is in pixels between the starts of successive rows; 0 means
// width. A negative stride with a pointer to the last row in memory reads a
// bottom-up buffer. Fails (returns false) on a non-positive size or a null
// pointer.
bool EncodePng(const std::uint32_t* pixels, int width, int height, bool withAlpha,
               std::vector<std::uint8_t>* out, int rowStride = 0);

// Writes the encoded file; false when encoding or any file operation fails.
bool WritePngFile(const std::string& path, const std::uint32_t* pixels, int width, int height, bool withAlpha,
                  int rowStride = 0);

// Checksums of the file format, exposed for tests and other writers.
// Pass the previous result to continue over more data.
std::uint32_t Crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0);
std::uint32_t Adler32(const std::uint8_t* data, std::size_t size, std::uint32_t adler = 1);

}  // namespace velkaro
