# Run as cmake -DLANGUAGES=de,fr -DMO_DIR=dir -DOUTPUT=file.cpp -P embed_catalogues.cmake:
# writes the definition of vx::EmbeddedCatalogues() with each MO_DIR/LANG.mo
# as a byte array.
string(REPLACE "," ";" languages "${LANGUAGES}")
# CMake's expressions know no {16}: the pattern of sixteen bytes is spelt out.
string(REPEAT "0x[0-9a-f][0-9a-f]," 16 line)
set(arrays "")
set(rows "")
foreach(language ${languages})
  file(READ ${MO_DIR}/${language}.mo hex HEX)
  # Sixteen bytes a line, each as 0xNN.
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "(${line})" "\\1\n    " bytes "${bytes}")
  string(MAKE_C_IDENTIFIER "k_${language}" name)
  string(APPEND arrays "const std::uint8_t ${name}[] = {\n    ${bytes}\n};\n\n")
  string(APPEND rows "      {\"${language}\", ${name}},\n")
endforeach()
file(WRITE ${OUTPUT}
"// Made by the build from po/*.po (cmake/embed_catalogues.cmake): do not edit.
#include \"i18n/embedded_catalogues.h\"

#include <iterator>

namespace vx {

namespace {

${arrays}}  // namespace

std::span<const EmbeddedCatalogue> EmbeddedCatalogues() {
  static const EmbeddedCatalogue catalogues[] = {
${rows}      {\"\", {}},
  };
  // The last row only keeps the array from being empty without any .po file.
  return std::span<const EmbeddedCatalogue>(catalogues, std::size(catalogues) - 1);
}

}  // namespace vx
")
