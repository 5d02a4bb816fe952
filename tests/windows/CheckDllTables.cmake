cmake_minimum_required(VERSION 3.22)

# Fails unless the Windows library LIBRARY (read with OBJDUMP) exports
# exactly the functions SYMBOL names (one, or several in alphabetical order
# separated by commas) and imports from Windows' own DLLs only: no
# compiler runtime (libgcc, libstdc++, winpthread) and no third-party DLL
# (zlib, libpng, libjpeg) that a user's machine would lack.
set(windows_dlls
    advapi32 bcrypt comctl32 comdlg32 crypt32 d2d1 d3d11 dwmapi dwrite dxgi gdi32 gdiplus imm32
    iphlpapi kernel32 msimg32 msvcrt ntdll ole32 oleaut32 opengl32 rpcrt4 setupapi shell32
    shlwapi ucrtbase user32 usp10 uxtheme version winhttp wininet winmm ws2_32 wsock32)

execute_process(COMMAND "${OBJDUMP}" -p "${LIBRARY}"
    OUTPUT_VARIABLE tables
    RESULT_VARIABLE result)

if(NOT result EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} failed on ${LIBRARY}")
endif()

string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${tables}")
set(foreign "")

foreach(line IN LISTS imports)
    string(REGEX REPLACE "DLL Name: ([^\n]+)" "\\1" dll "${line}")
    string(TOLOWER "${dll}" name)
    string(REGEX REPLACE "\\.dll$" "" name "${name}")

    if(NOT name IN_LIST windows_dlls AND NOT name MATCHES "^api-ms-win-")
        list(APPEND foreign "${dll}")
    endif()
endforeach()

if(imports STREQUAL "")
    message(FATAL_ERROR "${LIBRARY}: no import table found")
endif()

if(foreign)
    message(FATAL_ERROR "${LIBRARY} imports DLLs that are not Windows' own: ${foreign}")
endif()

# The export name table lists one "[ordinal] name" line per exported name.
string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table\n(\t\\[[^\n]*\n)*" table "${tables}")
string(REGEX MATCHALL "\t\\[ *[0-9]+\\] [^\n]+" exports "${table}")
list(TRANSFORM exports REPLACE "^\t\\[ *[0-9]+\\] " "")

string(REPLACE "," ";" expected "${SYMBOL}")

if(NOT exports STREQUAL "${expected}")
    message(FATAL_ERROR "${LIBRARY} exports [${exports}], not exactly [${expected}]")
endif()
