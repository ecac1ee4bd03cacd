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
  # Builds the programs a second time, a minute or two on two cores: alone,
  # so that it does not slow the tests that keep time.
  add_test(NAME install_deb_reproducible
           COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/install/install_test.sh reproducible ${CMAKE_BINARY_DIR}
                   ${installed_version} ${PROJECT_SOURCE_DIR} ${CMAKE_GENERATOR} ${CMAKE_CXX_COMPILER}
                   "${CMAKE_BUILD_TYPE}")
  set_tests_properties(install_deb_reproducible PROPERTIES TIMEOUT 900 RUN_SERIAL TRUE)
  add_test(NAME readme_release_notes
           COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/install/install_test.sh notes ${PROJECT_SOURCE_DIR}/README.md
                   ${PROJECT_BINARY_DIR}/dist/release-notes.md)
  set_tests_properties(readme_release_notes PROPERTIES TIMEOUT 60 SKIP_REGULAR_EXPRESSION "^skipped: ")
  # The set-up script against a make-believe apt.
  add_test(NAME setup_install_deps
           COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/e2e/install/setup_test.sh ${PROJECT_SOURCE_DIR}
                   ${CMAKE_CURRENT_BINARY_DIR}/setup)
  set_tests_properties(setup_install_deps PROPERTIES TIMEOUT 180)
endif()
