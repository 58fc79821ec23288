# One INTERFACE target carries the language standard, warnings and strict Qt
# defines; every target of the project links it instead of setting flags itself.
add_library(zelvori_common INTERFACE)
target_compile_features(zelvori_common INTERFACE cxx_std_20)
target_compile_options(zelvori_common INTERFACE
  -Wall -Wextra -Wpedantic -Werror
  -Wno-error=deprecated-declarations
  # g++ 12 at -O2/-O3 reports "may be used uninitialized" inside the standard
  # library's std::variant when an initializer list of wire values is
  # inlined; the warning stays visible, only the optimised build no longer
  # fails on it.
  $<$<AND:$<CXX_COMPILER_ID:GNU>,$<NOT:$<CONFIG:Debug>>>:-Wno-error=maybe-uninitialized>)
target_compile_definitions(zelvori_common INTERFACE
  QT_NO_CAST_FROM_ASCII
  QT_NO_CAST_TO_ASCII
  QT_NO_CAST_FROM_BYTEARRAY
  QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
  QT_NO_URL_CAST_FROM_STRING
  QT_STRICT_ITERATORS
  QT_USE_QSTRINGBUILDER
  QT_NO_FOREACH)
if(ZELVORI_SANITIZE STREQUAL "address")
  target_compile_options(zelvori_common INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer)
  target_link_options(zelvori_common INTERFACE -fsanitize=address,undefined)
elseif(ZELVORI_SANITIZE STREQUAL "thread")
  target_compile_options(zelvori_common INTERFACE -fsanitize=thread -fno-omit-frame-pointer)
  target_link_options(zelvori_common INTERFACE -fsanitize=thread)
endif()

# Third-party headers are included as system headers so that their warnings do
# not fail our -Werror build.
# Debian ships cpp-httplib as a compiled library built with OpenSSL, zlib and
# brotli support; its pkg-config flags must be used so that our view of its
# classes has the same layout as the library's.
pkg_check_modules(HTTPLIB REQUIRED IMPORTED_TARGET cpp-httplib)
add_library(zelvori_httplib INTERFACE)
target_link_libraries(zelvori_httplib INTERFACE PkgConfig::HTTPLIB Threads::Threads)
target_compile_definitions(zelvori_httplib INTERFACE CPPHTTPLIB_THREAD_POOL_COUNT=16)

pkg_check_modules(XLSXWRITER REQUIRED IMPORTED_TARGET xlsxwriter)

# zelvori_add_test(NAME tst_x SOURCES tst_x.cpp LIBS ...) builds one Qt Test
# executable and registers it with CTest on the offscreen platform.
function(zelvori_add_test)
  cmake_parse_arguments(T "" "NAME;TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE zelvori_common Qt6::Test ${T_LIBS})
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  set_tests_properties(${T_NAME} PROPERTIES TIMEOUT ${T_TIMEOUT}
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ZELVORI_TEST=1")
endfunction()

# Includes are written from the source root: #include "core/baglantiu.h".
target_include_directories(zelvori_common INTERFACE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR})
