# Turns a Markdown file into a help page styled like puzzle-making.html,
# with a way back to it. The page's title is the file's first heading.
# With -DLANG=en the page belongs to the English pages (puzzle-making-en.html)
# and a heading "Japanese (English)" gives the title its English half.
# usage: cmake -DCMARK=cmark-gfm -DSRC=in.md -DDST=out.html [-DLANG=en] -P help_page.cmake
execute_process(COMMAND "${CMARK}" --validate-utf8 -e table -e autolink "${SRC}"
                OUTPUT_VARIABLE body RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${CMARK} could not convert ${SRC}")
endif()
file(STRINGS "${SRC}" heading REGEX "^# " LIMIT_COUNT 1 ENCODING UTF-8)
string(REGEX REPLACE "^# " "" title "${heading}")
string(REPLACE "&" "&amp;" title "${title}")
string(REPLACE "<" "&lt;" title "${title}")
string(REPLACE "`" "" title "${title}")
set(back "<a href=\"puzzle-making.html\">← パズルの作り方 (Making puzzles)</a>")
set(app "ぱっこん")
if(LANG STREQUAL "en")
  if(title MATCHES "^(.*) \\((.*)\\)$")
    set(first "${CMAKE_MATCH_1}")
    set(second "${CMAKE_MATCH_2}")
    if(first MATCHES "^[ -~]+$")
      set(title "${first}")
    elseif(second MATCHES "^[ -~]+$")
      set(title "${second}")
    endif()
  endif()
  set(back "<a href=\"puzzle-making-en.html\">← Making puzzles</a>")
  set(app "Pakkon")
else()
  set(LANG ja)
endif()
file(WRITE "${DST}.new" "<!DOCTYPE html>
<html lang=\"${LANG}\">
<head>
<meta charset=\"utf-8\">
<title>${title} — ${app}</title>
<style>
  body { font-family: \"IPAGothic\", \"Noto Sans CJK JP\", sans-serif; max-width: 46em; margin: 2em auto; line-height: 1.6; color: #222; }
  code, pre { font-family: monospace; background: #f4f4f4; }
  pre { padding: .6em 1em; overflow-x: auto; }
  h1 { font-size: 1.5em; } h2 { font-size: 1.2em; margin-top: 1.6em; border-bottom: 1px solid #ccc; }
  table { border-collapse: collapse; } td, th { border: 1px solid #ccc; padding: .2em .6em; text-align: left; }
</style>
</head>
<body>
<p>${back}</p>
${body}</body>
</html>
")
file(RENAME "${DST}.new" "${DST}")
