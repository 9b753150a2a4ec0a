# The newest entry of packaging/changelog is the one source of the release: its version becomes
# the project's, and its date goes into the metainfo, the manual page and the packages' timestamps.
# Sets BOGLINGS_RELEASE_VERSION, BOGLINGS_RELEASE_DATE (YYYY-MM-DD) and BOGLINGS_RELEASE_EPOCH.

set(BOGLINGS_CHANGELOG ${CMAKE_CURRENT_LIST_DIR}/changelog)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${BOGLINGS_CHANGELOG})
file(STRINGS ${BOGLINGS_CHANGELOG} header REGEX "^[a-z]" LIMIT_COUNT 1)
file(STRINGS ${BOGLINGS_CHANGELOG} signature REGEX "^ -- " LIMIT_COUNT 1)
if(NOT header MATCHES "^[^ ]+ \\(([0-9.]+)\\)")
  message(FATAL_ERROR "${BOGLINGS_CHANGELOG}: the newest entry has no version")
endif()
set(BOGLINGS_RELEASE_VERSION ${CMAKE_MATCH_1})
if(NOT signature MATCHES "  [A-Z][a-z][a-z], ([0-9][0-9]) ([A-Z][a-z][a-z]) ([0-9]+) ")
  message(FATAL_ERROR "${BOGLINGS_CHANGELOG}: the newest entry has no date")
endif()
set(day ${CMAKE_MATCH_1})
set(year ${CMAKE_MATCH_3})
set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(FIND months ${CMAKE_MATCH_2} month)
math(EXPR month "${month} + 1")
string(REGEX REPLACE "^([0-9])$" "0\\1" month ${month})
set(BOGLINGS_RELEASE_DATE ${year}-${month}-${day})
execute_process(COMMAND date -u -d ${BOGLINGS_RELEASE_DATE} +%s OUTPUT_VARIABLE BOGLINGS_RELEASE_EPOCH
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
