// Text cut to a stored field of fixed width.
#pragma once
#include <cstddef>
#include <string>

namespace velkaro {

// text cut to width - 1 characters (the terminator takes the last), never
// splitting a surrogate pair; a width of 0 cuts nothing.
std::wstring CutToField(const std::wstring& text, size_t width);

}  // namespace velkaro
