# Writes OUTPUT, a header with the struct WindowControls: one member per named widget and
# action of the main window's forms (FORMS), typed as in the form, found by object name
# in a window. Tests reach the controls this way; the window keeps its own private.
#   cmake -DOUTPUT=... -DFORMS="a.ui;b.ui" -P WindowControls.cmake
cmake_minimum_required(VERSION 3.21)
set(members "")
set(finds "")
set(includes "")
set(seen "")
foreach(form IN LISTS FORMS)
  file(STRINGS "${form}" lines REGEX "<(widget class=\"[A-Za-z:]+\"|action) name=\"[A-Za-z0-9_]+\"")
  foreach(line IN LISTS lines)
    if(line MATCHES "<widget class=\"([A-Za-z:]+)\" name=\"([A-Za-z0-9_]+)\"")
      set(type "${CMAKE_MATCH_1}")
      set(name "${CMAKE_MATCH_2}")
    elseif(line MATCHES "<action name=\"([A-Za-z0-9_]+)\"")
      set(type "QAction")
      set(name "${CMAKE_MATCH_1}")
    endif()
    # The window itself is not a child of itself.
    if(type STREQUAL "QMainWindow")
      continue()
    endif()
    if(name IN_LIST seen)
      message(FATAL_ERROR "${form}: the object name ${name} is used twice in the window")
    endif()
    list(APPEND seen "${name}")
    string(APPEND members "    ${type}* ${name} = nullptr;\n")
    string(APPEND finds "        find(window, \"${name}\", ${name});\n")
    if(NOT type IN_LIST includes)
      list(APPEND includes "${type}")
    endif()
  endforeach()
endforeach()
set(include_lines "")
foreach(type IN LISTS includes)
  string(APPEND include_lines "#include <${type}>\n")
endforeach()
file(WRITE "${OUTPUT}.new" "// Generated from the main window's forms; do not edit.
#pragma once

#include \"app/MainWindow.h\"

${include_lines}
#include <stdexcept>
#include <string>

struct WindowControls {
    // Finds every control in `window`, building its pages first; a control that is not
    // there is an error.
    explicit WindowControls(vrnnec::TForm1& window)
    {
        window.buildPages();
${finds}    }

${members}
private:
    template <typename T>
    static void find(vrnnec::TForm1& window, const char* name, T*& member)
    {
        member = window.findChild<T*>(QString::fromLatin1(name));
        if (member == nullptr)
            throw std::runtime_error(std::string(\"no control named \") + name + \" in the window\");
    }
};
")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
