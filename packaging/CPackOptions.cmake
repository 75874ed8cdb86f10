# Read by cpack for each generator. Without dpkg-shlibdeps CPack would quietly
# leave the libraries out of the package's dependencies.
if(CPACK_GENERATOR STREQUAL "DEB" AND CPACK_DEBIAN_PACKAGE_SHLIBDEPS)
    find_program(TOMBRELI_DPKG_SHLIBDEPS dpkg-shlibdeps)
    if(NOT TOMBRELI_DPKG_SHLIBDEPS)
        message(FATAL_ERROR "dpkg-shlibdeps is missing (Debian package dpkg-dev); "
                            "the package would not declare the libraries it needs.")
    endif()
endif()
