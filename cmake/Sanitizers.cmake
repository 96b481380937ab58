# The host build's test configuration runs everything under AddressSanitizer and UBSan, with the
# standard library's own bounds checks (a span or vector index past its end aborts).
option(DKL_SANITIZE "Build with -fsanitize=address,undefined" OFF)
if(DKL_SANITIZE)
  if(WIN32)
    message(FATAL_ERROR "DKL_SANITIZE is for the host build only")
  endif()
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_compile_definitions(_GLIBCXX_ASSERTIONS)
  add_link_options(-fsanitize=address,undefined)
endif()
