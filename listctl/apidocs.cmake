# SPDX-License-Identifier: BSD-3-Clause
# The API reference: the target apidocs runs Doxygen over the public headers into HTML and a Qt
# Creator help file (apidocs/kvlistex.qch, when Qt's qhelpgenerator is there). It fails on any public
# class or member without a /// comment, so that the reference is complete.
find_package(Doxygen QUIET)
if(NOT DOXYGEN_FOUND)
    message(STATUS "Doxygen not found: no API reference (Debian: doxygen)")
    return()
endif()

set(DOXYGEN_PROJECT_NAME KvListEx)
set(DOXYGEN_PROJECT_NUMBER ${PROJECT_VERSION})
set(DOXYGEN_PROJECT_BRIEF "${PROJECT_DESCRIPTION}")
set(DOXYGEN_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/apidocs)
set(DOXYGEN_STRIP_FROM_PATH ${CMAKE_CURRENT_SOURCE_DIR}/include ${kv_generated})
set(DOXYGEN_STRIP_FROM_INC_PATH ${DOXYGEN_STRIP_FROM_PATH})
set(DOXYGEN_JAVADOC_AUTOBRIEF YES)
set(DOXYGEN_SORT_MEMBER_DOCS NO)
set(DOXYGEN_BUILTIN_STL_SUPPORT YES)
set(DOXYGEN_HAVE_DOT NO)
set(DOXYGEN_GENERATE_LATEX NO)
set(DOXYGEN_QUIET YES)

# What the check counts: public and protected members, signals, properties, and (below) enum
# values. Private sections are not read; parameters may be described in the text instead of one
# \param each; destructors need no comment.
set(DOXYGEN_EXTRACT_ALL NO)
set(DOXYGEN_EXTRACT_PRIVATE NO)
set(DOXYGEN_HIDE_FRIEND_COMPOUNDS YES)
set(DOXYGEN_WARN_IF_UNDOCUMENTED YES)
set(DOXYGEN_WARN_IF_DOC_ERROR YES)
set(DOXYGEN_WARN_NO_PARAMDOC NO)
set(DOXYGEN_WARN_IF_INCOMPLETE_DOC NO)
set(DOXYGEN_WARN_AS_ERROR FAIL_ON_WARNINGS)

# Qt's and the export header's macros expand to nothing a reader needs (Q_OBJECT's members among
# them); the headers are read without their includes.
set(DOXYGEN_ENABLE_PREPROCESSING YES)
set(DOXYGEN_MACRO_EXPANSION YES)
set(DOXYGEN_EXPAND_ONLY_PREDEF YES)
set(DOXYGEN_SEARCH_INCLUDES NO)
set(DOXYGEN_PREDEFINED
    "KVLISTEX_EXPORT=" "KVLISTEX_NO_EXPORT=" "KVLISTEX_DEPRECATED=" "KVLISTEX_DEPRECATED_EXPORT="
    "Q_OBJECT=" "Q_GADGET=" "Q_NAMESPACE=" "Q_NAMESPACE_EXPORT(x)=" "Q_ENUM(x)=" "Q_FLAG(x)=" "Q_ENUM_NS(x)="
    "Q_FLAG_NS(x)=" "Q_DISABLE_COPY(x)=" "Q_DISABLE_COPY_MOVE(x)=" "Q_DECLARE_PRIVATE(x)="
    "Q_DECLARE_METATYPE(x)=" "Q_DECLARE_TYPEINFO(x,y)=" "Q_DECLARE_OPERATORS_FOR_FLAGS(x)="
    "Q_DECLARE_FLAGS(Flags,Enum)=typedef QFlags<Enum> Flags\;" "Q_INVOKABLE=" "Q_SIGNALS=signals"
    "Q_SLOTS=slots" "Q_EMIT=" "Q_DECL_CONSTEXPR=constexpr" "Q_REQUIRED_RESULT=" "Q_DECL_DEPRECATED=")

# A help file for Qt Creator and Qt Assistant, beside the HTML.
find_program(KVLISTEX_QHELPGENERATOR qhelpgenerator
    HINTS ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_LIBEXECS} ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS})
if(KVLISTEX_QHELPGENERATOR)
    set(DOXYGEN_GENERATE_QHP YES)
    set(DOXYGEN_QCH_FILE ../kvlistex.qch) # relative to the HTML folder
    set(DOXYGEN_QHP_NAMESPACE org.kvsoftware.kvlistex.${PROJECT_VERSION_MAJOR})
    set(DOXYGEN_QHP_VIRTUAL_FOLDER kvlistex)
    set(DOXYGEN_QHG_LOCATION ${KVLISTEX_QHELPGENERATOR})
else()
    message(STATUS "qhelpgenerator not found: the API reference is HTML only (Debian: qt6-documentation-tools)")
endif()

# Enum values are checked in Doxygen's XML.
set(DOXYGEN_GENERATE_XML YES)
set(DOXYGEN_XML_PROGRAMLISTING NO)

doxygen_add_docs(apidocs ${kv_public_headers} ${kv_generated}/KvListEx/kvlistex_version.h
    COMMENT "API reference of KvListEx into ${DOXYGEN_OUTPUT_DIRECTORY}")
add_custom_command(TARGET apidocs POST_BUILD
    COMMAND ${CMAKE_COMMAND} -DXML_DIR=${DOXYGEN_OUTPUT_DIRECTORY}/xml -P ${CMAKE_CURRENT_LIST_DIR}/apidocs-enumvalues.cmake
    VERBATIM)
