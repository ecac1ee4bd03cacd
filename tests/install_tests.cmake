# What a player installs: the installed tree and the Debian package. Only the
# plain build: the package is made from it, and it is what players get.
if(NOT PINWICK_SANITIZE)
  set(installed_version ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH})
  add_test(NAME install_tree
           COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/install/install_test.sh tree ${CMAKE_BINARY_DIR}
                   ${installed_version} ${PINWICK_PICTURE_DIR}/ICON_MAIN.ico)
  add_test(NAME install_deb
           COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/install/install_test.sh deb ${CMAKE_BINARY_DIR}
                   ${installed_version} $<TARGET_FILE:pinwick-tool> $<TARGET_FILE:pinwick-test-x>)
  set_tests_properties(install_tree install_deb PROPERTIES TIMEOUT 300)
  # The set-up script against a make-believe apt.
  add_test(NAME setup_install_deps
           COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/install/setup_test.sh ${PROJECT_SOURCE_DIR}
                   ${CMAKE_CURRENT_BINARY_DIR}/setup)
  set_tests_properties(setup_install_deps PROPERTIES TIMEOUT 60)
endif()
