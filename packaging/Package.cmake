# `make package`: a Debian package of everything `cmake --install` puts in
# place. Its Depends line is worked out by dpkg-shlibdeps from the libraries
# the binaries really link, so it follows the build instead of a typed list.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ombrelia)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The Ombrelia developers <ombrelia@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "interactive viewer of Lyapunov-space fractals")
set(CPACK_PACKAGE_DESCRIPTION
"Ombrelia shows the Lyapunov fractal of the logistic map: every pixel is a
pair of growth rates, the map runs with the rates taking turns, and the
stability of the orbit becomes a colour. Drag a square to zoom in, choose
palettes and iteration counts from the menus, and morph the picture with
sliders.
.
ombrelia-render draws the same pictures from the command line, without a
display, into PNG or PGM files of up to 65536 by 65536 pixels.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Shipped binaries carry no debugging symbols (the build keeps them).
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://github.com/ombrelia/ombrelia)

include(CPack)
