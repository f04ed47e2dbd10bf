# Makes the one-file page: page.html with its CSS, its JavaScript and the
# WebAssembly module (gzipped, as base64) put in at the markers @STYLE@, @SCRIPT@
# and @MODULE@. The scripts are joined in the order given, as one program
# in a function of its own, so that none of their names leaks into the
# page's global scope. Run as a script:
#
#   cmake -DWASM=quorvale_web.wasm -DPAGE_DIR=page -DSCRIPTS=js/a.js,js/b.js
#         -DOUTPUT=quorvale.html -DMOST_BYTES=307200 -P assemble.cmake
#
# Fails when the page is larger than MOST_BYTES.

find_program(BASE64 base64 REQUIRED)
find_program(GZIP gzip REQUIRED)
# The module goes in gzipped (the page inflates it with the browser's
# DecompressionStream): less than half its size, and the same bytes from
# the same module (-n: no name or time in the header).
execute_process(COMMAND ${GZIP} -9 -n -c ${WASM} OUTPUT_FILE ${OUTPUT}.wasm.gz RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "gzip of ${WASM} failed")
endif()
execute_process(COMMAND ${BASE64} -w 0 ${OUTPUT}.wasm.gz OUTPUT_VARIABLE module RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "base64 of ${WASM} failed")
endif()
file(REMOVE ${OUTPUT}.wasm.gz)
file(READ ${PAGE_DIR}/page.html page)
file(READ ${PAGE_DIR}/page.css style)
set(script "(() => {\n'use strict';\n")
string(REPLACE "," ";" scripts "${SCRIPTS}")
foreach(part IN LISTS scripts)
  file(READ ${PAGE_DIR}/${part} text)
  string(APPEND script "\n${text}")
endforeach()
string(APPEND script "\n})();")
string(REPLACE "@STYLE@" "${style}" page "${page}")
string(REPLACE "@SCRIPT@" "${script}" page "${page}")
string(REPLACE "@MODULE@" "${module}" page "${page}")
file(WRITE ${OUTPUT} "${page}")
file(SIZE ${WASM} module_bytes)
file(SIZE ${OUTPUT} page_bytes)
message(STATUS "${OUTPUT}: ${page_bytes} bytes (the module ${module_bytes} bytes, before gzip and base64)")
if(page_bytes GREATER MOST_BYTES)
  message(FATAL_ERROR "the page has ${page_bytes} bytes, more than ${MOST_BYTES}")
endif()
