// Opening the project's web address with the desktop's handler for it.
#pragma once

#include <QUrl>

#include <functional>
#include <string_view>

namespace trasel {

// Hands the address to the desktop. Whether it could be opened is not
// examined: a failure shows nothing.
void OpenWebAddress(std::string_view address);

// When set, receives the address instead of the desktop.
std::function<void(const QUrl&)>& WebOpenerForTesting();

}  // namespace trasel
