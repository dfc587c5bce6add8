# The caret of other applications, read over the AT-SPI 2 accessibility bus.
# GObject too: the code unrefs libatspi's objects itself.
pkg_check_modules(ATSPI REQUIRED IMPORTED_TARGET atspi-2 gobject-2.0)

add_library(tiklo_platform_atspi STATIC
    ${CMAKE_CURRENT_SOURCE_DIR}/AtspiAccessibility.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/AtspiFocusedElement.cpp
)
target_link_libraries(tiklo_platform_atspi
    PUBLIC tiklo_platform
    PRIVATE PkgConfig::ATSPI)
