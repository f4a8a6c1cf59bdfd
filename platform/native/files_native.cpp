#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/codepage.h"
#include "platform/files.h"

namespace velkaro {
namespace {

std::string NativePath(const std::wstring& path) { return ToUtf8(path); }

bool WriteAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

bool ReadFileBytes(const std::wstring& path, std::string* bytes) {
    std::FILE* f = std::fopen(NativePath(path).c_str(), "rb");
    if (!f) return false;
    std::string out;
    char buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) out.append(buf, n);
    const bool ok = !std::ferror(f);
    std::fclose(f);
    if (ok) *bytes = std::move(out);
    return ok;
}

bool FileMissing(const std::wstring& path) {
    struct stat st;
    if (::stat(NativePath(path).c_str(), &st) == 0) return false;
    return errno == ENOENT || errno == ENOTDIR;
}

bool ReplaceFileBytes(const std::wstring& path, const std::string& bytes, int* error) {
    const std::string target = NativePath(path);
    const std::string temp = target + ".new";
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) {
        if (error) *error = errno;
        return false;
    }
    bool ok = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    int err = ok ? 0 : errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (ok && std::rename(temp.c_str(), target.c_str()) != 0) {
        ok = false;
        err = errno;
    }
    if (!ok) {
        ::unlink(temp.c_str());
        if (error) *error = err;
    }
    return ok;
}

}  // namespace velkaro
