#include "booking/Laden.h"

#include "framework/core/Deref.h"
#include "framework/files/TextInputStream.h"
#include "framework/text/TextFunctions.h"
#include "framework/ui/MsgBox.h"

namespace valtaro {

namespace {

// No partial file is kept: the lines are emptied, and the upper bound says so.
void ReportUnreadable(ImportState& state, const fw::FolderItem& file) {
  fw::List<fw::Text>& zeilen = fw::Deref(state.zeilen);
  zeilen.Resize(-1);
  state.anz_zeilen = zeilen.UBound();
  fw::MsgBox("Datei " + file.AbsolutePath() + " kann nicht gelesen werden");
}

}  // namespace

void Laden(ImportState& state) {
  const fw::FolderItem& file = fw::Deref(state.f);
  if (!file.Exists()) {
    fw::MsgBox("Datei " + file.AbsolutePath() + " ist nicht vorhanden");
    return;
  }
  fw::List<fw::Text>& zeilen = fw::Deref(state.zeilen);
  zeilen.Resize(-1);

  const std::shared_ptr<fw::TextInputStream> stream = file.OpenAsTextFile();
  if (!stream) {
    ReportUnreadable(state, file);
    return;
  }
  stream->SetEncoding(fw::Encodings::ISOLatin1());
  const fw::Text quote = fw::Chr(34);
  const fw::Text nothing;
  // The end is tested only after a line has been appended: an empty file gives one empty line.
  do {
    zeilen.Append(fw::ReplaceAll(
        fw::RTrim(fw::ConvertEncoding(stream->ReadLine(), fw::Encodings::MacRoman())), quote,
        nothing));
  } while (!stream->IsEOF());
  if (stream->ReadFailed()) {
    ReportUnreadable(state, file);
    return;
  }
  state.anz_zeilen = zeilen.UBound();
}

}  // namespace valtaro
