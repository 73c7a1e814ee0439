# cmake -DROOT=<source folder> -P CheckLayers.cmake
# Checks that no folder includes a header of a folder above it, and that no folder below the front
# ends (main, app) shows a message box or an input box itself: the core asks through typed
# questions and returns reports. Each folder lists the folders
# it may include from (itself first); an include that only a folder outside that list can
# satisfy is reported. Headers found nowhere in the tree (system, generated) are not checked.
set(layers
  "platform/core:platform/core"
  "platform/qtcore:platform/qtcore,platform/core"
  "platform/qt:platform/qt,platform/qtcore,platform/core"
  "platform/x11:platform/x11,platform/core"
  "platform/media:platform/media,platform/x11,platform/qtcore,platform/core"
  "archivers:archivers,platform/core"
  "archives:archives,archivers,platform/core"
  "config:config,archives,archivers,platform/media,platform/x11,platform/qtcore,platform/core"
  "foldertree:foldertree,platform/qt,platform/qtcore,platform/core"
  "forms:forms,foldertree,platform/qt,platform/qtcore,platform/core"
  "main:main,forms,foldertree,config,archives,archivers,platform/media,platform/x11,platform/qt,platform/qtcore,platform/core"
  "app:app,main,forms,foldertree,config,archives,archivers,platform/media,platform/x11,platform/qt,platform/qtcore,platform/core")

set(folders "")
foreach(entry IN LISTS layers)
  string(REGEX REPLACE ":.*" "" folder "${entry}")
  list(APPEND folders ${folder})
  file(GLOB_RECURSE files RELATIVE ${ROOT}/${folder} ${ROOT}/${folder}/*.h ${ROOT}/${folder}/*.hpp)
  set(headers_${folder} ${files})
endforeach()

# Whether <folder> holds a header that the include text <inc> can name.
function(holds folder inc out)
  set(found FALSE)
  foreach(h IN LISTS headers_${folder})
    if(h STREQUAL inc OR h MATCHES "/${inc}$" OR "${folder}/${h}" MATCHES "(^|/)${inc}$")
      set(found TRUE)
      break()
    endif()
  endforeach()
  set(${out} ${found} PARENT_SCOPE)
endfunction()

set(errors 0)
foreach(entry IN LISTS layers)
  string(REGEX REPLACE ":.*" "" folder "${entry}")
  string(REGEX REPLACE "^[^:]*:" "" allowed "${entry}")
  string(REPLACE "," ";" allowed "${allowed}")
  file(GLOB_RECURSE sources ${ROOT}/${folder}/*.h ${ROOT}/${folder}/*.cpp ${ROOT}/${folder}/*.c)
  foreach(src IN LISTS sources)
    file(STRINGS ${src} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line IN LISTS lines)
      string(REGEX REPLACE "^[^\"]*\"([^\"]+)\".*" "\\1" inc "${line}")
      string(REPLACE "." "\\." inc "${inc}")
      set(ok FALSE)
      foreach(a IN LISTS allowed)
        holds(${a} "${inc}" ok)
        if(ok)
          break()
        endif()
      endforeach()
      if(ok)
        continue()
      endif()
      foreach(other IN LISTS folders)
        holds(${other} "${inc}" elsewhere)
        if(elsewhere)
          file(RELATIVE_PATH rel ${ROOT} ${src})
          message("${rel}: includes ${line} of ${other}, a folder above ${folder}")
          math(EXPR errors "${errors} + 1")
          break()
        endif()
      endforeach()
    endforeach()
  endforeach()
endforeach()

# Message boxes and input boxes belong to the front ends: below them no name ending in Message
# or InputQuery is followed by "(", so that no box is shown there and none is mistaken for one.
set(silent_folders config archives archivers platform/core)
foreach(folder IN LISTS silent_folders)
  file(GLOB_RECURSE sources ${ROOT}/${folder}/*.h ${ROOT}/${folder}/*.cpp ${ROOT}/${folder}/*.c)
  foreach(src IN LISTS sources)
    file(STRINGS ${src} lines REGEX "(Message|InputQuery)[ \t]*\\(")
    foreach(line IN LISTS lines)
      file(RELATIVE_PATH rel ${ROOT} ${src})
      string(STRIP "${line}" line)
      message("${rel}: talks to the user below the front ends: ${line}")
      math(EXPR errors "${errors} + 1")
    endforeach()
  endforeach()
endforeach()

if(errors GREATER 0)
  message(FATAL_ERROR "${errors} fault(s) against the layering")
endif()
message(STATUS "layering holds")
