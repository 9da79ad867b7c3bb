# The release build is the one that gets installed: it carries the hardening
# that Debian's tools build with (dpkg-buildflags), so that the packaged
# programs are as hard to exploit as the system's own. Fortified sources need
# an optimising build; the sanitizer and debug builds keep their own flags.
if(CMAKE_BUILD_TYPE STREQUAL "RelWithDebInfo")
  set(audio77_hardening_default ON)
else()
  set(audio77_hardening_default OFF)
endif()
option(AUDIO77_HARDENING "Fortified sources, stack protection and full RELRO" ${audio77_hardening_default})
if(AUDIO77_HARDENING)
  add_compile_options(-U_FORTIFY_SOURCE -D_FORTIFY_SOURCE=2 -fstack-protector-strong
                      -fstack-clash-protection -fcf-protection)
  add_link_options(-Wl,-z,relro -Wl,-z,now)
endif()
