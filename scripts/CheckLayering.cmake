# Fails when a folder above the platform layer includes a Qt header other than
# the value types every layer may use, and when the store includes a Qt header
# other than those value types and the ones of Qt Core and Qt SQL (named with
# their module, <QtCore/QDir>, <QtSql/QSqlQuery>); and when a sub-layer of a
# folder includes one above it (the rules below). Upward includes between our
# own folders already fail to compile (each folder builds against its own
# include root); sub-layers share their folder's root, so the build runs this
# script before it compiles anything of ours.
# Run: cmake -DSOURCE_DIR=<checkout> -P scripts/CheckLayering.cmake
cmake_minimum_required(VERSION 3.25)
set(allowed QString QStringList QByteArray QChar)
set(layers stream grid orgchart chrome store screens)
set(failures "")
foreach(layer ${layers})
  file(GLOB_RECURSE files ${SOURCE_DIR}/src/${layer}/*.h ${SOURCE_DIR}/src/${layer}/*.cpp)
  foreach(f ${files})
    file(STRINGS ${f} lines REGEX "^[ \t]*#[ \t]*include[ \t]*<Q")
    foreach(line ${lines})
      string(REGEX REPLACE ".*<([^>/]+/)?([^>]+)>.*" "\\2" header "${line}")
      if(layer STREQUAL "store" AND line MATCHES "<Qt(Core|Sql)/")
        continue()
      endif()
      if(NOT header IN_LIST allowed)
        file(RELATIVE_PATH rel ${SOURCE_DIR} ${f})
        string(APPEND failures "  ${rel}: <${header}>\n")
      endif()
    endforeach()
  endforeach()
endforeach()

# Sub-layers inside a folder share its include root, so the compiler cannot
# keep them apart; their includes are read here instead. The grid's geometry,
# rows and selections know nothing of the grid control or its editor, the
# chart's nodes and layout nothing of the chart control or of windows, and the
# platform's canvas (and the base beneath it) nothing of windows or controls.
# Each rule: folder, the folders it must not include (as "layer/sub/").
set(sublayer_rules
  "grid/layout:grid/core/ grid/editor/ grid/drawgrid/ grid/viewgrid/ grid/ptgrid/"
  "grid/model:grid/core/ grid/editor/ grid/drawgrid/ grid/viewgrid/ grid/ptgrid/"
  "grid/selection:grid/core/ grid/editor/ grid/drawgrid/ grid/viewgrid/ grid/ptgrid/"
  "orgchart/model:orgchart/OrgChart orgchart/Chart orgchart/OcInplaceEdit platform/framework/ platform/controls/"
  "platform/base:platform/canvas/ platform/framework/ platform/controls/"
  "platform/canvas:platform/framework/ platform/controls/")
# The context owns the application object, so its source alone looks up.
set(sublayer_exceptions "src/platform/base/AppContext.cpp>platform/framework/Application.h")
set(upward "")
foreach(rule ${sublayer_rules})
  string(REPLACE ":" ";" parts "${rule}")
  list(GET parts 0 folder)
  list(GET parts 1 forbidden)
  string(REPLACE " " ";" forbidden "${forbidden}")
  file(GLOB_RECURSE files ${SOURCE_DIR}/src/${folder}/*.h ${SOURCE_DIR}/src/${folder}/*.cpp)
  foreach(f ${files})
    file(RELATIVE_PATH rel ${SOURCE_DIR} ${f})
    file(STRINGS ${f} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line ${lines})
      string(REGEX REPLACE ".*\"([^\"]+)\".*" "\\1" header "${line}")
      if("${rel}>${header}" IN_LIST sublayer_exceptions)
        continue()
      endif()
      foreach(prefix ${forbidden})
        string(FIND "${header}" "${prefix}" at)
        if(at EQUAL 0)
          string(APPEND upward "  ${rel}: \"${header}\"\n")
        endif()
      endforeach()
    endforeach()
  endforeach()
endforeach()

if(failures)
  message(FATAL_ERROR "Qt headers above the platform layer (allowed: ${allowed}; in the store also <QtCore/...> and <QtSql/...>):\n${failures}")
endif()
if(upward)
  message(FATAL_ERROR "Includes of a sub-layer above (rules in scripts/CheckLayering.cmake):\n${upward}")
endif()
message(STATUS "layering: only Qt value types above the platform layer, no sub-layer looks up")
