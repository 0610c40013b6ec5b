# The pictures of the guide, one entry each: picture|model|page|quantity
# (the page and quantity as the program's --grab switch takes them). Read by
# the build (app/CMakeLists.txt) and by HelpPictures.cmake, which takes them.
# The guide's <img> elements name the pictures; the help tests check that
# each one it names is made. Each picture is one start of the program: keep
# the list short.
set(VORMID_HELP_PICTURE_TABLE
  "equation|power|equation|U"
  "type-b|power|equation|R"
  "distribution|distributions|equation|Z"
  "result|power|equation|P"
  "observations|power|values|U"
  "budget|power|budget|P"
  "correlation|mass|correlation|"
)
set(VORMID_HELP_PICTURE_NAMES "")
set(VORMID_HELP_PICTURE_MODELS "")
foreach(entry IN LISTS VORMID_HELP_PICTURE_TABLE)
  string(REPLACE "|" ";" fields "${entry}")
  list(GET fields 0 name)
  list(GET fields 1 model)
  list(APPEND VORMID_HELP_PICTURE_NAMES ${name})
  list(APPEND VORMID_HELP_PICTURE_MODELS ${model})
endforeach()
list(REMOVE_DUPLICATES VORMID_HELP_PICTURE_MODELS)
