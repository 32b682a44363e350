// One control of a dialog as a plain record: what the screen set, what a host renders.
// Screens never touch these fields directly; they go through Dialog's typed accessors,
// which keep the record consistent and tell the host what changed.
#pragma once

#include <string>
#include <vector>

namespace vigil::platform {

enum class ControlKind {
  Button,      ///< push button; also the four soft keys
  Label,       ///< static text
  Edit,        ///< single-line text field
  ReportList,  ///< list with columns, one selected row (full-row selection)
  Combo,       ///< drop-down list of items, one selected
  Check,       ///< check box
  Radio,       ///< radio button; one checked per group
  Tab,         ///< tab captions, one current page
  Tree,        ///< folder tree
  Progress,    ///< progress bar
  Plot,        ///< lines of values with their uncertainty bands, and level lines across
};

/// A rectangle on the 320 x 240 screen (pixels), relative to the dialog (or its page).
struct PixelRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

/// Parent handle of a top-level tree node; also "no node".
inline constexpr int kTreeRoot = -1;

struct ListColumn {
  std::string caption;
  int widthPx = 0;  ///< 0 hides the column
};

struct TreeNode {
  std::string text;
  int parent = kTreeRoot;     ///< handle of the parent node
  std::vector<int> children;  ///< handles, in insertion order
  bool expanded = false;
};

/// One value of a plotted line: where (x), what (y) and the half-width of its uncertainty band
/// (0: none), in the units of the plot's captions.
struct PlotPoint {
  double x = 0.0;
  double y = 0.0;
  double band = 0.0;
  bool operator==(const PlotPoint&) const = default;
};

struct PlotLine {
  std::string name;
  std::vector<PlotPoint> points;
  int tone = 0;  ///< picks its colour, so a line keeps it when others are left out
  bool operator==(const PlotLine&) const = default;
};

/// A horizontal line across the whole plot, such as a limit; `severity` 0 to 2 picks its colour.
struct PlotLevel {
  std::string name;
  double y = 0.0;
  int severity = 0;
  bool operator==(const PlotLevel&) const = default;
};

/// The last change of a report list's rows, so that a host can follow the list edit by edit
/// instead of comparing and redrawing every row.
struct ListEdit {
  enum class Kind {
    None,    ///< the rows did not change (selection, scrolling)
    Cell,    ///< one cell: `row`, `column`
    Insert,  ///< one row inserted at `row`
    Delete,  ///< row `row` deleted
    All,     ///< anything else (cleared, filled, columns changed)
  };
  Kind kind = Kind::All;
  int row = -1;
  int column = -1;
};

/// Everything of a control but a report list's rows: cheap to copy whatever the list holds.
struct ControlHead {
  int id = 0;
  ControlKind kind = ControlKind::Label;
  PixelRect rect;
  std::string text;  ///< caption of buttons, labels, checks and radios; the text of an edit
  bool enabled = true;
  bool visible = true;  ///< the screen's own flag; a control on a page not shown is hidden too

  // Button
  int iconId = 0;  ///< icon resource shown above the caption, 0 for none

  // Edit
  bool readOnly = false;
  bool digitsOnly = false;  ///< the operator can type digits only

  // Check, Radio
  bool checked = false;
  int group = 0;  ///< radios of one group exclude each other

  // ReportList
  std::vector<ListColumn> columns;
  int scrollToRow = -1;                 ///< last row asked to be made visible
  ListEdit listEdit;                    ///< the last change of the rows
  unsigned long long listRevision = 0;  ///< counts the list's changes

  // Combo (items), Tab (page captions)
  std::vector<std::string> items;
  bool sorted = false;  ///< combo keeps its items sorted (case-insensitive)

  // Tree: node handles are indexes into `nodes` and stay valid until the tree is cleared
  std::vector<TreeNode> nodes;

  /// Selected row (ReportList), item (Combo), current page (Tab) or node (Tree); -1 for none.
  int selected = -1;

  // Progress
  int rangeMin = 0;
  int rangeMax = 100;
  int step = 10;
  int position = 0;

  // Plot
  std::vector<PlotLine> plotLines;
  std::vector<PlotLevel> plotLevels;
  std::string xCaption;
  std::string yCaption;
};

struct Control : ControlHead {
  std::vector<std::vector<std::string>> rows;  ///< ReportList: each row has one cell per column
};

}  // namespace vigil::platform
