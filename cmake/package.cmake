# The release ZIP of a Windows build: the two programs, the monitor's service, the export program, the
# stand-in driver (the 32-bit build adds a 32-bit one) and its control program,
# the test certificate, README.txt (CR LF), the guide as one HTML page and the
# monitoring kit. scripts/package.sh test-signs the drivers into package/signed
# and then runs "cpack" in the build folder, which writes the ZIP into
# build/package.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(TARNEL_PACKAGE_SYSTEM win64)
else()
  set(TARNEL_PACKAGE_SYSTEM win32)
endif()

# Substituted text keeps its own line ends, so they are CR LF already.
if(TARNEL_PACKAGE_SYSTEM STREQUAL win32)
  set(TARNEL_README_X86_DRIVER
      "tarnel_standin_x86.sys\r\n                    The same driver for a 32-bit Windows; standin_ctl picks it there.\r\n")
else()
  set(TARNEL_README_X86_DRIVER "")
endif()
configure_file(${PROJECT_SOURCE_DIR}/docs/README.txt.in ${CMAKE_BINARY_DIR}/package/README.txt
               @ONLY NEWLINE_STYLE CRLF)

# Debian's interpreter: python3-markdown is installed for it, not for any other
# python3 that may come first on the PATH.
find_program(TARNEL_SYSTEM_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH)
if(NOT TARNEL_SYSTEM_PYTHON)
  find_program(TARNEL_SYSTEM_PYTHON python3 REQUIRED)
endif()
set(guide_html ${CMAKE_BINARY_DIR}/package/guide.html)
file(GLOB guide_images ${PROJECT_SOURCE_DIR}/docs/images/*.png)
add_custom_command(
  OUTPUT ${guide_html}
  COMMAND ${TARNEL_SYSTEM_PYTHON} ${PROJECT_SOURCE_DIR}/scripts/guide-html.py
          ${PROJECT_SOURCE_DIR}/docs/guide.md ${guide_html}
  DEPENDS ${PROJECT_SOURCE_DIR}/docs/guide.md ${PROJECT_SOURCE_DIR}/scripts/guide-html.py ${guide_images}
  COMMENT "Writing the guide as one HTML page"
  VERBATIM)
add_custom_target(guide_html ALL DEPENDS ${guide_html})

install(TARGETS zorvel zorvel-service vizo zorvel-export standin_ctl RUNTIME DESTINATION .)
set(signed ${CMAKE_BINARY_DIR}/package/signed)
set(signed_files ${signed}/tarnel_standin.sys ${signed}/tarnelport-test-signing.cer)
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  list(APPEND signed_files ${signed}/tarnel_standin_x86.sys)
endif()
install(FILES ${signed_files} ${CMAKE_BINARY_DIR}/package/README.txt DESTINATION .)
install(FILES ${guide_html} DESTINATION docs)
install(FILES ${PROJECT_SOURCE_DIR}/monitoring/zorvel-rules.yml ${PROJECT_SOURCE_DIR}/monitoring/zorvel-dashboard.json
              ${PROJECT_SOURCE_DIR}/monitoring/prometheus.yml ${PROJECT_SOURCE_DIR}/monitoring/alertmanager.yml
        DESTINATION monitoring)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME tarnelport-tools)
set(CPACK_PACKAGE_VENDOR ${TARNEL_COMPANY})
set(package_folder ${PROJECT_SOURCE_DIR}/build/package)
set(package_name tarnelport-tools-${PROJECT_VERSION}-${TARNEL_PACKAGE_SYSTEM})
set(CPACK_PACKAGE_FILE_NAME ${package_name})
set(CPACK_PACKAGE_DIRECTORY ${package_folder})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_ARCHIVE_COMPONENT_INSTALL OFF)
include(CPack)

add_test(NAME Package.Contents
         COMMAND ${TARNEL_SYSTEM_PYTHON} ${PROJECT_SOURCE_DIR}/tests/package/check_package.py
                 ${package_folder}/${package_name}.zip ${TARNEL_PACKAGE_SYSTEM})
set_tests_properties(Package.Contents PROPERTIES SKIP_RETURN_CODE 77)
