# Every build option of the project, declared here before any file reads one, and the
# settings each target takes through dorvek_target_defaults().

option(DORVEK_WARNINGS_AS_ERRORS "Treat compiler warnings as errors" OFF)
option(DORVEK_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(DORVEK_FUZZ "Build the libFuzzer targets (clang only) and run each briefly as a test" OFF)
set(DORVEK_FUZZ_SECONDS 30 CACHE STRING "How long each fuzzer runs as a test")
option(DORVEK_BENCHMARKS "Build the benchmarks in bench/" OFF)
set(DORVEK_HOMEPAGE "https://dorvek.example" CACHE STRING
    "Project home page, named in the metainfo and the package")

function(dorvek_target_defaults target)
  target_compile_features(${target} PUBLIC cxx_std_20)
  set_target_properties(${target} PROPERTIES CXX_EXTENSIONS OFF)
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
