# The Windows release zip: both programs, the sample calibration and the README,
# one zip per architecture, made by the `package` target
# (cmake --build --preset mingw-x64 --target package).
set(release_programs fractrace)
if(TARGET jogpad)
  list(APPEND release_programs jogpad)
endif()
install(TARGETS ${release_programs} RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/examples/stepcfg2.txt ${PROJECT_SOURCE_DIR}/README.md
  DESTINATION .)

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(release_arch win64)
else()
  set(release_arch win32)
endif()
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME fractrace-jogpad)
set(CPACK_PACKAGE_FILE_NAME "fractrace-jogpad-${PROJECT_VERSION}-${release_arch}")
set(CPACK_STRIP_FILES TRUE)
include(CPack)
