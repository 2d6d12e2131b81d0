# Test data: a real Access database that nobody here wrote, Monitor.mdb (Jet 4), from Debian's
# mrtg-contrib, which ships it among its documentation. The package is fetched once with
# apt-get download and unpacked with dpkg-deb -x into the build folder (an installed package may
# have left its documentation out). Without the package the Access import cannot be tested, and
# this set-up fails, so that the tests that need it fail too instead of passing unseen.
#   cmake -DFOLDER=<folder> -P fetch_mrtg_contrib.cmake
set(mdb "${FOLDER}/root/usr/share/doc/mrtg-contrib/examples/contrib/monitor/Monitor.mdb")
if(EXISTS "${mdb}")
  return()
endif()
file(MAKE_DIRECTORY "${FOLDER}")
execute_process(COMMAND apt-get download mrtg-contrib WORKING_DIRECTORY "${FOLDER}"
                RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
file(GLOB packages "${FOLDER}/mrtg-contrib_*.deb")
if(NOT status EQUAL 0 OR NOT packages)
  message(FATAL_ERROR
    "NO SE PUEDE PROBAR LA IMPORTACIÓN DE ACCESS: 'apt-get download mrtg-contrib' ha fallado "
    "(¿sin red o sin las listas de paquetes de Debian?), y Monitor.mdb no está.\n${output}")
endif()
list(GET packages 0 package)
execute_process(COMMAND dpkg-deb -x "${package}" "${FOLDER}/root" RESULT_VARIABLE status
                ERROR_VARIABLE output)
if(NOT status EQUAL 0 OR NOT EXISTS "${mdb}")
  message(FATAL_ERROR "NO SE PUEDE PROBAR LA IMPORTACIÓN DE ACCESS: ${package} no da ${mdb}.\n"
                      "${output}")
endif()
