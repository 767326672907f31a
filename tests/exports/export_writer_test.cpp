// How the writer puts a value into the file, and the file's delimiter and
// byte-order mark: RFC 4180's quotes where they are needed, quotes that keep
// leading zeros, and never a value a spreadsheet would run as a formula.

#include <gtest/gtest.h>

#include "exports/export_writer.h"

namespace vx {
namespace {

struct QuotingCase {
  std::string value;
  std::string separators;
  bool alwaysQuoted;
  std::string written;
};

const QuotingCase kQuotings[] = {
    {"1000", ",", false, "1000"},
    {"0", ",", false, "0"},
    {"0004711", ",", false, "\"0004711\""},
    {"a,b", ",", false, "\"a,b\""},
    {"a;b", ",", false, "a;b"},
    {"a;b", ";", false, "\"a;b\""},
    {"12:1000", "", false, "12:1000"},
    {"say \"hi\"", ",", false, "\"say \"\"hi\"\"\""},
    {"two\r\nlines", ",", false, "\"two\r\nlines\""},
    {"12", ",", true, "\"12\""},
    {"=1+2", ",", false, "\"'=1+2\""},
    {"+31", ",", false, "\"'+31\""},
    {"-1", ",", false, "\"'-1\""},
    {"@SUM(A1)", ",", false, "\"'@SUM(A1)\""},
    {"\t=1", ",", false, "\"'\t=1\""},
    {"\r=1", ",", false, "\"'\r=1\""},
    {"=\"x\"", ",", true, "\"'=\"\"x\"\"\""},
};

TEST(ExportWriter, QuotesWhereNeededAndNeverWritesAFormula) {
  for (const QuotingCase& c : kQuotings)
    EXPECT_EQ(ExportValue(c.value, c.separators, c.alwaysQuoted), c.written) << c.value;
}

struct WriterFileCase {
  const char* delimiter;
  bool byteOrderMark;
  std::string bytes;
};

const WriterFileCase kWriterFiles[] = {
    {"comma", false, "format,facility_code,card_number,printed_number\r\nHID26,12,1000,\r\n"},
    {"semicolon", true, "\xEF\xBB\xBF" "format;facility_code;card_number;printed_number\r\nHID26;12;1000;\r\n"},
    {"TAB", false, "format\tfacility_code\tcard_number\tprinted_number\r\nHID26\t12\t1000\t\r\n"},
};

TEST(ExportWriter, DelimiterAndByteOrderMark) {
  ExportedCredential card;
  card.format = "HID26";
  card.facilityCode = 12;
  card.cardNumber = 1000;
  for (const WriterFileCase& c : kWriterFiles) {
    const std::optional<char> delimiter = DelimiterOfName(c.delimiter);
    ASSERT_TRUE(delimiter) << c.delimiter;
    const ExportText text = ExportFileText(*NamedLayout("plain", *delimiter), {card}, Em4100Form::Hex10, c.byteOrderMark);
    EXPECT_EQ(text.bytes, c.bytes) << c.delimiter;
  }
  EXPECT_FALSE(DelimiterOfName("pipe"));
}

}  // namespace
}  // namespace vx
