#include "exports/export_writer.h"

namespace vx {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

bool StartsAsFormula(std::string_view value) {
  return !value.empty() && std::string_view("=+-@\t\r").find(value.front()) != std::string_view::npos;
}

bool HasLeadingZero(std::string_view value) { return value.size() > 1 && value.front() == '0'; }

std::string LineOf(const Layout& layout, std::string_view separators, const ExportedCredential& credential,
                   Em4100Form form, std::string& unmapped) {
  const CredentialFields fields = FieldsOf(credential, form);
  std::string line;
  for (const LayoutPiece& piece : layout.pieces) {
    if (!piece.field) {
      line += piece.literal;
      continue;
    }
    std::string value;
    switch (*piece.field) {
      case LayoutField::Format: value = credential.format; break;
      case LayoutField::FormatCode: {
        const std::optional<std::string> code = CodeOfFormat(piece.codes, credential.format);
        if (!code) unmapped = credential.format;
        value = code.value_or("");
        break;
      }
      case LayoutField::FacilityCode: value = fields.facility; break;
      case LayoutField::CardNumber: value = fields.card; break;
      case LayoutField::Printed: value = credential.printed; break;
      case LayoutField::Pair: value = fields.facility + ":" + fields.card; break;
    }
    line += ExportValue(value, separators, piece.alwaysQuoted);
  }
  return line;
}

}  // namespace

std::string ExportValue(std::string_view value, std::string_view separators, bool alwaysQuoted) {
  const bool formula = StartsAsFormula(value);
  const bool quoted = alwaysQuoted || formula || HasLeadingZero(value) ||
                      value.find_first_of("\"\r\n") != std::string_view::npos ||
                      (!separators.empty() && value.find_first_of(separators) != std::string_view::npos);
  if (!quoted) return std::string(value);
  std::string text = "\"";
  if (formula) text += '\'';
  for (const char c : value) {
    if (c == '"') text += '"';
    text += c;
  }
  return text + "\"";
}

ExportText ExportFileText(const Layout& layout, const std::vector<ExportedCredential>& credentials, Em4100Form form,
                          bool byteOrderMark) {
  std::string separators;
  for (const LayoutPiece& piece : layout.pieces)
    if (!piece.field) separators += piece.literal;
  ExportText out;
  if (byteOrderMark) out.bytes = "\xEF\xBB\xBF";
  if (layout.header) out.bytes += *layout.header + std::string(kLineEnd);
  for (const ExportedCredential& credential : credentials) {
    out.bytes += LineOf(layout, separators, credential, form, out.unmappedFormat);
    out.bytes += kLineEnd;
    if (!out.unmappedFormat.empty()) return {{}, out.unmappedFormat};
  }
  return out;
}

}  // namespace vx
