# cmake -DNM=llvm-nm -DLIBRARIES="a.a;b.a" -DOUTPUT=file.json -P LibraryFunctions.cmake
# Writes the names of the functions the libraries define, as a JSON list (ASYNCIFY_REMOVE's form).
execute_process(COMMAND ${NM} --defined-only ${LIBRARIES} OUTPUT_VARIABLE symbols
                COMMAND_ERROR_IS_FATAL ANY)
string(REGEX MATCHALL "[0-9a-f]+ [Tt] [^\n]+" lines "${symbols}")
set(names)
foreach(line ${lines})
  string(REGEX REPLACE "^[0-9a-f]+ [Tt] " "" name "${line}")
  list(APPEND names "\"${name}\"")
endforeach()
list(REMOVE_DUPLICATES names)
list(SORT names)
list(JOIN names ",\n" json)
file(WRITE ${OUTPUT} "[\n${json}\n]\n")
