# cmake -DTEMPLATE=sw.js -DOUTPUT=FILE -DPAGE_DIR=DIR -DVERSION=V -DFILES=a;b;c -P make_service_worker.cmake
# The service worker with the page's files and its cache's name filled in:
# the version and a digest of the files, so that any change to the page,
# even within one version, replaces the cache a browser keeps.
set(digests "")
set(names "")
foreach(file ${FILES})
  file(SHA256 ${file} digest)
  string(APPEND digests ${digest})
  file(RELATIVE_PATH name ${PAGE_DIR} ${file})
  string(APPEND names "  '${name}',\n")
endforeach()
string(SHA256 digest "${digests}")
string(SUBSTRING ${digest} 0 12 digest)
file(READ ${TEMPLATE} text)
string(REPLACE "@CACHE_NAME@" "pinwick-${VERSION}-${digest}" text "${text}")
string(REPLACE "@PAGE_FILES@" "${names}" text "${text}")
file(WRITE ${OUTPUT}.part "${text}")
file(RENAME ${OUTPUT}.part ${OUTPUT})
