// Conversion between wide text and the 8-bit text of the category file: the
// device's code page (chosen at link time), and UTF-8 for texts it lacks.
#pragma once
#include <string>

namespace velkaro {

// Text in the device's code page. *fits (when given) becomes false when some
// character has no equivalent there and was replaced.
std::string ToCodePage(const std::wstring& text, bool* fits);
std::wstring FromCodePage(const std::string& bytes);

// UTF-8 without byte-order mark. Broken sequences and lone surrogates read and
// write as U+FFFD.
std::string ToUtf8(const std::wstring& text);
std::wstring FromUtf8(const std::string& bytes);

}  // namespace velkaro
