# The hardening Debian gives its own packages (dpkg-buildflags with hardening=+all): string and memory
# functions checked against their buffers, stack guards, relocations made read-only and bound at start,
# and a position-independent program. The sanitizer and fuzzing builds bring checks of their own, and
# _FORTIFY_SOURCE only works with the optimiser on, so Debug builds go without it.
include(CheckPIESupported)
check_pie_supported(LANGUAGES CXX)
set(CMAKE_POSITION_INDEPENDENT_CODE ON)

add_compile_options(-fstack-protector-strong -Wformat -Werror=format-security
                    "$<$<NOT:$<CONFIG:Debug>>:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2>")
add_link_options(-Wl,-z,relro -Wl,-z,now)
