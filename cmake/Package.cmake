# The Debian package, made by scripts/package.sh: `cpack -G DEB` in a configured build folder.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME dvinar)
set(CPACK_PACKAGE_VENDOR "Dvinar")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Chromatography calculation plug-in for Vantrel, with a host stand-in")
set(CPACK_PACKAGE_DESCRIPTION
  "Dvinar identifies target components on two detector channels, fits calibration lines, computes\n\
concentrations and writes an HTML report. The package holds the plug-in, its English language\n\
library and fit library, minihost (a host to run it in), dvinar-batch (the same calculation\n\
without a window), vantrel-import (AIA/ANDI exports into the host database) and\n\
vexol-demo-data (a demo data set).")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Dvinar developers <dvinar@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Dependencies come from the libraries the programs and the plug-in are linked with; the
# package's own libraries are found through their relative run paths.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# xdg-open, for opening reports in the desktop's browser.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
include(CPack)
