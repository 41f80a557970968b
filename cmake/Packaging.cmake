# The Debian package: `cpack` in the build folder (or the `package` target) makes
# varnolix_<version>_<arch>.deb from what `cmake --install` puts in place.
set(VARNOLIX_MAINTAINER "The Varnolix developers <packages@varnolix.example>" CACHE STRING
    "The Debian package's maintainer, as name <address>")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME varnolix)
set(CPACK_PACKAGE_VENDOR "The Varnolix developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "income tax of a salaried employee for one year")
set(CPACK_PACKAGE_DESCRIPTION
    "Varnolix works out a salaried employee's income tax for one year under an older
Indian regime: the HRA exemption, the standard deduction by salary tier, the
profession tax, the capped Section 80 deductions and Section 88 amount, the slab
tax and the surcharge factor, in a sheet of five tabs.
.
The command-line tool varnolix-assess runs the same arithmetic over a CSV file
of many employees.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Shipped programs carry no debugging information; the build folder keeps it.
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VARNOLIX_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${VARNOLIX_HOMEPAGE}")
# The shared libraries the programs link come from dpkg-shlibdeps (package dpkg-dev).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(VARNOLIX_GUI)
  # Qt loads its window system plugins at run time, out of dpkg-shlibdeps' sight; the
  # About box's link opens the page through xdg-open when it is there. GIO, which the
  # program loads only when it looks for the default browser, comes in libglib2.0-0
  # with the GLib it links, which dpkg-shlibdeps does see.
  set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xdg-utils)
endif()
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
