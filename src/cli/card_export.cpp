#include "cli/card_export.h"

#include <algorithm>

#include "cli/console_system.h"
#include "exports/credential_fields.h"
#include "exports/export_writer.h"
#include "exports/job_report.h"
#include "exports/layout_file.h"
#include "exports/record_reading.h"
#include "exports/shared_outcomes.h"
#include "i18n/terminal_text.h"
#include "i18n/text_format.h"
#include "i18n/translate.h"
#include "platform/utf8_path.h"
#include "platform/whole_file.h"

namespace vx::cli {

std::optional<int> ExportJob::Prepare() {
  if (o_.command == Command::Report) {
    // A report has no layout.
  } else if (o_.layout.starts_with("@")) {
    const std::string path = o_.layout.substr(1);
    const LayoutFileResult read = ReadLayoutFile(path);
    if (!read.layout) {
      Say(read.Message(path));
      return kExitUsage;
    }
    layout_ = *read.layout;
  } else {
    // Both names were checked with the command line.
    layout_ = *NamedLayout(o_.layout, *DelimiterOfName(o_.delimiter));
  }
  for (const std::string& record : o_.records) {
    if (const auto problem = ReadRecordOutcomes(record, outcomes_)) {
      // TRANSLATORS: %1$s is the record file, %2$s why it cannot be read.
      Say(Format(Tr("The card record %1$s cannot be read: %2$s."), record, *problem));
      return kExitUsage;
    }
  }
  return std::nullopt;
}

std::optional<int> ExportJob::TakeSharedRecord(SharedStore& store) {
  const SharedOutcomes what = o_.command == Command::Report ? SharedOutcomes::OfAttemptsAndCards : SharedOutcomes::OfCards;
  if (const auto fault = AddSharedOutcomes(store, what, outcomes_)) {
    Say(fault->Message());
    return kExitSharedRecord;
  }
  return std::nullopt;
}

ExportFilter ExportJob::Filter() const {
  ExportFilter filter;
  // The record names a card-number file by its full path, and a typed card "typed".
  filter.source = o_.source.empty() || o_.source == kTypedSource ? o_.source : FullPathOf(o_.source);
  filter.station = o_.station;
  filter.since = o_.since;
  filter.until = o_.until;
  filter.format = o_.format;
  return filter;
}

int ExportJob::Finish() {
  if (o_.command == Command::Report) return FinishReport();
  const std::vector<ExportedCredential> credentials = SelectWritten(std::move(outcomes_), Filter());
  if (credentials.empty()) {
    Say(Tr("No credential to export: the records hold none written that the options let through. Nothing was written."));
    return kExitCardFailed;
  }
  const ExportText text = ExportFileText(layout_, credentials, *Em4100FormOfName(o_.em4100), o_.byteOrderMark);
  if (!text.unmappedFormat.empty()) {
    // TRANSLATORS: %1$s is the layout file, %2$s a format's name ("HID34");
    // {format:...} stays as it is.
    Say(Format(Tr("The layout file %1$s gives no code for %2$s in its {format:...}. Nothing was written."),
               o_.layout.substr(1), text.unmappedFormat));
    return kExitUsage;
  }
  std::string where = Tr("standard output");
  if (o_.output.empty()) {
    if (!WriteOutputBytes(text.bytes)) {
      Say(Tr("The export cannot be written to standard output."));
      return kExitUsage;
    }
  } else if (const auto problem = WriteWholeFile(o_.output, text.bytes)) {
    // TRANSLATORS: %1$s is the file, %2$s the system's reason.
    Say(Format(Tr("The export cannot be written to %1$s: %2$s. Nothing was written."), o_.output, *problem));
    return kExitUsage;
  } else {
    where = o_.output;
  }
  const int count = static_cast<int>(credentials.size());
  // TRANSLATORS: %1$d is how many, %2$s the file (or "standard output").
  Say(Format(TrN("%1$d credential exported (%2$s)", "%1$d credentials exported (%2$s)", count), count, where));
  return kExitOk;
}

int ExportJob::FinishReport() {
  const JobReport report = SummarizeJob(std::move(outcomes_), Filter());
  const std::string page = RenderJobReport(report, ReportLanguageTag(c_.language));
  if (o_.output.empty()) {
    if (!WriteOutputBytes(page)) {
      Say(Tr("The report cannot be written to standard output."));
      return kExitUsage;
    }
  } else if (const auto problem = WriteWholeFile(o_.output, page)) {
    // TRANSLATORS: %1$s is the file, %2$s the system's reason.
    Say(Format(Tr("The report cannot be written to %1$s: %2$s. Nothing was written."), o_.output, *problem));
    return kExitUsage;
  }
  // TRANSLATORS: %s is the file (or "standard output").
  Say(Format(Tr("The job report is written (%s)."), o_.output.empty() ? Tr("standard output") : o_.output));
  return kExitOk;
}

void ExportJob::Say(const std::string& message) {
  c_.err << "vandorix-card: " << TerminalText(message, LineBreaks::Kept) << "\n";
}

}  // namespace vx::cli
