# VADire.exe on Windows: the native dialogs, their resources and the
# application shell. Included by app/CMakeLists.txt for a Windows target.
enable_language(RC)

add_library(app STATIC
  ${CMAKE_CURRENT_LIST_DIR}/TessorDeployToolApp.h
  ${CMAKE_CURRENT_LIST_DIR}/TessorDeployToolApp.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AboutDlg.h
  ${CMAKE_CURRENT_LIST_DIR}/AboutDlg.cpp)
target_include_directories(app PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(app PUBLIC ui)

# The manifest names the processor architecture of the program it is in.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(VADIRE_MANIFEST_ARCH amd64)
else()
  set(VADIRE_MANIFEST_ARCH x86)
endif()
configure_file(${PROJECT_SOURCE_DIR}/res/win32/VADire.manifest.in
               ${CMAKE_CURRENT_BINARY_DIR}/VADire.manifest @ONLY)

add_executable(VADire WIN32
  ${CMAKE_CURRENT_LIST_DIR}/main.cpp
  ${PROJECT_SOURCE_DIR}/res/win32/VADire.rc)
target_link_libraries(VADire PRIVATE app)
# The resource script finds its ids, icon and manifest here.
target_include_directories(VADire PRIVATE
  ${PROJECT_SOURCE_DIR}/res/win32
  ${CMAKE_CURRENT_BINARY_DIR})
set_source_files_properties(${PROJECT_SOURCE_DIR}/res/win32/VADire.rc PROPERTIES
  OBJECT_DEPENDS "${PROJECT_SOURCE_DIR}/res/win32/vadire.ico;${PROJECT_SOURCE_DIR}/res/win32/ResourceIds.h;${CMAKE_CURRENT_BINARY_DIR}/VADire.manifest")
