#include "framework/display/terminal/OpenDialog.h"

#include <algorithm>

#include "framework/display/terminal/TextLayout.h"
#include "framework/text/CharacterSet.h"

namespace fw::terminal {

namespace {

// The end of a text cut to the width, starting with "…" when cut: of a path the end tells most.
std::string CutFromLeft(const std::string& utf8, int width) {
  const std::u32string characters = ToScreenCharacters(utf8);
  if (static_cast<int>(characters.size()) <= width) return utf8;
  std::string cut = "…";
  const std::size_t keep = static_cast<std::size_t>(std::max(width - 1, 0));
  for (std::size_t i = characters.size() - keep; i < characters.size(); ++i) {
    AppendUTF8(cut, characters[i]);
  }
  return cut;
}

void RemoveLastCharacter(std::string& utf8) {
  while (!utf8.empty()) {
    const auto last = static_cast<unsigned char>(utf8.back());
    utf8.pop_back();
    if ((last & 0xC0) != 0x80) return;  // not a continuation byte: the character's start
  }
}

// The highlight starts on the first entry of the folder itself, past "..", when there is one.
int FirstEntryBelow(const std::vector<FolderEntry>& entries) {
  return entries.size() > 1 && entries.front().name == ".." ? 1 : 0;
}

}  // namespace

OpenDialog::OpenDialog(std::string folder) : folder_(std::move(folder)) {
  FolderContents contents = ListFolder(folder_);
  entries_ = std::move(contents.entries);
  error_ = std::move(contents.error);
  highlighted_ = FirstEntryBelow(entries_);
}

void OpenDialog::EnterFolder(const std::string& path) {
  FolderContents contents = ListFolder(path);
  if (!contents.error.empty()) {
    error_ = std::move(contents.error);
    return;
  }
  folder_ = path;
  entries_ = std::move(contents.entries);
  error_.clear();
  highlighted_ = FirstEntryBelow(entries_);
  input_.clear();
}

OpenDialog::Outcome OpenDialog::Choose(const std::string& path) {
  chosen_ = path;
  return Outcome::Chosen;
}

OpenDialog::Outcome OpenDialog::Confirm() {
  if (input_.empty()) {
    if (entries_.empty()) return Outcome::Open;
    const FolderEntry& entry = entries_[static_cast<std::size_t>(highlighted_)];
    const std::string path = ResolvePath(folder_, entry.name);
    if (!entry.isFolder) return Choose(path);
    EnterFolder(path);
    return Outcome::Open;
  }
  const std::string path = ResolvePath(folder_, input_);
  if (!IsFolder(path)) return Choose(path);
  EnterFolder(path);
  return Outcome::Open;
}

OpenDialog::Outcome OpenDialog::HandleKey(const Key& key) {
  const int last = static_cast<int>(entries_.size()) - 1;
  switch (key.code) {
    case KeyCode::Escape:
      return Outcome::Cancelled;
    case KeyCode::Enter:
      return Confirm();
    case KeyCode::Up:
      highlighted_ = std::max(highlighted_ - 1, 0);
      return Outcome::Open;
    case KeyCode::Down:
      highlighted_ = std::clamp(highlighted_ + 1, 0, std::max(last, 0));
      return Outcome::Open;
    case KeyCode::Backspace:
      RemoveLastCharacter(input_);
      return Outcome::Open;
    default:
      if (key.TypesCharacter()) AppendUTF8(input_, key.character);
      return Outcome::Open;
  }
}

void OpenDialog::Paint(ScreenBuffer& screen) const {
  // Over the whole screen between the menu bar and the help line, so no window's frame shows
  // beside it.
  const CellRect box{1, 0, std::max(screen.Rows() - 2, 0), screen.Columns()};
  if (box.height < 8 || box.width < 20) return;
  screen.Fill(box);
  screen.DrawFrame(box, "Datei öffnen", Style{.bold = true});
  const int left = box.column + 2;
  const int width = box.width - 4;
  const std::string folderLabel = "Ordner: ";
  const int labelWidth = CellCount(folderLabel);
  screen.PutText(box.row + 1, left, labelWidth, folderLabel, Style{.bold = true});
  screen.PutText(box.row + 1, left + labelWidth, width - labelWidth,
                 CutFromLeft(folder_, width - labelWidth));

  // Rows below the list: a line, the input line, the error.
  const int listTop = box.row + 2;
  const int listRows = box.height - 2 - 4;
  const int count = static_cast<int>(entries_.size());
  const int first = std::clamp(highlighted_ - listRows + 1, 0, std::max(count - listRows, 0));
  if (count == 0) screen.PutText(listTop, left, width, "(leer)", Style{.dim = true});
  for (int i = 0; i < listRows && first + i < count; ++i) {
    const FolderEntry& entry = entries_[static_cast<std::size_t>(first + i)];
    const bool highlighted = first + i == highlighted_;
    const Style style{.bold = entry.isFolder, .reverse = highlighted};
    const std::string name = entry.isFolder ? entry.name + "/" : entry.name;
    screen.Fill(CellRect{listTop + i, left, 1, width}, U' ', style);
    screen.PutText(listTop + i, left + 1, width - 1, name, style);
  }
  if (first > 0) screen.Set(listTop, left + width - 1, U'↑');
  if (first + listRows < count) screen.Set(listTop + listRows - 1, left + width - 1, U'↓');

  const int inputRow = box.Bottom() - 3;
  screen.DrawHorizontalLine(inputRow - 1, box.column + 1, box.width - 2);
  screen.Set(inputRow - 1, box.column, U'├', Style{.bold = true});
  screen.Set(inputRow - 1, box.Right() - 1, U'┤', Style{.bold = true});
  const std::string inputLabel = "Name: ";
  const int inputLabelWidth = CellCount(inputLabel);
  screen.PutText(inputRow, left, inputLabelWidth, inputLabel, Style{.bold = true});
  const int inputWidth = width - inputLabelWidth;
  const std::string shown = CutFromLeft(input_, inputWidth - 1);
  screen.PutText(inputRow, left + inputLabelWidth, inputWidth, shown);
  screen.Set(inputRow, left + inputLabelWidth + CellCount(shown), U' ', Style{.reverse = true});
  if (!error_.empty()) screen.PutText(inputRow + 1, left, width, error_, Style{.bold = true});
}

}  // namespace fw::terminal
