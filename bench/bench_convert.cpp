// Converts a generated export of 200 000 lines with a script host that does nothing and prints
// the bookings per second: convert_bookings_per_s=N (the best of ten rounds, which leaves out the
// rounds that other work on the machine slowed down).
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

#include "booking/BookingConversion.h"
#include "booking/ImportState.h"
#include "framework/script/ScriptHost.h"
#include "framework/text/TextFunctions.h"

namespace {

class NullScriptHost : public fw::ScriptHost {
 public:
  fw::Text Run(const fw::ScriptRun& /*run*/) override { return fw::Text(); }
};

// A line as Laden leaves it: read as ISO Latin-1, converted to Mac Roman.
fw::Text LoadedLine(const std::string& latin1) {
  return fw::ConvertEncoding(fw::Text::FromBytes(latin1, fw::Encodings::ISOLatin1()),
                             fw::Encodings::MacRoman());
}

std::string Header() {
  std::string header =
      "Buchungstag;Wertstellungstag;Buchungstext;Beg\xFCnstigter/Absender - Name;"
      "Beg\xFCnstigter/Absender - Kontonummer;Beg\xFCnstigter/Absender - BLZ;"
      "Verwendungszweckzeile 1";
  for (int k = 2; k <= 14; ++k) header += ";Verwendungszweckzeile " + std::to_string(k);
  header +=
      ";Betrag;W\xE4hrung;Kategorie;Unterkategorie;Kostenstelle;Steuersatz;Notiz;Konto;"
      "Bankleitzahl;Saldo";
  return header;
}

std::string DataLine(int n) {
  const int day = 1 + n % 28;
  const int month = 1 + (n / 28) % 12;
  std::string date = std::to_string(day);
  date += '.';
  date += std::to_string(month);
  date += ".2008";
  std::string line = date;
  line += ';';
  line += date;
  line += ";LASTSCHRIFT;Stadtwerke M\xFCnchen GmbH;";
  line += std::to_string(1000000 + n);
  line += ";70050000;Abschlag Strom Kundennr. ";
  line += std::to_string(40000 + n);
  for (int k = 2; k <= 14; ++k) {
    line += ';';
    if (k <= 3) {
      line += "Vertrag ";
      line += std::to_string(n);
    }
  }
  line += ';';
  if (n % 2 != 0) line += '-';
  line += std::to_string(n % 5000);
  line += ',';
  line += std::to_string(10 + n % 90);
  line += ";EUR;Haushalt;";
  if (n % 3 != 0) line += "Energie";
  line += ";;19;;Girokonto;70050000;";
  line += std::to_string(n);
  line += ",00";
  return line;
}

}  // namespace

int main() {
  constexpr std::int32_t kLines = 200000;
  valtaro::ImportState state;
  state.Init();
  state.zeilen->Append(LoadedLine(Header()));
  for (std::int32_t n = 1; n <= kLines; ++n) state.zeilen->Append(LoadedLine(DataLine(n)));
  state.anz_zeilen = state.zeilen->UBound();

  NullScriptHost host;
  fw::SetScriptHost(&host);
  const auto popup = [] { return fw::Text("Girokonto Sparkasse"); };

  double best = 0;
  for (int round = 0; round < 10; ++round) {
    const auto start = std::chrono::steady_clock::now();
    valtaro::buchung_erzeugen(state, popup);
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    best = std::max(best, kLines / seconds.count());
  }
  fw::SetScriptHost(nullptr);
  std::printf("convert_bookings_per_s=%lld\n", static_cast<long long>(best));
  return 0;
}
