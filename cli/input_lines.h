// The input of trasel-cli: the whole file in memory at once, and its lines
// as views into it (no copy per line).
#pragma once

#include <cstddef>
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

// The bytes of a file, or of standard input for "-". A regular file is
// mapped into memory rather than copied; anything else (a pipe, a terminal)
// is read into a buffer that grows as needed.
class InputText {
public:
    explicit InputText(const std::string& path);
    ~InputText();
    InputText(const InputText&) = delete;
    InputText& operator=(const InputText&) = delete;

    std::string_view Text() const { return {data_, size_}; }

private:
    const char* data_ = nullptr;
    std::size_t size_ = 0;
    void* mapping_ = nullptr;  // when mapped, for munmap
    std::string buffer_;       // when read
};

// Each line of the text is one entry, whatever its length: split on LF, one
// CR before the LF dropped, and no entry for the empty rest after a final
// line break. "a\r\nb\n" -> {"a", "b"}; "a\n\nb" -> {"a", "", "b"}.
std::vector<std::string_view> SplitLines(std::string_view text);

}  // namespace trasel::cli
