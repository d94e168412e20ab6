# Project-wide build options, applied per target through dorvek_target_defaults().

option(DORVEK_WARNINGS_AS_ERRORS "Treat compiler warnings as errors" OFF)
option(DORVEK_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

function(dorvek_target_defaults target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
  if(DORVEK_WARNINGS_AS_ERRORS)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
  if(DORVEK_SANITIZE)
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer
                                             -fno-sanitize-recover=all)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
  # With the fuzzers, the libraries they call must report their edges too, or libFuzzer
  # steers blind. The sanitizer runtimes supply the callbacks to every other binary.
  if(DORVEK_FUZZ)
    target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link)
  endif()
endfunction()
