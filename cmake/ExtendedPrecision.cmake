# Every formula of the calculation is carried in the 80-bit extended format
# (64-bit significand). Refuse a compiler whose long double is anything else,
# and keep the compiler from changing the rounding of any expression.
include(CheckCXXSourceCompiles)
check_cxx_source_compiles("
#include <limits>
static_assert(std::numeric_limits<long double>::digits == 64, \"no 64-bit significand\");
int main() { return 0; }
" TRASEL_HAS_EXTENDED_LONG_DOUBLE)
if(NOT TRASEL_HAS_EXTENDED_LONG_DOUBLE)
    message(FATAL_ERROR
        "Trasel needs a long double with a 64-bit significand (the x87 80-bit extended "
        "format, as GCC has on x86-64). This compiler's long double is different.")
endif()

foreach(flag IN ITEMS -ffast-math -Ofast -funsafe-math-optimizations -ffinite-math-only)
    if(CMAKE_CXX_FLAGS MATCHES "${flag}")
        message(FATAL_ERROR "Trasel must not be built with ${flag}: it changes the rounding of the listing.")
    endif()
endforeach()

# No fused multiply-add or other contraction: each product is rounded where it is written.
add_compile_options(-ffp-contract=off -fno-fast-math)
