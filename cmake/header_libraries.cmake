# nlohmann/json and CLI11 for the export tool, in the native and the MinGW build.
# The MinGW toolchain finds headers only under its own root, and putting the
# host's include folder on a cross build would bring the host's C library headers
# along; so a folder of the build tree holds links to just these two libraries'
# header folders.
function(tarnel_header_libraries target)
  set(folder ${CMAKE_BINARY_DIR}/header_libraries)
  file(MAKE_DIRECTORY ${folder})
  foreach(entry "nlohmann|nlohmann/json.hpp|nlohmann-json3-dev" "CLI|CLI/CLI.hpp|libcli11-dev")
    string(REPLACE "|" ";" entry "${entry}")
    list(GET entry 0 subfolder)
    list(GET entry 1 header)
    list(GET entry 2 package)
    find_path(TARNEL_${subfolder}_ROOT ${header} PATHS /usr/include /usr/local/include NO_CMAKE_FIND_ROOT_PATH)
    if(NOT TARNEL_${subfolder}_ROOT)
      message(FATAL_ERROR "${header} not found: install ${package} (scripts/setup.sh does)")
    endif()
    file(CREATE_LINK ${TARNEL_${subfolder}_ROOT}/${subfolder} ${folder}/${subfolder} SYMBOLIC)
  endforeach()
  add_library(${target} INTERFACE)
  target_include_directories(${target} SYSTEM INTERFACE ${folder})
endfunction()
