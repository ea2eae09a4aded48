# Settings every target of the project shares: link qrta_common and nothing
# has to repeat them.
add_library(qrta_common INTERFACE)
target_compile_features(qrta_common INTERFACE cxx_std_20)
target_compile_definitions(qrta_common INTERFACE
    QT_NO_CAST_FROM_ASCII
    QT_NO_CAST_TO_ASCII
    QT_NO_CONTEXTLESS_CONNECT
    QT_NO_URL_CAST_FROM_STRING
    QT_USE_QSTRINGBUILDER)
target_compile_options(qrta_common INTERFACE
    $<$<CXX_COMPILER_ID:GNU,Clang>:-Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor>)

# One test executable per area, always registered with CTest.
#   qrta_add_test(tst_area LIBS qrta_core [ENVIRONMENT "A=B" ...])
function(qrta_add_test name)
    cmake_parse_arguments(arg "" "" "LIBS;ENVIRONMENT;SOURCES" ${ARGN})
    add_executable(${name} ${name}.cpp ${arg_SOURCES})
    target_link_libraries(${name} PRIVATE qrta_common Qt6::Test ${arg_LIBS})
    target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;${arg_ENVIRONMENT}")
endfunction()

# The reader of photographed sheets is a module of its own (src/scan), loaded from the first
# folder that has it: beside the program (the build tree), else where it is installed, found
# from the program's own folder and, failing that, at the path of the Debian package.
include(GNUInstallDirs)
set(QRTA_READER_FILE qrta-photo-reader.so)
if(CMAKE_LIBRARY_ARCHITECTURE)
    set(QRTA_READER_INSTALL_DIR lib/${CMAKE_LIBRARY_ARCHITECTURE}/qrta)
else()
    set(QRTA_READER_INSTALL_DIR ${CMAKE_INSTALL_LIBDIR}/qrta)
endif()
file(RELATIVE_PATH QRTA_READER_RELATIVE_DIR /prefix/${CMAKE_INSTALL_BINDIR}
    /prefix/${QRTA_READER_INSTALL_DIR})
set(QRTA_READER_INSTALL_PATH /usr/${QRTA_READER_INSTALL_DIR})
