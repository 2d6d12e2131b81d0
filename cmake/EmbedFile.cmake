# cmake -DINPUT=file -DOUTPUT=source.cpp -DSYMBOL=name -DNAMESPACE=ns -P EmbedFile.cmake
# Writes a C++ source that holds the bytes of INPUT as `const unsigned char SYMBOL[]` and its size
# as `SYMBOL_size`, so that a picture is built into a library instead of looked up at run time.
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" length)
math(EXPR size "${length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n  " bytes "${bytes}")
file(WRITE "${OUTPUT}" "// Generated from ${INPUT}; do not edit.\n#include <cstddef>\n\nnamespace ${NAMESPACE} {\n\nextern const unsigned char ${SYMBOL}[] = {\n  ${bytes}\n};\nextern const std::size_t ${SYMBOL}_size = ${size};\n\n}  // namespace ${NAMESPACE}\n")
