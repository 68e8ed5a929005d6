# The Debian package: `cpack -G DEB` in a build folder gives velmora_<version>_amd64.deb.
# Library dependencies are computed from the binaries by dpkg-shlibdeps; what is loaded at
# run time without being linked (the Wayland plugin, fonts) is named here.
set(VELMORA_MAINTAINER "Velmora maintainers <maintainers@velmora.example.org>" CACHE STRING "The Debian package's maintainer")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VENDOR "The Velmora authors")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "test and probe tool for PowerFC engine controllers")
# Lines of the extended description stay under 80 characters.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Velmora identifies a PowerFC engine controller on a serial line, shows its"
  "live values ten times a second, shows its maps as colour-scaled, editable"
  "grids with the running cell marked, and sends hand-made command frames."
  "Its user interface is Japanese."
  ""
  "The package also holds velmora-sim, a simulated controller behind a"
  "pseudo-terminal, and example profiles for it.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VELMORA_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic | fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
