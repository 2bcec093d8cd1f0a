# Writes a C++ source that compiles files in as named data: a function that
# adds each file as a resource (runtime/ResourceStream.h) named after the
# file without its extension. Run as a build step:
#   cmake -DOUTPUT=<source> -DFUNCTION=<name> -DINCLUDE=<header> -DFILES=<a;b> -P EmbedResources.cmake
set(arrays "")
set(adds "")
foreach(file ${FILES})
  get_filename_component(name ${file} NAME_WE)
  file(READ ${file} hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "((0x..,){16})" "\\1\n    " bytes "${bytes}")
  string(APPEND arrays "const unsigned char Data${name}[] = {\n    ${bytes}};\n")
  string(APPEND adds "  AddResource(\"${name}\", Data${name}, sizeof Data${name}, false);\n")
endforeach()
file(WRITE ${OUTPUT}.new "// Written by cmake/EmbedResources.cmake from ${FILES}\n#include \"${INCLUDE}\"\n\n#include \"runtime/ResourceStream.h\"\n\nnamespace {\n\n${arrays}\n}  // namespace\n\nvoid ${FUNCTION}() {\n${adds}}\n")
file(COPY_FILE ${OUTPUT}.new ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.new)
