# Installs the library, its public headers and the CMake package, so that a host can use
# find_package(qxTagEditor2) and link qxTagEditor2::qxTagEditor2.
include(CMakePackageConfigHelpers)

set(QX_INSTALL_CMAKEDIR "${CMAKE_INSTALL_LIBDIR}/cmake/qxTagEditor2" CACHE STRING
    "Where the CMake package files of qxTagEditor2 are installed, relative to the prefix")

install(TARGETS qxTagEditor2 EXPORT qxTagEditor2Targets
  LIBRARY DESTINATION "${CMAKE_INSTALL_LIBDIR}" COMPONENT Runtime NAMELINK_COMPONENT Devel
  ARCHIVE DESTINATION "${CMAKE_INSTALL_LIBDIR}" COMPONENT Devel
  RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}" COMPONENT Runtime)
install(DIRECTORY "${PROJECT_SOURCE_DIR}/include/qxTagEditor2" "${QX_GENERATED_INCLUDE_DIR}/qxTagEditor2"
  DESTINATION "${CMAKE_INSTALL_INCLUDEDIR}" COMPONENT Devel
  FILES_MATCHING PATTERN "*.h")

install(EXPORT qxTagEditor2Targets
  NAMESPACE qxTagEditor2::
  FILE qxTagEditor2Targets.cmake
  DESTINATION "${QX_INSTALL_CMAKEDIR}" COMPONENT Devel)
configure_package_config_file("${PROJECT_SOURCE_DIR}/cmake/qxTagEditor2Config.cmake.in"
  "${PROJECT_BINARY_DIR}/cmake/qxTagEditor2Config.cmake"
  INSTALL_DESTINATION "${QX_INSTALL_CMAKEDIR}")
# 0.x: a host built against one minor version accepts only that minor version.
write_basic_package_version_file("${PROJECT_BINARY_DIR}/cmake/qxTagEditor2ConfigVersion.cmake"
  COMPATIBILITY SameMinorVersion)
install(FILES "${PROJECT_BINARY_DIR}/cmake/qxTagEditor2Config.cmake"
              "${PROJECT_BINARY_DIR}/cmake/qxTagEditor2ConfigVersion.cmake"
  DESTINATION "${QX_INSTALL_CMAKEDIR}" COMPONENT Devel)

# pkg-config, for hosts not built with CMake; relocatable: the prefix is found from the file's own place.
file(RELATIVE_PATH QX_PC_TO_PREFIX "/${CMAKE_INSTALL_LIBDIR}/pkgconfig" "/")
string(REGEX REPLACE "/$" "" QX_PC_TO_PREFIX "${QX_PC_TO_PREFIX}")
configure_file("${PROJECT_SOURCE_DIR}/cmake/qxTagEditor2.pc.in" "${PROJECT_BINARY_DIR}/qxTagEditor2.pc" @ONLY)
install(FILES "${PROJECT_BINARY_DIR}/qxTagEditor2.pc"
  DESTINATION "${CMAKE_INSTALL_LIBDIR}/pkgconfig" COMPONENT Devel)

# The licence and the documentation (share/doc/qxTagEditor2), and the sample reference data and member
# files a host starts from (share/qxTagEditor2).
install(FILES "${PROJECT_SOURCE_DIR}/LICENSE" "${PROJECT_SOURCE_DIR}/README.md"
  DESTINATION "${CMAKE_INSTALL_DOCDIR}" COMPONENT Devel)
install(DIRECTORY "${PROJECT_SOURCE_DIR}/docs/"
  DESTINATION "${CMAKE_INSTALL_DOCDIR}" COMPONENT Devel)
install(DIRECTORY "${PROJECT_SOURCE_DIR}/data/reference" "${PROJECT_SOURCE_DIR}/data/members"
  DESTINATION "${CMAKE_INSTALL_DATADIR}/qxTagEditor2" COMPONENT Devel)
