# cmake -DTO=out.txt -DFROM="a.txt;b.txt" [-DTITLES=ON] [-DLEAD=lead.txt] -P CrlfCopy.cmake
# Writes the text files FROM, one after the other, to TO with Windows' line ends (CRLF), as
# Notepad before Windows 10 reads them. With TITLES, each begins with its name, underlined; a
# LEAD file comes before them all, untitled.
set(text "")
if(LEAD)
  file(READ "${LEAD}" text)
endif()
foreach(from ${FROM})
  file(READ "${from}" part)
  if(TITLES)
    get_filename_component(name "${from}" NAME)
    string(REGEX REPLACE "." "=" line "${name}")
    string(APPEND text "${name}\n${line}\n\n")
  endif()
  string(APPEND text "${part}")
  if(TITLES)
    string(APPEND text "\n\n")
  endif()
endforeach()
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE "${TO}" "${text}")
