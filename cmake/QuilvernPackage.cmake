# The Debian package, made by CPack from the build tree's install step, so
# nothing is compiled again:
#
#     cpack --config build/CPackConfig.cmake -B build/package
#
# gives build/package/quilvern_<version>_amd64.deb: everything
# cmake/QuilvernInstall.cmake installs below /usr, stripped, with Debian's
# copyright file and changelog in place of the plain README and licence, and
# its dependencies read from the binaries by dpkg-shlibdeps.
# tools/test-package.sh builds, checks, installs and removes it.

# The version without a Debian revision: the package is made by the
# project itself, so it is a native package (changelog.gz, not
# changelog.Debian.gz).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quilvern)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Brannock Group Audio Software")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# One package of the plug-ins and programs (the unnamed component) and the
# Debian documents, without the plain README and licence.
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_COMPONENTS_ALL Unspecified debian)

set(QUILVERN_PACKAGE_MAINTAINER "Brannock Group Audio Software <packages@brannock-group-audio.invalid>"
    CACHE STRING "The Maintainer field of the Debian package")

set(CPACK_DEBIAN_PACKAGE_NAME quilvern)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${QUILVERN_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# JUCE opens the X libraries itself at run time (dlopen), so dpkg-shlibdeps
# cannot see them: X11 and Xext it needs for any window, the others it uses
# when they are there.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libx11-6, libxext6")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libxcursor1, libxinerama1, libxrandr2, libxrender1")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${QUILVERN_ROOT}/packaging/linux/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "stereo phaser audio effect (LV2, VST3, VST 2.4 and standalone)
Quilvern is a stereo phaser: each channel runs through two to eight
all-pass stages with feedback, swept by the sum of two oscillators that
run free or follow the host's tempo, with the right channel's sweep up to
half a cycle behind the left's. It comes with 51 factory presets in named
groups, a preset browser in its editor, and MIDI control of every
parameter with a learn mode.
.
This package has the plug-in for hosts that load LV2, VST3 or VST 2.4
plug-ins (such as Ardour); the standalone program, which plays the sound
card's input through the phaser; and quilvern-render, which runs audio
files through it from the command line.")

include(CPack)
