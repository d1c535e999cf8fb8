# Turns a Markdown file into a help page styled like puzzle-making.html,
# with a way back to it. The page's title is the file's first heading.
# usage: cmake -DCMARK=cmark-gfm -DSRC=in.md -DDST=out.html -P help_page.cmake
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
file(WRITE "${DST}.new" "<!DOCTYPE html>
<html lang=\"ja\">
<head>
<meta charset=\"utf-8\">
<title>${title} — ぱっこん</title>
<style>
  body { font-family: \"IPAGothic\", \"Noto Sans CJK JP\", sans-serif; max-width: 46em; margin: 2em auto; line-height: 1.6; color: #222; }
  code, pre { font-family: monospace; background: #f4f4f4; }
  pre { padding: .6em 1em; overflow-x: auto; }
  h1 { font-size: 1.5em; } h2 { font-size: 1.2em; margin-top: 1.6em; border-bottom: 1px solid #ccc; }
  table { border-collapse: collapse; } td, th { border: 1px solid #ccc; padding: .2em .6em; text-align: left; }
</style>
</head>
<body>
<p><a href=\"puzzle-making.html\">← パズルの作り方 (Making puzzles)</a></p>
${body}</body>
</html>
")
file(RENAME "${DST}.new" "${DST}")
