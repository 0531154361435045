# SPDX-License-Identifier: BSD-3-Clause
# Fails when a public enum value in Doxygen's XML output has no description: Doxygen 1.9.4 does not
# warn of those itself. cmake -DXML_DIR=<apidocs/xml> -P apidocs-enumvalues.cmake
file(GLOB xml_files ${XML_DIR}/*.xml)
set(undocumented "")
foreach(xml ${xml_files})
    file(READ ${xml} text)
    string(REGEX MATCHALL
        "<enumvalue [^>]*prot=\"(public|protected)\"[^>]*>[ \n]*<name>[^<]*</name>[ \n]*(<initializer>([^<]|<ref [^>]*>|</ref>)*</initializer>[ \n]*)?<briefdescription>[ \n]*</briefdescription>[ \n]*<detaileddescription>[ \n]*</detaileddescription>"
        bare "${text}")
    foreach(value ${bare})
        string(REGEX REPLACE ".*<name>([^<]*)</name>.*" "\\1" name "${value}")
        get_filename_component(compound ${xml} NAME_WE)
        list(APPEND undocumented "${compound}: ${name}")
    endforeach()
endforeach()
if(undocumented)
    list(JOIN undocumented "\n  " undocumented)
    message(FATAL_ERROR "Enum values without documentation:\n  ${undocumented}")
endif()
