# Run by `cmake --install` and by CPack, not at configure time: fills a template with the paths
# of the prefix the files are being installed to (known only now: --prefix DIR, or /usr in a
# package) and installs the result, gzipped for manual pages.
#
# In:  TEMPLATE, NAME (installed file name), DESTINATION (relative to the prefix), GZIP (bool),
#      BINDIR, DATADIR, WEBDIR, SERVERTRANSLATIONSDIR, UNITDIR (relative to the prefix),
#      PROJECT_VERSION, WORKDIR (a folder of the build tree).

set(prefix "${CMAKE_INSTALL_PREFIX}")
set(TAMBER_BINDIR "${prefix}/${BINDIR}")
set(TAMBER_DATA_FULL_DIR "${prefix}/${DATADIR}")
set(TAMBER_UNIT_FULL_DIR "${prefix}/${UNITDIR}")
set(TAMBER_WEB_FULL_DIR "${prefix}/${WEBDIR}")
set(TAMBER_SERVER_TRANSLATIONS_FULL_DIR "${prefix}/${SERVERTRANSLATIONSDIR}")

# One work folder per destination, so that installs into different places may run at once.
string(MD5 key "$ENV{DESTDIR}${prefix}")
set(work "${WORKDIR}/${key}")
configure_file("${TEMPLATE}" "${work}/${NAME}" @ONLY)
set(file "${work}/${NAME}")
if(GZIP)
    # -n: no name or time stamp inside, so the same page gives the same bytes.
    execute_process(COMMAND gzip -9n -c "${file}" OUTPUT_FILE "${file}.gz"
                    COMMAND_ERROR_IS_FATAL ANY)
    set(file "${file}.gz")
endif()
file(INSTALL DESTINATION "${prefix}/${DESTINATION}" TYPE FILE FILES "${file}")
