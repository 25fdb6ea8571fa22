#include "cli/input_lines.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace trasel::cli {
namespace {

std::string Reason(const std::string& what, const std::string& path)
{
    return what + " '" + path + "': " + std::strerror(errno);
}

// Reads to the end of the descriptor. A regular file is read into a buffer of
// its own size, so the peak memory stays at the size of the input.
std::string ReadAll(int descriptor, const std::string& name)
{
    std::string buffer;
    struct stat status {};
    if (fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0)
        buffer.resize(static_cast<std::size_t>(status.st_size));
    else
        buffer.resize(1 << 16);

    std::size_t filled = 0;
    for (;;) {
        // Full: probe with a small read first, so a file that ends where its
        // size said never doubles the buffer.
        char probe[1 << 12];
        const bool full = filled == buffer.size();
        char* target = full ? probe : buffer.data() + filled;
        const std::size_t room = full ? sizeof probe : buffer.size() - filled;
        const ssize_t got = read(descriptor, target, room);
        if (got == 0)
            break;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            throw InputError(Reason("cannot read", name));
        }
        if (full) {
            buffer.resize(buffer.size() * 2);
            std::memcpy(buffer.data() + filled, probe, static_cast<std::size_t>(got));
        }
        filled += static_cast<std::size_t>(got);
    }
    buffer.resize(filled);
    return buffer;
}

}  // namespace

std::string ReadWholeInput(const std::string& path)
{
    if (path == "-")
        return ReadAll(STDIN_FILENO, "standard input");
    const int descriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        throw InputError(Reason("cannot open", path));
    try {
        std::string text = ReadAll(descriptor, path);
        close(descriptor);
        return text;
    } catch (...) {
        close(descriptor);
        throw;
    }
}

std::vector<std::string_view> SplitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    lines.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            lines.push_back(text.substr(start));  // the last line has no line break
            break;
        }
        std::size_t length = end - start;
        if (length > 0 && text[end - 1] == '\r')
            --length;
        lines.push_back(text.substr(start, length));
        start = end + 1;
    }
    return lines;
}

}  // namespace trasel::cli
