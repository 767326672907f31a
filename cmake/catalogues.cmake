# The translations: every po/LANG.po is compiled with msgfmt --check, so a
# placeholder that does not match its English, a broken plural rule or a
# faulty header fails the build, and the compiled catalogues are built into
# the programs as byte arrays (the portable Windows zip has no folder to find
# them in). msgfmt runs on the build machine, for the MinGW build as well.
find_program(VX_MSGFMT msgfmt REQUIRED)

# Adds the catalogues to `target`, which defines vx::EmbeddedCatalogues().
function(vx_embed_catalogues target)
  file(GLOB po_files CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/po/*.po)
  list(SORT po_files)
  set(out_dir ${CMAKE_CURRENT_BINARY_DIR}/catalogues)
  set(mo_files)
  set(languages)
  foreach(po ${po_files})
    get_filename_component(language ${po} NAME_WE)
    set(mo ${out_dir}/${language}.mo)
    add_custom_command(OUTPUT ${mo}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${out_dir}
      COMMAND ${VX_MSGFMT} --check --output-file=${mo} ${po}
      DEPENDS ${po}
      COMMENT "Compiling the ${language} catalogue"
      VERBATIM)
    list(APPEND mo_files ${mo})
    list(APPEND languages ${language})
  endforeach()
  # The list goes to the script with another separator: a ; would split the
  # command's argument.
  string(REPLACE ";" "," language_list "${languages}")
  set(source ${out_dir}/embedded_catalogues.cpp)
  add_custom_command(OUTPUT ${source}
    COMMAND ${CMAKE_COMMAND} -DLANGUAGES=${language_list} -DMO_DIR=${out_dir} -DOUTPUT=${source}
            -P ${PROJECT_SOURCE_DIR}/cmake/embed_catalogues.cmake
    DEPENDS ${mo_files} ${PROJECT_SOURCE_DIR}/cmake/embed_catalogues.cmake
    COMMENT "Embedding the catalogues"
    VERBATIM)
  target_sources(${target} PRIVATE ${source})
endfunction()
