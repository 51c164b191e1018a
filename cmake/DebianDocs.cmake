# Run by cpack on its staging tree before it builds the Debian package: Debian wants the
# manual pages compressed, and the copyright file and a changelog in /usr/share/doc/quoxa.
# The changelog is made from the releases of the AppStream entry, the one list of them.
set(root "${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")
set(doc "${root}/share/doc/${CPACK_PACKAGE_NAME}")
set(metainfo_file "${CPACK_QUOXA_DATA}/io.github.quoxa.QUOXA.metainfo.xml")

# -n keeps the name and the time out of the header: the same tree gives the same package.
function(quoxa_gzip file)
  execute_process(COMMAND gzip -9nf "${file}" COMMAND_ERROR_IS_FATAL ANY)
  file(CHMOD "${file}.gz" FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
endfunction()

file(GLOB pages "${root}/share/man/man*/*.[0-9]")
foreach(page IN LISTS pages)
  quoxa_gzip("${page}")
endforeach()

file(READ "${metainfo_file}" metainfo)
string(REGEX MATCHALL "<release version=\"[^\"]+\" date=\"[^\"]+\"" releases "${metainfo}")
list(GET releases 0 newest)
if(NOT newest MATCHES "version=\"${CPACK_PACKAGE_VERSION}\"")
  message(FATAL_ERROR "The newest release in ${metainfo_file} is not ${CPACK_PACKAGE_VERSION}")
endif()
set(changelog "")
foreach(release IN LISTS releases)
  string(REGEX REPLACE ".*version=\"([^\"]+)\".*" "\\1" version "${release}")
  string(REGEX REPLACE ".*date=\"([^\"]+)\".*" "\\1" date "${release}")
  execute_process(COMMAND date -R -u -d "${date}" OUTPUT_VARIABLE stamp
                  OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  string(APPEND changelog "${CPACK_PACKAGE_NAME} (${version}) unstable; urgency=medium\n\n"
         "  * Release ${version}.\n\n -- ${CPACK_PACKAGE_CONTACT}  ${stamp}\n\n")
endforeach()
string(STRIP "${changelog}" changelog)

file(MAKE_DIRECTORY "${doc}")
file(WRITE "${doc}/changelog" "${changelog}\n")
quoxa_gzip("${doc}/changelog")
file(COPY_FILE "${CPACK_QUOXA_DATA}/copyright" "${doc}/copyright")
file(CHMOD "${doc}/copyright" FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
