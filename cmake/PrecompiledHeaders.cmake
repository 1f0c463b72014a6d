# Precompiled headers: the standard and Qt headers most of our files include
# are parsed once per build instead of once per file (a test file spends
# most of its compile time in them). Every file still includes what it
# uses, so the build works the same with -DTESSAFORM_PCH=OFF.
#
# A precompiled header is only valid for files compiled with the same flags
# and macros (and GCC tells -fPIC libraries from -fPIE programs), so targets
# share one through REUSE_FROM only where their flags match: the libraries
# share the platform library's, the test programs the core tests', the
# window tests one of their own.
option(TESSAFORM_PCH "Precompile the common standard and Qt headers" ON)

set(TESSAFORM_PCH_PRODUCT
  <algorithm> <array> <cstdint> <filesystem> <fstream> <functional> <map>
  <memory> <optional> <string> <string_view> <system_error> <vector>
  <QCoreApplication> <QDir> <QFileInfo> <QImage> <QString> <QStringList>)
set(TESSAFORM_PCH_WIDGETS <QWidget> <QLabel> <QPushButton> <QCheckBox> <QLineEdit>)
set(TESSAFORM_PCH_TESTS <gtest/gtest.h>)
set(TESSAFORM_PCH_WINDOW_TESTS <QApplication> <QTest>)

# tessaform_precompile(TARGET [WIDGETS] [TESTS] [WINDOW_TESTS])
#   gives TARGET a precompiled header of the product headers and of the
#   named groups.
# tessaform_precompile(TARGET REUSE_FROM OTHER)
#   compiles TARGET with OTHER's precompiled header (same flags and macros).
function(tessaform_precompile target)
  if(NOT TESSAFORM_PCH)
    return()
  endif()
  cmake_parse_arguments(arg "WIDGETS;TESTS;WINDOW_TESTS" "REUSE_FROM" "" ${ARGN})
  # GCC 12 reports copies out of bounds or overlapping inside libstdc++'s
  # own string code when <string> comes precompiled, and not when it is
  # read as text: a fault of the compiler's, not of the code it is inlined
  # into. A build with -DTESSAFORM_PCH=OFF keeps these warnings.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${target} PRIVATE
      -Wno-array-bounds -Wno-restrict -Wno-stringop-overflow -Wno-stringop-overread)
  endif()
  if(arg_REUSE_FROM)
    target_precompile_headers(${target} REUSE_FROM ${arg_REUSE_FROM})
    return()
  endif()
  set(headers ${TESSAFORM_PCH_PRODUCT})
  if(arg_WIDGETS OR arg_WINDOW_TESTS)
    list(APPEND headers ${TESSAFORM_PCH_WIDGETS})
  endif()
  if(arg_TESTS)
    list(APPEND headers ${TESSAFORM_PCH_TESTS})
  endif()
  if(arg_WINDOW_TESTS)
    list(APPEND headers ${TESSAFORM_PCH_WINDOW_TESTS})
  endif()
  target_precompile_headers(${target} PRIVATE ${headers})
endfunction()
