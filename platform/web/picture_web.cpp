// Pictures on the page: the front-end has the browser decode each file and
// hands the pixels over before the item starts; they are found by file name,
// wherever the settings say the file lies.
#include <cwctype>
#include <map>

#include "platform/picture.h"

namespace velkaro {
namespace {

std::wstring FileName(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    for (wchar_t& c : name) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return name;
}

std::map<std::wstring, DecodedPicture>& Table() {
    static std::map<std::wstring, DecodedPicture> table;
    return table;
}

}  // namespace

bool LoadPicture(const std::wstring& path, DecodedPicture* out) {
    *out = DecodedPicture();
    auto it = Table().find(FileName(path));
    if (it == Table().end()) return false;
    const DecodedPicture& p = it->second;
    if (p.Width <= 0 || p.Height <= 0 ||
        p.Pixels.size() != static_cast<size_t>(p.Width) * static_cast<size_t>(p.Height))
        return false;
    *out = p;
    return true;
}

void RegisterNativePicture(const std::wstring& path, const DecodedPicture& picture) {
    Table()[FileName(path)] = picture;
}

void ClearNativePictures() { Table().clear(); }

}  // namespace velkaro
