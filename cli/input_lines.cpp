#include "cli/input_lines.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace trasel::cli {
namespace {

std::string Reason(const std::string& what, const std::string& name)
{
    return what + " '" + name + "': " + std::strerror(errno);
}

// Reads to the end of a descriptor that cannot be mapped.
std::string ReadAll(int descriptor, const std::string& name)
{
    std::string buffer;
    char chunk[1 << 16];
    for (;;) {
        const ssize_t got = read(descriptor, chunk, sizeof chunk);
        if (got == 0)
            return buffer;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            throw InputError(Reason("cannot read", name));
        }
        buffer.append(chunk, static_cast<std::size_t>(got));
    }
}

// Closes the descriptor on every way out of the constructor.
struct Descriptor {
    int value;
    ~Descriptor()
    {
        if (value > STDIN_FILENO)
            close(value);
    }
};

}  // namespace

InputText::InputText(const std::string& path)
{
    const bool standardInput = path == "-";
    const std::string name = standardInput ? "standard input" : path;
    const Descriptor descriptor{standardInput ? STDIN_FILENO : open(path.c_str(), O_RDONLY | O_CLOEXEC)};
    if (descriptor.value < 0)
        throw InputError(Reason("cannot open", name));

    // Mapping shares the pages the system already holds for the file: no
    // copy and no second buffer of the file's size.
    struct stat status {};
    if (fstat(descriptor.value, &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0) {
        const auto size = static_cast<std::size_t>(status.st_size);
        void* mapping = mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, descriptor.value, 0);
        if (mapping != MAP_FAILED) {
            mapping_ = mapping;
            data_ = static_cast<const char*>(mapping);
            size_ = size;
            return;
        }
    }
    buffer_ = ReadAll(descriptor.value, name);
    data_ = buffer_.data();
    size_ = buffer_.size();
}

InputText::~InputText()
{
    if (mapping_ != nullptr)
        munmap(mapping_, size_);
}

std::vector<std::string_view> SplitLines(std::string_view text)
{
    if (text.empty())
        return {};
    // Counted first, so the list is allocated once at its final size.
    std::size_t breaks = 0;
    for (const char* at = text.data(); (at = static_cast<const char*>(std::memchr(at, '\n', text.data() + text.size() - at)));
         ++at)
        ++breaks;
    std::vector<std::string_view> lines;
    lines.reserve(breaks + 1);
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
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
