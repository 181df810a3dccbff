# Compiler checks for every target of ours, carried by one interface target that the top-level
# CMakeLists.txt links to all of them. Qt, GoogleTest and cpp-httplib come in as imported
# targets, so their headers are system headers and stay quiet.
option(GAMEBOX_WERROR "Treat compiler warnings as errors (the CI build turns this on)" OFF)

add_library(gamebox_compile_checks INTERFACE)
target_compile_options(gamebox_compile_checks INTERFACE -Wall -Wextra -Wpedantic
    $<$<BOOL:${GAMEBOX_WERROR}>:-Werror>)
# Qt's opt-outs of implicit conversions that hide mistakes: a file path taken for a URL, a
# QByteArray silently passed as a C string, a signal's value narrowed on its way to a slot.
# Implicit QString from char literals stays (QT_NO_CAST_FROM_ASCII): the tree's text is UTF-8,
# and portal bytes are decoded explicitly where they come in.
target_compile_definitions(gamebox_compile_checks INTERFACE
    QT_NO_URL_CAST_FROM_STRING
    QT_NO_CAST_FROM_BYTEARRAY
    QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
    QT_NO_FOREACH)
