# Writes the game's AppStream metainfo from assets/morvath.metainfo.xml.in. Software centres load
# the screenshots from the web, so they are named only when the address where docs/screenshots is
# published is known (screenshotUrl); without it the metainfo has none.
#
# Also runs as a script (the package test checks both forms):
#   cmake -DOUTPUT=file [-DSCREENSHOT_URL=https://...] [-DMORVATH_HOMEPAGE_URL=https://...]
#         -P cmake/metainfo.cmake

# Software centres want a reverse-domain name for the game, a home page, and a reverse-domain
# name for its developers. The game has no web address of its own yet: until it has, all three
# sit under example.org, the domain kept for placeholders. Set them when configuring
# (-DMORVATH_APPSTREAM_ID=... -DMORVATH_HOMEPAGE_URL=...), and keep the old game name in
# <provides><id> once the game is published.
if(NOT DEFINED MORVATH_APPSTREAM_ID)
  set(MORVATH_APPSTREAM_ID "org.example.morvath")
endif()
if(NOT DEFINED MORVATH_HOMEPAGE_URL)
  set(MORVATH_HOMEPAGE_URL "https://morvath.example.org/")
endif()
# The developers' name is the game's without its last part (org.example for org.example.morvath).
string(REGEX REPLACE "\\.[^.]*$" "" MORVATH_DEVELOPER_ID "${MORVATH_APPSTREAM_ID}")
# Each screenshot: file name in docs/screenshots, then its caption.
set(MORVATH_SCREENSHOTS
    "map.png|The land around the town of Makar"
    "fight.png|A fight in the caves"
    "start.png|The start screen"
    "weapon-shop.png|The weapon shop"
    "maze.png|The guarded maze of the Upper Keep"
    "blackjack.png|Blackjack at the bar of the Elkwood Inn")
set(MORVATH_METAINFO_TEMPLATE ${CMAKE_CURRENT_LIST_DIR}/../assets/morvath.metainfo.xml.in)

function(MorvathMetainfo output screenshotUrl)
  set(MORVATH_METAINFO_SCREENSHOTS "")
  if(NOT screenshotUrl STREQUAL "")
    string(REGEX REPLACE "/+$" "" base "${screenshotUrl}")
    set(type " type=\"default\"")
    set(xml "\n  <screenshots>")
    foreach(entry IN LISTS MORVATH_SCREENSHOTS)
      string(REPLACE "|" ";" parts "${entry}")
      list(GET parts 0 file)
      list(GET parts 1 caption)
      string(APPEND xml "\n    <screenshot${type}>\n      <caption>${caption}</caption>"
             "\n      <image>${base}/${file}</image>\n    </screenshot>")
      set(type "")
    endforeach()
    string(APPEND xml "\n  </screenshots>")
    set(MORVATH_METAINFO_SCREENSHOTS "${xml}")
  endif()
  configure_file(${MORVATH_METAINFO_TEMPLATE} ${output} @ONLY)
endfunction()

if(CMAKE_SCRIPT_MODE_FILE AND CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  if(NOT DEFINED OUTPUT)
    message(FATAL_ERROR "usage: cmake -DOUTPUT=file [-DSCREENSHOT_URL=url] -P metainfo.cmake")
  endif()
  MorvathMetainfo(${OUTPUT} "${SCREENSHOT_URL}")
endif()
