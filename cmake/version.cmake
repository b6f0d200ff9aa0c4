# The public header states the library's version for callers at compile time.
# project(VERSION) is the one source: configuring stops when the header's
# macros say anything else.
function(vexl_check_header_version header)
  file(STRINGS ${header} lines REGEX "^#define VEXALKIT_VERSION_")
  set(expected_MAJOR ${PROJECT_VERSION_MAJOR})
  set(expected_MINOR ${PROJECT_VERSION_MINOR})
  set(expected_PATCH ${PROJECT_VERSION_PATCH})
  set(expected_STRING "\"${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}\"")
  foreach(part MAJOR MINOR PATCH STRING)
    set(found "")
    foreach(line IN LISTS lines)
      if(line MATCHES "^#define VEXALKIT_VERSION_${part}[ \t]+([^ \t]+)")
        set(found ${CMAKE_MATCH_1})
      endif()
    endforeach()
    if(NOT found STREQUAL expected_${part})
      message(FATAL_ERROR "${header}: VEXALKIT_VERSION_${part} is '${found}', but the project's "
                          "version is ${PROJECT_VERSION}: make them agree")
    endif()
  endforeach()
endfunction()
