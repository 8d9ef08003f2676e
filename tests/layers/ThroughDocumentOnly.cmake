# The desktop program and the command line reach card files, export
# writers, the software renderer's pictures and the import readers only
# through src/document, so both make the same files by the same recipe.
# Fails naming every source of src/app or src/cli that includes one of
# those headers directly.
# Run as: cmake -DSOURCE_DIR=<repository> -P ThroughDocumentOnly.cmake
set(forbidden
  "model/CardFile\\.h"
  "output/[A-Za-z]*Writer\\.h"
  "output/(BmpFile|PngFile|GifAnimation|PatternFiles)\\.h"
  "output/formats/"
  "view3d/(CardPictures|SoftwareRenderSink)\\.h"
  "import/(PictureFile|ModelFile|TextRaster|SvgPicture|SvgFlats)\\.h")
# Left to their own slices for now: the clipboard's SVG text and the pattern
# options dialog, which names formats by their old enumeration.
set(allowed
  "src/app/PatternOptionsDialog\\.h:.*output/PatternFiles\\.h"
  "src/app/PatternClipboard\\.cpp:.*output/SvgWriter\\.h")
file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/src/app/*.cpp ${SOURCE_DIR}/src/app/*.h
     ${SOURCE_DIR}/src/cli/*.cpp ${SOURCE_DIR}/src/cli/*.h)
set(found "")
foreach(source ${sources})
  file(STRINGS ${SOURCE_DIR}/${source} includes REGEX "^[ \t]*#[ \t]*include")
  foreach(line ${includes})
    foreach(pattern ${forbidden})
      if(line MATCHES "\"${pattern}")
        set(excused FALSE)
        foreach(exception ${allowed})
          if("${source}:${line}" MATCHES "${exception}")
            set(excused TRUE)
          endif()
        endforeach()
        if(NOT excused)
          string(APPEND found "\n  ${source}: ${line}")
        endif()
      endif()
    endforeach()
  endforeach()
endforeach()
if(found)
  message(FATAL_ERROR "include these through src/document:${found}")
endif()
