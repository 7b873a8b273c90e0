#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <stdexcept>
#include <string>
#include <string_view>

// The yardstick for deck I/O: the same files read and written with bare system calls and
// no parsing. A durable write is what every deck write is (bytes, fsync, rename), so the
// two compare like with like.
namespace cardwise::bench {

inline std::string plainRead(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) throw std::runtime_error("cannot open " + path);
    struct stat st {};
    ::fstat(fd, &st);
    std::string bytes(static_cast<std::size_t>(st.st_size), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0) break;
        done += static_cast<std::size_t>(n);
    }
    ::close(fd);
    bytes.resize(done);
    return bytes;
}

inline void plainWrite(const std::string& path, std::string_view bytes, bool durable) {
    const std::string temp = durable ? path + ".tmp" : path;
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) throw std::runtime_error("cannot create " + temp);
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0) throw std::runtime_error("cannot write " + temp);
        done += static_cast<std::size_t>(n);
    }
    if (durable) ::fsync(fd);
    ::close(fd);
    if (durable) ::rename(temp.c_str(), path.c_str());
}

}  // namespace cardwise::bench
