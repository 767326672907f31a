#include "operations/export_files.h"

#include <optional>
#include <vector>

#include "exports/credential_fields.h"
#include "exports/export_layout.h"
#include "exports/export_writer.h"
#include "exports/job_report.h"
#include "exports/layout_file.h"
#include "exports/record_reading.h"
#include "exports/shared_outcomes.h"
#include "i18n/text_format.h"
#include "i18n/translate.h"
#include "platform/utf8_path.h"
#include "platform/whole_file.h"

namespace vx {

namespace {

bool RecordInUse(const FormState& state) { return !state.recordPath.empty() || state.shared.store; }

// The name a save dialog offers: after the card-number file loaded
// ("site-a-export.csv"), so the files of several jobs do not share one name.
std::string SuggestedName(const FormState& state, const std::string& name) {
  if (state.cards.sourcePath.empty()) return name;
  const std::string stem = Utf8OfPath(PathOfUtf8(state.cards.sourcePath).stem());
  return stem.empty() ? name : stem + "-" + name;
}

// The outcomes of every record in use; none, after a message saying why,
// when one cannot be read.
std::optional<std::vector<CredentialOutcome>> OutcomesInUse(FormState& state, Host& host, SharedOutcomes what) {
  std::vector<CredentialOutcome> outcomes;
  if (!state.recordPath.empty()) {
    if (const auto problem = ReadRecordOutcomes(state.recordPath, outcomes)) {
      // TRANSLATORS: %1$s is the record file, %2$s why it cannot be read.
      host.ShowMessage(Format(Tr("The card record %1$s cannot be read: %2$s."), state.recordPath, *problem));
      return std::nullopt;
    }
  }
  if (state.shared.store) {
    if (const auto fault = AddSharedOutcomes(*state.shared.store, what, outcomes)) {
      host.ShowMessage(fault->Message());
      return std::nullopt;
    }
  }
  return outcomes;
}

// The cards of the file loaded, which the record names by its full path; all
// cards when none is loaded.
ExportFilter FilterOfFileLoaded(const FormState& state) {
  ExportFilter filter;
  filter.source = state.cards.sourcePath;
  return filter;
}

// The layout the dialog chose; none, after a message, for a layout file that
// cannot be used.
std::optional<Layout> LayoutOfChoice(const ExportChoice& choice, Host& host) {
  if (choice.layoutFile.empty()) return NamedLayout(choice.layoutName, ',');
  const LayoutFileResult read = ReadLayoutFile(choice.layoutFile);
  if (!read.layout) host.ShowMessage(read.Message(choice.layoutFile));
  return read.layout;
}

bool NoRecordInUse(const FormState& state, Host& host) {
  if (RecordInUse(state)) return false;
  host.ShowMessage(Tr(
      "No record is in use: tick \"Keep Record\" or \"Shared Record\" first, then the cards it holds can be saved."));
  return true;
}

}  // namespace

void ExportFile_Click(FormState& state, Host& host) {
  BusyGuard busy(state);
  if (!busy.Taken() || NoRecordInUse(state, host)) return;
  const std::optional<ExportChoice> choice = host.ChooseExportLayout();
  if (!choice) return;
  const std::optional<Layout> layout = LayoutOfChoice(*choice, host);
  const std::optional<Em4100Form> form = Em4100FormOfName(choice->em4100);
  if (!layout || !form) return;
  std::optional<std::vector<CredentialOutcome>> outcomes = OutcomesInUse(state, host, SharedOutcomes::OfCards);
  if (!outcomes) return;
  const std::vector<ExportedCredential> credentials = SelectWritten(std::move(*outcomes), FilterOfFileLoaded(state));
  if (credentials.empty()) {
    host.ShowMessage(
        Tr("No credential to export: the record in use holds none written (from the card-number file "
           "loaded, when one is). Nothing was written."));
    return;
  }
  const ExportText text = ExportFileText(*layout, credentials, *form, choice->byteOrderMark);
  if (!text.unmappedFormat.empty()) {
    // TRANSLATORS: %1$s is the layout file, %2$s a format's name ("HID34");
    // {format:...} stays as it is.
    host.ShowMessage(Format(Tr("The layout file %1$s gives no code for %2$s in its {format:...}. Nothing was written."),
                            choice->layoutFile, text.unmappedFormat));
    return;
  }
  const std::optional<std::string> path = host.ChooseSaveFile(SaveKind::Export, SuggestedName(state, "export.csv"));
  if (!path) return;
  if (const auto problem = WriteWholeFile(*path, text.bytes)) {
    // TRANSLATORS: %1$s is the file, %2$s the system's reason.
    host.ShowMessage(Format(Tr("The export cannot be written to %1$s: %2$s. Nothing was written."), *path, *problem));
    return;
  }
  const int count = static_cast<int>(credentials.size());
  // TRANSLATORS: %1$d is how many, %2$s the file (or "standard output").
  host.LogLine(Format(TrN("%1$d credential exported (%2$s)", "%1$d credentials exported (%2$s)", count), count, *path));
}

void ReportFile_Click(FormState& state, Host& host, const std::string& language) {
  BusyGuard busy(state);
  if (!busy.Taken() || NoRecordInUse(state, host)) return;
  std::optional<std::vector<CredentialOutcome>> outcomes = OutcomesInUse(state, host, SharedOutcomes::OfAttemptsAndCards);
  if (!outcomes) return;
  const JobReport report = SummarizeJob(std::move(*outcomes), FilterOfFileLoaded(state));
  const std::string page = RenderJobReport(report, ReportLanguageTag(language));
  const std::optional<std::string> path = host.ChooseSaveFile(SaveKind::Report, SuggestedName(state, "job-report.html"));
  if (!path) return;
  if (const auto problem = WriteWholeFile(*path, page)) {
    // TRANSLATORS: %1$s is the file, %2$s the system's reason.
    host.ShowMessage(Format(Tr("The report cannot be written to %1$s: %2$s. Nothing was written."), *path, *problem));
    return;
  }
  // TRANSLATORS: %s is the file (or "standard output").
  host.LogLine(Format(Tr("The job report is written (%s)."), *path));
}

}  // namespace vx
