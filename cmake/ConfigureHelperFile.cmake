# Writes the helper file from its template with the product viewer's path:
#   cmake -DTEMPLATE=vellor.ini.in -DOUTPUT=vellor.ini -DVIEWER=/path/vellora-view -P ConfigureHelperFile.cmake
# The build runs it for the copy beside the program in the build tree, the
# install step for the installed copy (with the installed viewer's path).
set(VELLORA_VIEWER_PATH "${VIEWER}")
configure_file("${TEMPLATE}" "${OUTPUT}" @ONLY)
