# Copies SRC to DST only when DST does not exist yet, so a player's
# settings survive a rebuild.
if(NOT EXISTS "${DST}")
  file(COPY_FILE "${SRC}" "${DST}")
endif()
