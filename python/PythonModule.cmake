# Whether the Python module tav (python/) can be built: pybind11 and the
# headers of Debian's Python 3 (/usr/bin/python3 unless Python3_EXECUTABLE
# names another), and no sanitizer or fuzzing build, whose instrumented
# module Python cannot load. Sets TAV_PYTHON_MODULE.
set(TAV_PYTHON_MODULE OFF)
if(TAV_SANITIZE OR TAV_FUZZ)
  message(STATUS "Python module tav: not built in a sanitizer or fuzzing build")
  return()
endif()
if(NOT Python3_EXECUTABLE AND EXISTS /usr/bin/python3)
  set(Python3_EXECUTABLE /usr/bin/python3)
endif()
find_package(Python3 COMPONENTS Interpreter Development.Module)
set(PYBIND11_FINDPYTHON ON)
find_package(pybind11 CONFIG QUIET)
if(NOT Python3_FOUND OR NOT pybind11_FOUND)
  message(STATUS "Python module tav: not built (needs pybind11-dev and python3-dev; "
                 "scripts/setup.sh installs them)")
  return()
endif()
set(TAV_PYTHON_MODULE ON)
math(EXPR TAV_PYTHON_NEXT_MINOR "${Python3_VERSION_MINOR} + 1")
# Where the module goes below the prefix: Debian's Python reads
# lib/python3/dist-packages under /usr (the package) and
# lib/python3.X/dist-packages under any other prefix (/usr/local).
set(TAV_PYTHON_INSTALL_DIR "" CACHE STRING
    "Where the Python module is installed, below the prefix (empty: Debian's dist-packages)")
set(TAV_PYTHON_DIR "${TAV_PYTHON_INSTALL_DIR}")
if(NOT TAV_PYTHON_DIR AND CMAKE_INSTALL_PREFIX STREQUAL "/usr")
  set(TAV_PYTHON_DIR "lib/python3/dist-packages")
elseif(NOT TAV_PYTHON_DIR)
  set(TAV_PYTHON_DIR "lib/python${Python3_VERSION_MAJOR}.${Python3_VERSION_MINOR}/dist-packages")
endif()
message(STATUS "Python module tav: built for ${Python3_EXECUTABLE} (${Python3_VERSION})")
