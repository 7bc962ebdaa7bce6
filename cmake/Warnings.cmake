# One interface target carries the warning flags of the project's own code.
add_library(varp_warnings INTERFACE)
target_compile_options(varp_warnings INTERFACE
    -Wall -Wextra -Wshadow -Wconversion -Wno-sign-conversion -pedantic)
if(VARP_WERROR)
    target_compile_options(varp_warnings INTERFACE -Werror)
endif()
