# Writes the site's service worker (SITE_DIR/sw.js from WORKER) with the list of every other file of
# the site and its SHA-256, and the build's name from them: cmake -DSITE_DIR=... -DWORKER=... -P
# ListSite.cmake, after every other file of the site is made. The worker is written only when it
# changes, so an unchanged site stays the same build for the browsers that stored it.
file(GLOB_RECURSE paths RELATIVE ${SITE_DIR} ${SITE_DIR}/*)
list(REMOVE_ITEM paths sw.js)
list(SORT paths)
set(entries "")
foreach(path IN LISTS paths)
  file(SHA256 ${SITE_DIR}/${path} hash)
  list(APPEND entries "\n  \"${path}\": \"${hash}\"")
endforeach()
list(JOIN entries "," SITE_FILES)
set(SITE_FILES "{${SITE_FILES}\n}")
file(SHA256 ${WORKER} worker_hash)
string(SHA256 build "${SITE_FILES}${worker_hash}")
string(SUBSTRING ${build} 0 16 SITE_BUILD)
configure_file(${WORKER} ${SITE_DIR}/sw.js @ONLY)
