#include "base/whole_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace base {

bool WriteWholeFile(const std::filesystem::path& path, std::string_view content,
                    std::string& reason) {
    const std::string temporary = path.string() + ".part";
    // Says why, closes the file if it is open, and removes what was written.
    const auto fail = [&](int file) {
        reason = std::strerror(errno);
        if (file >= 0) {
            ::close(file);
        }
        ::unlink(temporary.c_str());
        return false;
    };
    const int file = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (file < 0) {
        return fail(file);
    }
    for (std::size_t done = 0; done < content.size();) {
        const ssize_t n = ::write(file, content.data() + done, content.size() - done);
        if (n < 0 && errno != EINTR) {
            return fail(file);
        }
        done += n > 0 ? static_cast<std::size_t>(n) : 0;
    }
    if (::fsync(file) != 0) {
        return fail(file);
    }
    if (::close(file) != 0 || ::rename(temporary.c_str(), path.c_str()) != 0) {
        return fail(-1);
    }
    return true;
}

bool ReadFileStart(const std::filesystem::path& path, std::size_t limit, std::string& bytes,
                   std::string& reason) {
    const int file = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0) {
        reason = std::strerror(errno);
        return false;
    }
    bytes.assign(limit, '\0');
    std::size_t done = 0;
    while (done < limit) {
        const ssize_t n = ::read(file, &bytes[done], limit - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            reason = std::strerror(errno);
            ::close(file);
            return false;
        }
        if (n == 0) {
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    ::close(file);
    bytes.resize(done);
    return true;
}

} // namespace base
