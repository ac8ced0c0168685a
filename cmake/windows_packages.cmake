# The Windows installer and the portable zip, made beside the program in ${CMAKE_BINARY_DIR}/dist
# by the target windows_packages: wixl (msitools) builds the MSI from resources/windows/*.wxs,
# with the project's one version; the zip holds the program, the README and the licence.
find_program(WIXL wixl REQUIRED)
find_program(MSIBUILD msibuild REQUIRED)
find_program(ZIP zip REQUIRED)

set(dist ${CMAKE_BINARY_DIR}/dist)
set(stage ${CMAKE_BINARY_DIR}/package-stage)
set(msi ${dist}/RI-ZUZERU-VAVUZA-${PROJECT_VERSION}-x64.msi)
set(zip ${dist}/RI-ZUZERU-VAVUZA-${PROJECT_VERSION}-win64.zip)
set(wxs ${PROJECT_SOURCE_DIR}/resources/windows/RI-ZUZERU-VAVUZA.wxs)
# What wixl has no element for is done to the finished MSI by msibuild (msitools), one SQL query
# a line: the launch condition that refuses systems older than Windows 7 SP1, and the condition
# of the Startup-folder shortcut's component (RUN_AT_LOGON = "1") with RUN_AT_LOGON made a secure
# property (passed on to the elevated install). The MSI test makes its newer MSI with the same files.
set(msi_queries ${PROJECT_SOURCE_DIR}/resources/windows/RI-ZUZERU-VAVUZA-launch-condition.sql
                ${PROJECT_SOURCE_DIR}/resources/windows/RI-ZUZERU-VAVUZA-run-at-logon.sql)
set(msibuild_queries)
foreach(file IN LISTS msi_queries)
    file(STRINGS ${file} lines)
    foreach(query IN LISTS lines)
        # A semicolon inside a query (a list of properties) would split the argument.
        string(REPLACE ";" "$<SEMICOLON>" query "${query}")
        list(APPEND msibuild_queries -q "${query}")
    endforeach()
endforeach()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${msi_queries})

# The stage is the packing commands' working folder, so it must exist before they run; its
# files are overwritten each time.
file(MAKE_DIRECTORY ${stage})
add_custom_command(
    OUTPUT ${msi} ${zip}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${dist}
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:RI-ZUZERU-VAVUZA> ${stage}/RI-ZUZERU-VAVUZA.exe
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/resources/icons/rzv.ico ${stage}/
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/README.md ${stage}/README.md
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/LICENSE ${stage}/LICENSE.txt
    COMMAND ${WIXL} -a x64 -D Version=${PROJECT_VERSION} -o ${msi} ${wxs}
    COMMAND ${MSIBUILD} ${msi} ${msibuild_queries}
    COMMAND ${CMAKE_COMMAND} -E rm -f ${zip}
    COMMAND ${ZIP} -q -X -j ${zip} RI-ZUZERU-VAVUZA.exe README.md LICENSE.txt
    WORKING_DIRECTORY ${stage}
    DEPENDS RI-ZUZERU-VAVUZA ${wxs} ${msi_queries} ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE
    COMMENT "Packing the MSI installer and the portable zip"
    VERBATIM)
add_custom_target(windows_packages ALL DEPENDS ${msi} ${zip})

if(RZV_BUILD_TESTS)
    # Installs, runs, upgrades and removes the MSI under Wine (the script runs Wine itself).
    add_test(NAME msi_install
             COMMAND ${PROJECT_SOURCE_DIR}/tests/windows/msi_check.sh ${msi} ${stage} ${msi_queries})
    set_tests_properties(msi_install PROPERTIES TIMEOUT 300 RUN_SERIAL TRUE)
endif()
