# The catalogue under Wine, once per locale.  Wine takes the user's language
# from LC_ALL even where the system lacks that locale; LANG alone then leaves
# it at English (United States).  The code page comes from LC_CTYPE, and only
# from a locale the system has: those rows use the build's own locales
# (tools/make-locales.sh), where LANG alone names the language.
ov_windows_test(catalogue_test catalogue_test.cpp)
set(ov_catalogue_locales
  # name     environment                                 language id  column  code page
  "en        LANG=en_US.UTF-8,LC_ALL=en_US.UTF-8         0409         0       1252"
  "de        LANG=de_DE.UTF-8,LC_ALL=de_DE.UTF-8         0407         3       1252"
  "fr_ca     LANG=fr_CA.UTF-8,LC_ALL=fr_CA.UTF-8         0C0C         2       1252"
  "it_ch     LANG=it_CH.UTF-8,LC_ALL=it_CH.UTF-8         0810         1       1252"
  "nl        LANG=nl_NL.UTF-8,LC_ALL=nl_NL.UTF-8         0413         0       1252"
  "fr_932    LANG=fr_FR.UTF-8,LC_CTYPE=ja_JP.UTF-8       040C         2       932"
  "de_65001  LANG=de_DE.UTF-8,LC_CTYPE=hi_IN.UTF-8       0407         3       65001")
foreach(row ${ov_catalogue_locales})
  string(REGEX MATCHALL "[^ ]+" f "${row}")
  list(GET f 0 name)
  # The plain entry takes the first locale, the others one entry each.
  set(test catalogue_test_${name})
  if(name STREQUAL "en")
    set(test catalogue_test)
  endif()
  list(GET f 1 environment)
  list(GET f 2 langid)
  list(GET f 3 column)
  list(GET f 4 codepage)
  ov_locale_test(${test} catalogue_test ${environment}
    OV_EXPECT_LANGID=${langid} OV_EXPECT_COLUMN=${column} OV_EXPECT_ACP=${codepage})
endforeach()
