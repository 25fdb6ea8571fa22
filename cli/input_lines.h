// The input of trasel-cli: the whole file in one buffer, and its lines as
// views into that buffer (no copy per line).
#pragma once

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

// The bytes of the file at path, or of standard input when path is "-".
std::string ReadWholeInput(const std::string& path);

// Each line of the text is one entry, whatever its length: split on LF, one
// CR before the LF dropped, and no entry for the empty rest after a final
// line break. "a\r\nb\n" -> {"a", "b"}; "a\n\nb" -> {"a", "", "b"}.
std::vector<std::string_view> SplitLines(std::string_view text);

}  // namespace trasel::cli
