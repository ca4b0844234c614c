# Fails when a folder above the platform layer includes a Qt header other than
# the value types every layer may use, and when the store includes a Qt header
# other than those value types and the ones of Qt Core and Qt SQL (named with
# their module, <QtCore/QDir>, <QtSql/QSqlQuery>). Upward includes between our
# own folders already fail to compile (each folder builds against its own
# include root).
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
if(failures)
  message(FATAL_ERROR "Qt headers above the platform layer (allowed: ${allowed}; in the store also <QtCore/...> and <QtSql/...>):\n${failures}")
endif()
message(STATUS "layering: only Qt value types above the platform layer")
