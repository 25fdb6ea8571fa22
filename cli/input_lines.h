// The input of trasel-cli: the whole file in memory at once, and its lines
// as views into it (no copy per line).
#pragma once

#include <cstddef>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace trasel::cli {

// A file that cannot be opened or read; the message names it and the reason.
class InputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The bytes of a file, or of standard input for "-", read into one buffer.
// A regular file is read in one go into a buffer of its size; a file that
// another program shortens or lengthens meanwhile gives the bytes that were
// there to read (not a fault, as a mapping of it would). Anything else (a
// pipe, a terminal) is read into a buffer that grows as needed.
class InputText {
public:
    explicit InputText(const std::string& path);
    InputText(const InputText&) = delete;
    InputText& operator=(const InputText&) = delete;

    std::string_view Text() const { return {buffer_.get(), size_}; }

private:
    struct FreeBytes {
        void operator()(char* bytes) const;
    };
    using Bytes = std::unique_ptr<char[], FreeBytes>;
    static Bytes Allocate(std::size_t capacity);
    static Bytes ReadAll(int descriptor, std::size_t expected, const std::string& name, std::size_t& size);

    Bytes buffer_;
    std::size_t size_ = 0;
};

// Each line of the text is one entry, whatever its length: split on LF, one
// CR before the LF dropped, and no entry for the empty rest after a final
// line break. "a\r\nb\n" -> {"a", "b"}; "a\n\nb" -> {"a", "", "b"}.
std::vector<std::string_view> SplitLines(std::string_view text);

}  // namespace trasel::cli
