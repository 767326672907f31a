#include <gtest/gtest.h>

#include "record/record_columns.h"
#include "record/record_line.h"

namespace vx::test {
namespace {

// Records and tables written by earlier versions are read by these names;
// the printed number is the trailing column, named only by a record made
// while printed numbers are in use.
TEST(RecordColumns, NamesAsFilesAndTablesHaveThem) {
  EXPECT_EQ(kRecordHeader,
            "time,port,tab,format,fc_bits,cn_bits,param_y,param_z,facility_code,card_number,source,entry,outcome,"
            "read_facility_code,read_card_number");
  EXPECT_EQ(kRecordHeaderWithPrinted, std::string(kRecordHeader) + ",printed_number");
  EXPECT_EQ(RecordColumnNames(", ", kRecordBaseColumns),
            "time, port, tab, format, fc_bits, cn_bits, param_y, param_z, facility_code, card_number, source, "
            "entry, outcome, read_facility_code, read_card_number");
  EXPECT_EQ(RecordColumnNames(", "), RecordColumnNames(", ", kRecordBaseColumns) + ", printed_number");
}

// Each column carries its own field of the line, in the file and back.
TEST(RecordColumns, EachColumnCarriesItsField) {
  const RecordLine line{"T", "P", "B", "F", 1, 2, 3, 4, "FC", "CN", "S", 5, "O", "RF", "RC", "PN"};
  const RecordLine typed{"T", "P", "B", "F", 1, 2, 3, 4, "FC", "CN", "S", 0, "O", "", "", ""};
  struct Case {
    std::string_view column;
    std::string field;       // in `line`
    std::string typedField;  // in `typed`
    int longest;
  };
  const Case cases[] = {
      {"time", "T", "T", 40},         {"port", "P", "P", 200},        {"tab", "B", "B", 40},
      {"format", "F", "F", 40},       {"fc_bits", "1", "1", 0},        {"cn_bits", "2", "2", 0},
      {"param_y", "3", "3", 0},       {"param_z", "4", "4", 0},        {"facility_code", "FC", "FC", 20},
      {"card_number", "CN", "CN", 20}, {"source", "S", "S", 1000},     {"entry", "5", "", 0},
      {"outcome", "O", "O", 40},      {"read_facility_code", "RF", "", 20}, {"read_card_number", "RC", "", 20},
      {"printed_number", "PN", "", 20},
  };
  ASSERT_EQ(std::size(cases), kRecordColumns);
  std::vector<std::string> fields, typedFields;
  const std::string text = FormatRecordLine(line), typedText = FormatRecordLine(typed);
  std::size_t at = 0, typedAt = 0;
  ASSERT_EQ(NextCsvLine(text, at, fields), kRecordColumns);
  // Without a printed number the line has today's fields, and reads it as empty.
  ASSERT_EQ(NextCsvLine(typedText, typedAt, typedFields), kRecordBaseColumns);
  typedFields.resize(kRecordColumns);
  for (std::size_t i = 0; i < kRecordColumns; ++i) {
    const Case& c = cases[i];
    SCOPED_TRACE(std::string(c.column));
    EXPECT_EQ(kRecordColumnTable[i].name, c.column);
    EXPECT_EQ(kRecordColumnTable[i].longest, c.longest);
    EXPECT_EQ(fields[i], c.field);
    EXPECT_EQ(typedFields[i], c.typedField);
  }
  const auto back = ParseRecordText(text + typedText);
  ASSERT_EQ(back.size(), 2u);
  EXPECT_EQ(back[0], line);
  EXPECT_EQ(back[1], typed);
}

}  // namespace
}  // namespace vx::test
