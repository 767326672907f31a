// The named layouts and layout files: the file each makes of one HID and one
// EM4100 credential, and the faults a layout file is refused for, with their
// line.

#include <gtest/gtest.h>

#include <vector>

#include "exports/export_writer.h"
#include "exports/layout_file.h"

namespace vx {
namespace {

std::vector<ExportedCredential> TwoCards() {
  ExportedCredential hid, em;
  hid.format = "HID26";
  hid.facilityCode = 12;
  hid.cardNumber = 1000;
  em.format = "EM4100";
  em.facilityCode = 12;
  em.cardNumber = 3456789012u;
  return {hid, em};
}

std::string Made(const Layout& layout, std::string* unmapped = nullptr) {
  const ExportText text = ExportFileText(layout, TwoCards(), Em4100Form::Hex10, false);
  if (unmapped) *unmapped = text.unmappedFormat;
  return text.bytes;
}

struct NamedLayoutCase {
  const char* name;
  std::string bytes;
};

const NamedLayoutCase kNamedLayouts[] = {
    {"plain", "format,facility_code,card_number,printed_number\r\nHID26,12,1000,\r\nEM4100,12,\"0CCE0A6A14\",\r\n"},
    {"camel", "cardFormat,facilityCode,cardNumber,externalNumber\r\nHID26,12,1000,\r\nEM4100,12,\"0CCE0A6A14\",\r\n"},
    {"pair", "12:1000\r\n12:0CCE0A6A14\r\n"},
    {"columns", "12,1000\r\n12,\"0CCE0A6A14\"\r\n"},
    {"Camel", "cardFormat,facilityCode,cardNumber,externalNumber\r\nHID26,12,1000,\r\nEM4100,12,\"0CCE0A6A14\",\r\n"},
};

TEST(NamedLayouts, HeaderAndColumns) {
  for (const NamedLayoutCase& c : kNamedLayouts) {
    const std::optional<Layout> layout = NamedLayout(c.name, ',');
    ASSERT_TRUE(layout) << c.name;
    EXPECT_EQ(Made(*layout), c.bytes) << c.name;
  }
  EXPECT_FALSE(NamedLayout("grid", ','));
}

struct LayoutFileCase {
  const char* name;
  std::string text;
  std::string bytes;     // the file made, when good
  std::string unmapped;  // the format the map lacks, when good
  int line;              // the line at fault, when bad
  std::string problem;   // a text the fault holds; empty when good
};

const LayoutFileCase kLayoutFiles[] = {
    {"header, format codes, a field always quoted",
     "# The door system's batch import\n"
     "header: Card Type,Facility,Card,External\n"
     "fields: {format:26=2,35=4,EM4100=9},{fc},{cn},\"{printed}\"\n",
     "Card Type,Facility,Card,External\r\n2,12,1000,\"\"\r\n9,12,\"0CCE0A6A14\",\"\"\r\n", "", 0, ""},
    {"no header, a colon between", "fields: {fc}:{cn}\n", "12:1000\r\n12:\"0CCE0A6A14\"\r\n", "", 0, ""},
    {"tabs, braces of their own, a byte-order mark, CR LF, keys in any case",
     "\xEF\xBB\xBFHEADER: Format{tab}{{Card}}\r\nFields:  {format}{tab}{{{cn}}}  \r\n",
     "Format\t{Card}\r\nHID26\t{1000}\r\nEM4100\t{\"0CCE0A6A14\"}\r\n", "", 0, ""},
    {"format codes by name", "fields: {format:hid26=A,em4100=B};{fc}\n", "A;12\r\nB;12\r\n", "", 0, ""},
    {"a format the map lacks", "fields: {format:26=2},{cn}\n", "", "EM4100", 0, ""},
    {"no fields line", "header: A\n", "", "", 0, "it has no fields: line"},
    {"two fields lines", "fields: {fc}\n\nfields: {cn}\n", "", "", 3, "a second fields: line; the first is line 1"},
    {"a line of neither kind", "# comment\ncolumns: {fc}\n", "", "", 2, "neither a header: line"},
    {"a field that does not exist", "fields: {fc},{card}\n", "", "", 1, "there is no field {card}; the fields are {fc}"},
    {"a brace left open", "fields: {fc},{cn\n", "", "", 1, "a { without its }"},
    {"a brace never opened", "fields: fc},{cn}\n", "", "", 1, "a } without its {"},
    {"a map on another field", "fields: {fc:1}\n", "", "", 1, "{fc:1}: only {format} takes a map"},
    {"a map entry without its code", "fields: {format:26=2,35}\n", "", "", 1, "entry \"35\" is not KEY=CODE"},
    {"a map naming a format twice", "fields: {format:26=2,26=3}\n", "", "", 1, "names 26 twice"},
    {"a map key that names no format", "fields: {format:H-26=2}\n", "", "", 1, "key \"H-26\" is neither"},
    {"a quote around more than a field", "fields: \"{fc},{cn}\"\n", "", "", 1, "a quote may stand only around one field"},
    {"a quote in the separators", "fields: {fc}\"{cn}\n", "", "", 1, "a quote may stand only around one field"},
    {"a fields line without a field", "fields: fc,cn\n", "", "", 1, "the fields: line has no field"},
    {"a field in the header", "header: {fc}\nfields: {fc}\n", "", "", 1, "the header: line holds no fields"},
    {"an empty header", "header:\nfields: {fc}\n", "", "", 1, "the header: line is empty"},
    {"a control character", "fields: {fc}\x1b[2J\n", "", "", 1,
     "it holds a control or invisible character, U+001B, at character 13"},
    {"a control character of the C1 set", "header: A\xC2\x9B" "2J\nfields: {fc}\n", "", "", 1, "U+009B, at character 10"},
    {"a byte-order mark inside", "fields: \xEF\xBB\xBF{fc}\n", "", "", 1, "U+FEFF, at character 9"},
    {"bytes that are not UTF-8", "header: Karte \xFC\nfields: {fc}\n", "", "", 1, "it is not UTF-8 text"},
};

TEST(LayoutFiles, MakeTheirLinesOrNameTheFaultyLine) {
  for (const LayoutFileCase& c : kLayoutFiles) {
    const LayoutFileResult result = ParseLayoutText(c.text);
    if (c.problem.empty()) {
      ASSERT_TRUE(result.layout) << c.name << ": " << result.problem;
      std::string unmapped;
      EXPECT_EQ(Made(*result.layout, &unmapped), c.bytes) << c.name;
      EXPECT_EQ(unmapped, c.unmapped) << c.name;
    } else {
      EXPECT_FALSE(result.layout) << c.name;
      EXPECT_EQ(result.line, c.line) << c.name;
      EXPECT_NE(result.problem.find(c.problem), std::string::npos) << c.name << ": " << result.problem;
    }
  }
}

}  // namespace
}  // namespace vx
