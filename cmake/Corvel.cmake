# Helpers shared by every folder: a folder's sources are globbed, so adding a
# file never means editing a CMakeLists.txt.

# corvel_library(NAME STATIC|SHARED|MODULE|OBJECT CORE|WIDGETS [LIBS ...])
# CORE libraries link Qt6::Core only: a widget include there fails to build.
function(corvel_library name type kind)
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  file(GLOB cpps CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT cpps)
    # Nothing compiled here yet: headers only.
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE Qt6::Core ${ARGN})
    return()
  endif()
  add_library(${name} ${type} ${srcs})
  target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  if(kind STREQUAL "CORE")
    target_link_libraries(${name} PUBLIC Qt6::Core ${ARGN})
  else()
    target_link_libraries(${name} PUBLIC Qt6::Core Qt6::Gui Qt6::Widgets ${ARGN})
  endif()
endfunction()

# corvel_subdirectories(FOLDER ...): adds folders of the current directory that
# the build cannot do without; a missing one is a configuration error, never a
# silent skip.
function(corvel_subdirectories)
  foreach(dir ${ARGN})
    if(NOT EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt)
      message(FATAL_ERROR "Pasta esperada ausente: ${CMAKE_CURRENT_SOURCE_DIR}/${dir} (sem CMakeLists.txt)")
    endif()
    add_subdirectory(${dir})
  endforeach()
  set_property(DIRECTORY APPEND PROPERTY CORVEL_LISTED_FOLDERS ${ARGN})
endfunction()

# corvel_check_unlisted_folders([IGNORED ...]): a subfolder of the current
# directory that holds a CMakeLists.txt but was not listed would be left out of
# the build without a word; stop instead.
function(corvel_check_unlisted_folders)
  get_property(listed DIRECTORY PROPERTY CORVEL_LISTED_FOLDERS)
  file(GLOB lists RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*/CMakeLists.txt)
  foreach(f ${lists})
    get_filename_component(dir ${f} DIRECTORY)
    if(NOT dir IN_LIST listed AND NOT dir IN_LIST ARGN)
      message(FATAL_ERROR "A pasta ${CMAKE_CURRENT_SOURCE_DIR}/${dir} tem um CMakeLists.txt mas não está na lista de pastas do build")
    endif()
  endforeach()
endfunction()

# corvel_tests(LIBS ...): one QtTest executable per tst_*.cpp of the folder,
# registered with ctest and run offscreen.
function(corvel_tests)
  file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tst_*.cpp)
  file(GLOB helpers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  foreach(src ${tests})
    get_filename_component(tname ${src} NAME_WE)
    add_executable(${tname} ${src} ${helpers})
    target_include_directories(${tname} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests/common)
    target_link_libraries(${tname} PRIVATE Qt6::Test ${ARGN})
    set_target_properties(${tname} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests-bin)
    add_test(NAME ${tname} COMMAND ${tname})
    # No session bus: without one, the D-Bus library forks a child from a
    # threaded program to start a bus, and under the sanitizers such a child
    # can hang for good on a lock another thread held (seen: the internal
    # browser never showed its first page). Tests neither need nor start one.
    set_tests_properties(${tname} PROPERTIES
      ENVIRONMENT "DBUS_SESSION_BUS_ADDRESS=disabled:;QT_QPA_PLATFORM=offscreen;XDG_DATA_HOME=${CMAKE_BINARY_DIR}/test-data-home;CORVEL_BIN_DIR=${CORVEL_BIN_DIR};CORVEL_SOURCE_DIR=${CMAKE_SOURCE_DIR};CORVEL_CORPUS_DIR=${CMAKE_SOURCE_DIR}/../shared/corpus"
      TIMEOUT ${CORVEL_TEST_TIMEOUT})
    if(CORVEL_SANITIZE)
      target_compile_definitions(${tname} PRIVATE CORVEL_SANITIZED_BUILD)
    endif()
    # The component's tests and those of the pure-logic libraries: the set
    # continuous integration also runs under the sanitizers.
    if(CMAKE_CURRENT_SOURCE_DIR MATCHES "/core$" OR CMAKE_CURRENT_SOURCE_DIR MATCHES "/tests/control(/|$)")
      set_tests_properties(${tname} PROPERTIES LABELS core)
    endif()
  endforeach()
endfunction()
