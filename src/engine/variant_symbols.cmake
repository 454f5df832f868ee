# Fails the build when an object of the engine built for a newer processor (SSSE3, AVX2)
# defines weak code: an inline or template function compiled there may be the copy the linker
# keeps for every caller, and code built for AVX2 would then run on processors without it.
# (Weak data, such as the type descriptions a sanitizer adds, runs nowhere.) Run as: cmake -DNM=... -DARCHIVE=... -P variant_symbols.cmake
execute_process(COMMAND "${NM}" -g --defined-only -A "${ARCHIVE}"
                OUTPUT_VARIABLE symbols RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "Cannot list the symbols of ${ARCHIVE}")
endif()
string(REGEX MATCHALL "[^\n]*(byte_skip|unit_narrowing)_(avx2|ssse3)[^\n:]*\\.o:[0-9a-fA-F]* [Ww] [^\n]*"
       shared "${symbols}")
if(shared)
    string(REPLACE ";" "\n" shared "${shared}")
    message(FATAL_ERROR "The processor variants of the engine define weak functions, which the "
                        "linker may give to every caller; keep them in an anonymous namespace "
                        "or use builtins:\n${shared}")
endif()
