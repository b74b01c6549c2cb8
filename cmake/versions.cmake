# Splits the program versions set in CMakeLists.txt into the numbers a version
# block needs ("1.04" gives 1 and 4) and writes them into one generated header.
function(tarnel_version_numbers prefix text)
  if(NOT text MATCHES "^([0-9]+)\\.([0-9]+)$")
    message(FATAL_ERROR "${prefix} version \"${text}\" is not MAJOR.MINOR")
  endif()
  math(EXPR major "${CMAKE_MATCH_1}")
  math(EXPR minor "${CMAKE_MATCH_2}")
  set(${prefix}_VERSION_MAJOR ${major} PARENT_SCOPE)
  set(${prefix}_VERSION_MINOR ${minor} PARENT_SCOPE)
endfunction()

tarnel_version_numbers(ZORVEL ${ZORVEL_VERSION})
tarnel_version_numbers(VIZO ${VIZO_VERSION})
set(TARNEL_GENERATED_INCLUDE ${CMAKE_BINARY_DIR}/generated)
configure_file(${PROJECT_SOURCE_DIR}/resources/versions.h.in
               ${TARNEL_GENERATED_INCLUDE}/resources/versions.h @ONLY)
