// PNG files written with the platform's own encoder (WIC): the host's
// snapshots and the test pictures.
#pragma once
#include <cstdint>
#include <string>

namespace velkaro {

// Pixels are 0x00RRGGBB words, rows top-down, rowStride pixels apart (0 means
// width; a negative stride from the last row in memory reads a bottom-up
// buffer). False when the size is not positive or any step of encoding or
// writing fails; a file already at `path` is then left as it was.
bool WritePng(const std::wstring& path, const uint32_t* pixels, int width, int height, int rowStride = 0);

}  // namespace velkaro
