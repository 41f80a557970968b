# The Debian packages: `cpack` in the build folder (or the `package` target) makes one
# .deb per component from what `cmake --install` puts in place:
#   varnolix         the program, its desktop files and its manual
#   varnolix-assess  the batch tool and its man page, with no Qt and no desktop
set(VARNOLIX_MAINTAINER "The Varnolix developers <packages@varnolix.example>" CACHE STRING
    "The Debian packages' maintainer, as name <address>")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME varnolix)
set(CPACK_PACKAGE_VENDOR "The Varnolix developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Shipped programs carry no debugging information; the build folder keeps it.
set(CPACK_STRIP_FILES ON)

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL assess)
if(VARNOLIX_GUI)
  list(APPEND CPACK_COMPONENTS_ALL program)
endif()
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VARNOLIX_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${VARNOLIX_HOMEPAGE}")
# The shared libraries the programs link come from dpkg-shlibdeps (package dpkg-dev).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

set(CPACK_DEBIAN_PROGRAM_PACKAGE_NAME ${VARNOLIX_PACKAGE_program})
set(CPACK_DEBIAN_PROGRAM_DESCRIPTION "income tax of a salaried employee for one year
Varnolix works out a salaried employee's income tax for one year under an
older Indian regime: the HRA exemption, the standard deduction by salary tier,
the profession tax, the capped Section 80 deductions and Section 88 amount,
the slab tax and the surcharge factor, in a sheet of five tabs.
.
The command-line tool in the package varnolix-assess runs the same arithmetic
over a CSV file of many employees.")
# Qt loads its window system plugins at run time, out of dpkg-shlibdeps' sight: the X11
# one comes in qt6-qpa-plugins, the Wayland one in qt6-wayland (without it a Wayland
# session falls back to XWayland). Names in payroll files come in Indian scripts, which a
# system without fonts-noto-core may draw as boxes. The About box's link opens the page
# through xdg-open when it is there. GIO, which the program loads only when it looks for
# the default browser, comes in libglib2.0-0 with the GLib it links, which
# dpkg-shlibdeps does see.
set(CPACK_DEBIAN_PROGRAM_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-noto-core")
set(CPACK_DEBIAN_PROGRAM_PACKAGE_RECOMMENDS "qt6-wayland, xdg-utils")

set(CPACK_DEBIAN_ASSESS_PACKAGE_NAME ${VARNOLIX_PACKAGE_assess})
set(CPACK_DEBIAN_ASSESS_DESCRIPTION "income tax of many salaried employees from a CSV file
varnolix-assess assesses a CSV file of salaried employees, one row each,
under an older Indian regime: the HRA exemption, the standard deduction, the
capped Section 80 deductions and Section 88 amount, the slab tax and the
surcharge factor, to the cent, exactly as the desktop program Varnolix does.
It streams, so files of millions of rows need only a few megabytes of memory.")

include(CPack)
