# Installation and the Debian package.
#
# Everything that ships goes into one program folder (lib/vrn-nec under the prefix, so
# /usr/lib/vrn-nec in the package): the program, the conversion library, the command-line
# tools and the engine scripts. Binaries find the library through their $ORIGIN run path
# and their scripts beside themselves, so the folder works wherever it lands. Launchers
# on the search path are relative symbolic links into it; the desktop entry, the icon
# and the file types make a double click on an antenna file or a deck open the program.
#
#   cd build && cpack -G DEB     ->  vrn-nec_<version>_<arch>.deb

set(VRN_PROGRAM_FOLDER lib/vrn-nec)

install(TARGETS VRN_NEC_app vrn2nec necdeck nec2c-classic
        RUNTIME DESTINATION ${VRN_PROGRAM_FOLDER})
install(TARGETS VRN_NEC
        LIBRARY DESTINATION ${VRN_PROGRAM_FOLDER} NAMELINK_SKIP)
install(PROGRAMS "${PROGRAM_DIR}/GoNec.bat" "${PROGRAM_DIR}/GoNecGN.bat" "${PROGRAM_DIR}/GoNecRun.sh"
        DESTINATION ${VRN_PROGRAM_FOLDER})

# The fast engine, when it was built: beside the scripts with the engine.conf that names
# it, and nec2c's copyright and licence, our patch and its note in the documentation. Its
# LAPACKE and OpenBLAS runtime packages (liblapacke, libopenblas0) come into Depends from
# the binary, as the Qt libraries do.
if(TARGET nec2c-blas)
  install(TARGETS nec2c-blas RUNTIME DESTINATION ${VRN_PROGRAM_FOLDER})
  install(FILES "${NEC2C_BLAS_ENGINE_CONF}" DESTINATION ${VRN_PROGRAM_FOLDER})
  install(FILES ${NEC2C_BLAS_LICENCE_FILES} DESTINATION share/doc/vrn-nec/nec2c-blas)
endif()

# Launchers: bin/NAME -> ../lib/vrn-nec/PROGRAM.
set(launcher_dir "${CMAKE_BINARY_DIR}/launchers")
file(MAKE_DIRECTORY "${launcher_dir}")
foreach(pair "vrn-nec:VRN_NEC" "vrn2nec:vrn2nec" "necdeck:necdeck" "nec2c-classic:nec2c-classic")
  string(REPLACE ":" ";" pair "${pair}")
  list(GET pair 0 launcher)
  list(GET pair 1 program)
  file(CREATE_LINK "../${VRN_PROGRAM_FOLDER}/${program}" "${launcher_dir}/${launcher}" SYMBOLIC)
  install(FILES "${launcher_dir}/${launcher}" DESTINATION bin)
endforeach()

set(desktop_dir "${PROJECT_SOURCE_DIR}/app/desktop")
install(FILES "${desktop_dir}/vrn-nec.desktop" DESTINATION share/applications)
install(FILES "${desktop_dir}/vrn-nec.svg" DESTINATION share/icons/hicolor/scalable/apps)
install(FILES "${desktop_dir}/vrn-nec-mime.xml" DESTINATION share/mime/packages RENAME vrn-nec.xml)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vrn-nec)
set(CPACK_PACKAGE_VENDOR "VRN_NEC developers")
set(CPACK_PACKAGE_CONTACT "VRN_NEC developers <vrn-nec@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "NEC-2 calculations of VORNA antenna files")
set(CPACK_PACKAGE_DESCRIPTION
    "Converts antenna files of the VORNA antenna-modelling program into NEC-2
decks (wires may be in dielectric coats), runs the NEC-2 engine nec2c and shows
what it computed: impedance and SWR, gain and front-to-back ratio, pattern
diagrams, currents, near fields, frequency sweeps, a card-by-card deck editor,
Green's function files and a 3-D view of the wires. The command-line tools
vrn2nec and necdeck do the same without a window.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES TRUE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
# The engine, the tools of the engine scripts and the toolkit's platform plugins (without
# them no window opens); the Qt 6 and C++ libraries (and LAPACKE and OpenBLAS with the fast
# engine) come from the binaries themselves (dpkg-shlibdeps).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "nec2c, mawk | awk, qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
include(CPack)
