# Writes a C++ table of every picture under IMAGES (png/, bitmap/, gif/, icon/ by resource id) to OUT.
# Run as a build step: cmake -DIMAGES=<dir> -DOUT=<file.cpp> -P EmbedResources.cmake
file(GLOB_RECURSE _files RELATIVE ${IMAGES} ${IMAGES}/*)
list(SORT _files)
set(_arrays "")
set(_rows "")
foreach(_rel ${_files})
  if(NOT _rel MATCHES "^(png|bitmap|gif|icon)/([0-9]+)\\.(png|gif|bmp)$")
    continue()
  endif()
  set(_type ${CMAKE_MATCH_1})
  set(_id ${CMAKE_MATCH_2})
  file(READ ${IMAGES}/${_rel} _hex HEX)
  string(LENGTH "${_hex}" _len)
  math(EXPR _size "${_len} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," _bytes "${_hex}")
  string(APPEND _arrays "static const unsigned char Res_${_type}_${_id}[] = {${_bytes}};\n")
  if(_type STREQUAL "png")
    set(_kind ResourceType::Png)
  elseif(_type STREQUAL "bitmap")
    set(_kind ResourceType::Bitmap)
  elseif(_type STREQUAL "icon")
    set(_kind ResourceType::Icon)
  else()
    set(_kind ResourceType::Gif)
  endif()
  string(APPEND _rows "  {${_kind}, ${_id}, Res_${_type}_${_id}, ${_size}},\n")
endforeach()
file(WRITE ${OUT}.tmp "// Generated from res/images by EmbedResources.cmake; do not edit.\n"
  "#include \"platform/ui/Resources.h\"\n\n"
  "${_arrays}\n"
  "extern const ResourceEntry EmbeddedResources[];\nextern const std::size_t EmbeddedResourceCount;\n"
  "const ResourceEntry EmbeddedResources[] = {\n${_rows}};\n"
  "const std::size_t EmbeddedResourceCount = sizeof(EmbeddedResources) / sizeof(EmbeddedResources[0]);\n")
file(COPY_FILE ${OUT}.tmp ${OUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUT}.tmp)
