#include "cli/input_lines.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <new>
#include <memory>

namespace trasel::cli {
namespace {

std::string Reason(const std::string& what, const std::string& name)
{
    return what + " '" + name + "': " + std::strerror(errno);
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

void InputText::FreeBytes::operator()(char* bytes) const
{
    std::free(bytes);
}

// A large buffer is asked for in 2 MB pages where the system offers them
// (transparent huge pages on request): reading an 81 MB file then takes
// about 40 page faults instead of 20,000, which cost more than the copy.
InputText::Bytes InputText::Allocate(std::size_t capacity)
{
    constexpr std::size_t kHugePage = std::size_t{2} << 20;
    void* bytes = nullptr;
    if (capacity >= kHugePage) {
        const std::size_t rounded = (capacity + kHugePage - 1) / kHugePage * kHugePage;
        bytes = std::aligned_alloc(kHugePage, rounded);
        if (bytes != nullptr)
            madvise(bytes, rounded, MADV_HUGEPAGE);  // advice only: refused, the pages stay small
    } else {
        bytes = std::malloc(capacity);
    }
    if (bytes == nullptr)
        throw std::bad_alloc();
    return Bytes(static_cast<char*>(bytes));
}

// Reads to the end of the descriptor into one buffer of `expected` bytes
// and one more (which tells the end from a file that grew); the buffer
// doubles when it fills. Not zero-filled first: read(2) writes every byte
// that counts.
InputText::Bytes InputText::ReadAll(int descriptor, std::size_t expected, const std::string& name, std::size_t& size)
{
    std::size_t capacity = expected + 1;
    Bytes buffer = Allocate(capacity);
    size = 0;
    for (;;) {
        if (size == capacity) {
            const std::size_t larger = capacity < (std::size_t{1} << 16) ? std::size_t{1} << 16 : 2 * capacity;
            Bytes grown = Allocate(larger);
            std::memcpy(grown.get(), buffer.get(), size);
            buffer = std::move(grown);
            capacity = larger;
        }
        const ssize_t got = read(descriptor, buffer.get() + size, capacity - size);
        if (got == 0)
            return buffer;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            throw InputError(Reason("cannot read", name));
        }
        size += static_cast<std::size_t>(got);
    }
}

InputText::InputText(const std::string& path)
{
    const bool standardInput = path == "-";
    const std::string name = standardInput ? "standard input" : path;
    const Descriptor descriptor{standardInput ? STDIN_FILENO : open(path.c_str(), O_RDONLY | O_CLOEXEC)};
    if (descriptor.value < 0)
        throw InputError(Reason("cannot open", name));

    // A regular file's size sizes the buffer; a pipe starts small and grows.
    struct stat status {};
    std::size_t expected = 0;
    if (fstat(descriptor.value, &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0)
        expected = static_cast<std::size_t>(status.st_size);
    buffer_ = ReadAll(descriptor.value, expected, name, size_);
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
