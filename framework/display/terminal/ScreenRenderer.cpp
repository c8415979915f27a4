#include "framework/display/terminal/ScreenRenderer.h"

#include <string>

#include "framework/text/CharacterSet.h"

namespace fw::terminal {

namespace {

// Sets a whole style at once: the plain style first, then what the style adds.
std::string StyleSequence(const Style& style) {
  std::string sequence = "\x1b[0";
  if (style.bold) sequence += ";1";
  if (style.dim) sequence += ";2";
  if (style.underline) sequence += ";4";
  if (style.reverse) sequence += ";7";
  return sequence + "m";
}

std::string MoveTo(int row, int column) {
  return "\x1b[" + std::to_string(row + 1) + ";" + std::to_string(column + 1) + "H";
}

// Writes the cells of `frame` that differ from `before`, which has the same size.
class DiffWriter {
 public:
  explicit DiffWriter(std::string& out) : out_(out) {}

  void Write(const ScreenBuffer& before, const ScreenBuffer& frame) {
    for (int row = 0; row < frame.Rows(); ++row) {
      for (int column = 0; column < frame.Columns(); ++column) {
        const Cell& cell = frame.At(row, column);
        if (cell == before.At(row, column)) continue;
        if (row != cursorRow_ || column != cursorColumn_) out_ += MoveTo(row, column);
        if (cell.style != style_) out_ += StyleSequence(cell.style);
        style_ = cell.style;
        AppendUTF8(out_, cell.character);
        cursorRow_ = row;
        // Past the last column terminals differ in where the cursor is: place it anew next time.
        cursorColumn_ = column + 1 < frame.Columns() ? column + 1 : -1;
      }
    }
    if (style_ != Style{}) out_ += StyleSequence(Style{});
  }

 private:
  std::string& out_;
  int cursorRow_ = -1;
  int cursorColumn_ = -1;
  Style style_;  // every render starts and ends in the plain style
};

}  // namespace

std::string ScreenRenderer::Render(const ScreenBuffer& frame) {
  std::string out;
  const bool sameSize =
      previous_ && previous_->Columns() == frame.Columns() && previous_->Rows() == frame.Rows();
  if (!sameSize) {
    out += "\x1b[0m\x1b[H\x1b[2J";  // a cleared screen is a blank frame
    previous_.emplace(frame.Columns(), frame.Rows());
  }
  DiffWriter(out).Write(*previous_, frame);
  previous_ = frame;
  return out;
}

}  // namespace fw::terminal
