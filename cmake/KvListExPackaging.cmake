# SPDX-License-Identifier: BSD-3-Clause
# Debian packages of what installs, one per part (cpack -G DEB in the build folder): the run-time
# library, its development files, the Designer plugin, the demo program.
set(CPACK_PACKAGE_NAME kvlistex)
set(CPACK_PACKAGE_VENDOR "The KvListExDemo developers")
set(CPACK_PACKAGE_CONTACT "The KvListExDemo developers <kvlistexdemo@kvsoftware.example>")
# The library's packages carry its version; the demo's package the program's. CPack has one version
# per run, so the script below gives each package its own as CPack names the part it packs next.
get_target_property(kv_version KvListEx VERSION)
get_target_property(kv_soversion KvListEx SOVERSION)
set(CPACK_PACKAGE_VERSION ${kv_version})
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/packaging/versions.cmake @ONLY CONTENT [[
macro(kv_package_version variable access value)
    if("${value}" STREQUAL "demo")
        set(CPACK_DEBIAN_PACKAGE_VERSION @PROJECT_VERSION@)
    else()
        set(CPACK_DEBIAN_PACKAGE_VERSION @kv_version@)
    endif()
endmacro()
variable_watch(CPACK_DEB_PACKAGE_COMPONENT kv_package_version)
]])
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_BINARY_DIR}/packaging/versions.cmake)
# CPack puts this summary before every package's description unless it is CPack's own default;
# each description below begins with its package's own summary line instead.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${CMAKE_PROJECT_NAME} built using CMake")
set(CPACK_GENERATOR DEB)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
# Packages that link the library find it in this build while their dependencies are worked out.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${KvListEx_BINARY_DIR})
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)

set(kv_lib_package libkvlistex${kv_soversion})
set(CPACK_DEBIAN_LIBRARY_PACKAGE_NAME ${kv_lib_package})
set(CPACK_DEBIAN_LIBRARY_PACKAGE_SECTION libs)
# The dynamic linker's cache is renewed by dpkg's trigger.
set(CPACK_DEBIAN_LIBRARY_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/packaging/triggers)
set(CPACK_COMPONENT_LIBRARY_DESCRIPTION "extended list box control for Qt Widgets
ListEx is a single-selection list whose items carry a picture, an item
colour, a background, a font and a description, drawn in one of five styles.

This package holds the shared library.")

set(CPACK_DEBIAN_DEV_PACKAGE_NAME libkvlistex-dev)
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEV_PACKAGE_DEPENDS "qt6-base-dev (>= 6.4)")
set(CPACK_COMPONENT_DEV_DEPENDS library)
set(CPACK_COMPONENT_DEV_DESCRIPTION "extended list box control for Qt Widgets - development files
ListEx is a single-selection list whose items carry a picture, an item
colour, a background, a font and a description, drawn in one of five styles.

This package holds the headers, the CMake package (find_package(KvListEx)) and
the pkg-config file.")

set(CPACK_DEBIAN_DESIGNER_PACKAGE_NAME kvlistex-designer-plugin)
set(CPACK_DEBIAN_DESIGNER_PACKAGE_SECTION devel)
set(CPACK_COMPONENT_DESIGNER_DEPENDS library)
set(CPACK_COMPONENT_DESIGNER_DESCRIPTION "extended list box control for Qt Widgets - Qt Designer plugin
ListEx is a single-selection list whose items carry a picture, an item
colour, a background, a font and a description, drawn in one of five styles.

This package puts ListEx into Qt Designer's widget box, with its properties in
the property editor.")

set(kv_packages library:${kv_lib_package} dev:libkvlistex-dev designer:kvlistex-designer-plugin)
set(CPACK_COMPONENTS_ALL library dev designer)
if(KVLISTEX_DEMO)
    # The program and its desktop entry go into one package.
    set(CPACK_COMPONENT_UNSPECIFIED_GROUP demo)
    set(CPACK_COMPONENT_DESKTOP_GROUP demo)
    set(CPACK_DEBIAN_DEMO_PACKAGE_DEPENDS "${kv_lib_package} (= ${kv_version})")
    set(CPACK_DEBIAN_DEMO_PACKAGE_NAME kvlistexdemo)
    set(CPACK_DEBIAN_DEMO_PACKAGE_SECTION devel)
    set(CPACK_DEBIAN_DEMO_DESCRIPTION "demonstration of the ListEx extended list box for Qt
A window with three pages, each with one ListEx: the installed font families,
each in its own face; custom and system colours as colour boxes or swatches;
characters with portraits, colours and descriptions.")
    list(APPEND CPACK_COMPONENTS_ALL Unspecified desktop)
    list(APPEND kv_packages desktop:kvlistexdemo)
endif()

# Every package carries the licence and the change log where Debian looks for them.
set(kv_doc ${CMAKE_BINARY_DIR}/packaging)
file(READ ${PROJECT_SOURCE_DIR}/LICENSE kv_license)
string(STRIP "${kv_license}" kv_license)
string(REGEX REPLACE "\n\n" "\n.\n" kv_license "${kv_license}")
string(REGEX REPLACE "\n" "\n " kv_license " ${kv_license}")
file(WRITE ${kv_doc}/copyright "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: KvListExDemo

Files: *
Copyright: 2026 The KvListExDemo developers
License: BSD-3-Clause
${kv_license}
")
execute_process(COMMAND gzip -n -9 -c ${PROJECT_SOURCE_DIR}/packaging/changelog
    OUTPUT_FILE ${kv_doc}/changelog.gz COMMAND_ERROR_IS_FATAL ANY)
foreach(pair ${kv_packages})
    string(REPLACE ":" ";" pair ${pair})
    list(GET pair 0 component)
    list(GET pair 1 package)
    install(FILES ${kv_doc}/copyright ${kv_doc}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${package}
        COMPONENT ${component} EXCLUDE_FROM_ALL)
endforeach()

include(CPack)
