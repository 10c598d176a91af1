# Runs at install time, when the prefix the files land under is known: fills the
# data directory into the desktop entry and the manual pages, and compresses the
# pages. Expects SOURCE_DIR, OUTPUT_DIR, DATADIR (relative or absolute) and GZIP.
if(IS_ABSOLUTE "${DATADIR}")
    set(tarvolin_data_dir "${DATADIR}/tarvolin/data")
else()
    set(tarvolin_data_dir "${CMAKE_INSTALL_PREFIX}/${DATADIR}/tarvolin/data")
endif()
configure_file("${SOURCE_DIR}/tarvolin.desktop.in" "${OUTPUT_DIR}/tarvolin.desktop" @ONLY)
foreach(page tarvolin.1 tarvolin-catalogue.1)
    configure_file("${SOURCE_DIR}/${page}" "${OUTPUT_DIR}/${page}" @ONLY)
    if(GZIP)
        # -n keeps the time stamp out, so that the same tree gives the same file.
        execute_process(COMMAND "${GZIP}" -9nf "${OUTPUT_DIR}/${page}" RESULT_VARIABLE status)
        if(status)
            message(FATAL_ERROR "cannot compress ${OUTPUT_DIR}/${page}")
        endif()
    endif()
endforeach()
if(GZIP)
    execute_process(COMMAND "${GZIP}" -9nc "${SOURCE_DIR}/debian/changelog"
                    OUTPUT_FILE "${OUTPUT_DIR}/changelog.Debian.gz" RESULT_VARIABLE status)
    if(status)
        message(FATAL_ERROR "cannot compress the changelog")
    endif()
else()
    configure_file("${SOURCE_DIR}/debian/changelog" "${OUTPUT_DIR}/changelog.Debian" COPYONLY)
endif()
