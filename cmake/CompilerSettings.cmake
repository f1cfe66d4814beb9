# Compiler settings shared by every target of the project.
#
# Narrow string literals are encoded in code page 936 (GBK), the code page of
# the systems the program targets: messages, labels and file lines are
# written by the program exactly as they stand in the sources.

function(qb_target_defaults target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /source-charset:utf-8 /execution-charset:.936)
  elseif(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    # Clang has no GBK execution character set, so its narrow literals stay
    # UTF-8. Only the fuzz build uses clang, and no fuzz target compares the
    # bytes of a message or file line.
    target_compile_options(${target} PRIVATE -Wall -Wextra)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -fexec-charset=GBK)
  endif()
  if(WIN32)
    target_compile_definitions(${target} PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
                               _WIN32_WINNT=0x0601 WINVER=0x0601)
  endif()
endfunction()

# Sources whose functions run inside other programs that load quillbox.exe
# without relocating it or binding its imports: no calls into the runtime
# (no memset/memcpy for plain loops, no stack checks) and no constants the
# compiler would put in memory (vector constants of vectorized loops).
function(qb_self_contained_sources)
  if(MSVC)
    set_source_files_properties(${ARGN} PROPERTIES COMPILE_OPTIONS "/GS-;/Oi-")
  elseif(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    set_source_files_properties(${ARGN} PROPERTIES COMPILE_OPTIONS
      "-fno-builtin;-fno-stack-protector;-fno-exceptions")
  else()
    set_source_files_properties(${ARGN} PROPERTIES COMPILE_OPTIONS
      "-fno-tree-loop-distribute-patterns;-fno-builtin;-fno-stack-protector;-fno-exceptions;-fno-tree-vectorize")
  endif()
endfunction()

if(QB_SANITIZE AND NOT MSVC)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()

# The fuzz build: coverage for libFuzzer in every object, the sanitizers
# everywhere; the targets link libFuzzer's main (tests/fuzz).
if(QB_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()

if(WIN32 AND NOT MSVC)
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()
