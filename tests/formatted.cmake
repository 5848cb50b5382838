# cmake -DCLANG_FORMAT=<program> -DSTYLE=<.clang-format> -DFOLDERS=<dir;dir> -P formatted.cmake: fails
# naming every C++ file under FOLDERS that clang-format would change.
set(files "")
foreach(folder ${FOLDERS})
  file(GLOB_RECURSE found ${folder}/*.h ${folder}/*.cpp)
  list(APPEND files ${found})
endforeach()
if(NOT files)
  message(FATAL_ERROR "no source files under ${FOLDERS}")
endif()
execute_process(COMMAND ${CLANG_FORMAT} --style=file:${STYLE} --dry-run --Werror ${files}
                RESULT_VARIABLE result ERROR_VARIABLE report)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "not formatted (run clang-format -i on the files named):\n${report}")
endif()
list(LENGTH files count)
message(STATUS "${count} files formatted")
