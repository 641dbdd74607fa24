# lirasto_warnings(<target>...)
#
# Every target of ours compiles with the same warnings; they are attached per target so that
# generated code and other projects built beside ours keep their own flags. With LIRASTO_WERROR
# (./dev test and CI) a warning fails the build.
option(LIRASTO_WERROR "Treat compiler warnings as errors" OFF)

function(lirasto_warnings)
    foreach(target IN LISTS ARGN)
        target_compile_options(${target} PRIVATE -Wall -Wextra $<$<BOOL:${LIRASTO_WERROR}>:-Werror>)
    endforeach()
endfunction()
