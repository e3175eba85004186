# cmake -DINPUT=file -DOUTPUT=file.cpp -DSYMBOL=name -P EmbedFile.cmake
# Writes a C++ source that holds the bytes of INPUT as `const unsigned char SYMBOL[]` and their
# count as `const unsigned int SYMBOLSize`.
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" length)
math(EXPR size "${length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n  " bytes "${bytes}")
file(WRITE "${OUTPUT}" "// Made from ${INPUT} at build time.\n"
  "extern const unsigned char ${SYMBOL}[];\n"
  "extern const unsigned int ${SYMBOL}Size;\n"
  "const unsigned char ${SYMBOL}[] = {\n  ${bytes}\n};\n"
  "const unsigned int ${SYMBOL}Size = ${size};\n")
