# The catalogue under Wine, once per locale.  Wine takes the user's language
# from LC_ALL even where the system lacks that locale (these machines have
# only C); LANG alone then leaves it at English (United States).
ov_windows_test(catalogue_test catalogue_test.cpp)
set(ov_catalogue_locales
  # name  locale       language id  column
  "en     en_US.UTF-8  0409         0"
  "de     de_DE.UTF-8  0407         3"
  "fr_ca  fr_CA.UTF-8  0C0C         2"
  "it_ch  it_CH.UTF-8  0810         1"
  "nl     nl_NL.UTF-8  0413         0")
foreach(row ${ov_catalogue_locales})
  string(REGEX MATCHALL "[^ ]+" fields "${row}")
  list(GET fields 0 name)
  list(GET fields 1 locale)
  list(GET fields 2 langid)
  list(GET fields 3 column)
  # The plain entry takes the first locale, the others one entry each.
  set(test catalogue_test)
  if(NOT name STREQUAL "en")
    set(test catalogue_test_${name})
    add_test(NAME ${test} COMMAND catalogue_test)
  endif()
  set_tests_properties(${test} PROPERTIES TIMEOUT 300 ENVIRONMENT
    "LANG=${locale};LC_ALL=${locale};OV_EXPECT_LANGID=${langid};OV_EXPECT_COLUMN=${column}")
endforeach()
