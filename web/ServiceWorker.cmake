# cmake -DSITE=folder -DTEMPLATE=sw.js.in -P ServiceWorker.cmake
# Writes SITE/sw.js: the service worker that keeps every file of the site, its cache named after
# what the files hold, so that a changed game replaces the kept one and an unchanged one is kept.
# The stages are not among them: each is kept once it is fetched, in a cache of its own named
# after the whole set.
file(GLOB_RECURSE files RELATIVE ${SITE} ${SITE}/*)
list(REMOVE_ITEM files sw.js)
list(FILTER files EXCLUDE REGEX "^Stage/")
list(SORT files)
file(GLOB stages RELATIVE ${SITE} ${SITE}/Stage/*.stg)
list(SORT stages)
set(stage_sums "")
foreach(file ${stages})
  file(SHA256 ${SITE}/${file} sum)
  string(APPEND stage_sums "${sum} ${file}\n")
endforeach()
string(SHA256 STAGES "${stage_sums}")
string(SUBSTRING ${STAGES} 0 16 STAGES)
set(sums "")
set(FILES "'./'")
foreach(file ${files})
  file(SHA256 ${SITE}/${file} sum)
  string(APPEND sums "${sum} ${file}\n")
  string(APPEND FILES ", '${file}'")
endforeach()
string(SHA256 VERSION "${sums}")
string(SUBSTRING ${VERSION} 0 16 VERSION)
configure_file(${TEMPLATE} ${SITE}/sw.js @ONLY)
