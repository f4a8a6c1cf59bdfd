#include <map>

#include "platform/picture.h"

namespace velkaro {
namespace {
std::map<std::wstring, DecodedPicture>& Table() {
    static std::map<std::wstring, DecodedPicture> table;
    return table;
}
}  // namespace

bool LoadPicture(const std::wstring& path, DecodedPicture* out) {
    *out = DecodedPicture();
    auto it = Table().find(path);
    if (it == Table().end()) return false;
    const DecodedPicture& p = it->second;
    if (p.Width <= 0 || p.Height <= 0 ||
        p.Pixels.size() != static_cast<size_t>(p.Width) * static_cast<size_t>(p.Height))
        return false;
    *out = p;
    return true;
}

void RegisterNativePicture(const std::wstring& path, const DecodedPicture& picture) {
    Table()[path] = picture;
}

void ClearNativePictures() { Table().clear(); }

}  // namespace velkaro
