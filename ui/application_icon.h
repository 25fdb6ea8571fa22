// The application icon: a comet with the dotted track of its predicted
// positions, shipped as a Qt resource in 32 and 128 pixels.
#pragma once

#include <QIcon>

namespace trasel {

QIcon ApplicationIcon();

}  // namespace trasel
