// The base of every screen: a title, controls by their integer ids, four soft keys and a
// modal result. A screen derives from Dialog, creates its controls (usually in its
// constructor), fills them in OnInitDialog and reacts in the On... handlers. It knows
// nothing of how it is drawn; a DialogHost runs it.
//
// Programmatic changes (SetText, SelectRow, ...) never call the screen's handlers; only
// operator input (PressButton, TypeInto, Choose, SendClose), which hosts call, does.
// Accessors given an id that does not exist, or a control of another kind, do nothing and
// return the empty value.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Control.h"
#include "platform/DialogResult.h"
#include "platform/EventLoop.h"

namespace vigil::platform {

class DialogHost;

/// Soft-key button ids from left to right, as most screens use them.
inline constexpr std::array<int, 4> kDefaultSoftKeys{1021, 1025, 1018, 1019};

class Dialog : public Window {
 public:
  explicit Dialog(std::string title = {});
  ~Dialog() override;
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  // ---- Handlers the screens override ----------------------------------------------------
  /// The dialog is about to be shown (its pages are initialised just before).
  virtual void OnInitDialog() {}
  /// A button, check box or radio button was pressed by the operator.
  virtual void OnCommand(int controlId) { (void)controlId; }
  /// The operator chose a row, combo item, tab page or tree node.
  virtual void OnSelectionChanged(int controlId) { (void)controlId; }
  /// The operator changed the text of an edit.
  virtual void OnEditChanged(int controlId) { (void)controlId; }
  /// The window close message (soft key, hardware key 60/64, the window's close box).
  /// Return false to stay open; true ends the dialog with kIdCancel.
  virtual bool OnClose() { return true; }
  /// The dialog was drawn (shown, or uncovered by a dialog or message box that closed).
  virtual void OnPaint() {}
  // OnTimer(int timerId) comes from Window: timers armed with SetTimer below.

  // ---- Title, host, modal result -------------------------------------------------------
  const std::string& Title() const { return title_; }
  void SetTitle(std::string title);

  /// The host running this dialog (a page reaches its sheet's host); null when not running.
  DialogHost* Host() const;

  /// Ends the modal run with `result`; the host returns it from RunModal.
  void EndDialog(int result);
  bool Ended() const { return ended_; }
  int Result() const { return result_; }

  // ---- Controls --------------------------------------------------------------------------
  void AddButton(int id, std::string caption, PixelRect rect, int iconId = 0);
  void AddLabel(int id, std::string text, PixelRect rect);
  void AddEdit(int id, PixelRect rect, bool readOnly = false, bool digitsOnly = false);
  void AddReportList(int id, PixelRect rect, std::vector<ListColumn> columns);
  void AddCombo(int id, PixelRect rect, bool sorted = false);
  void AddCheck(int id, std::string caption, PixelRect rect);
  void AddRadio(int id, std::string caption, PixelRect rect, int group);
  void AddTab(int id, PixelRect rect, std::vector<std::string> captions);
  void AddTree(int id, PixelRect rect);
  void AddProgress(int id, PixelRect rect);
  void AddPlot(int id, PixelRect rect);

  bool Has(int id) const { return Find(id) != nullptr; }
  const Control* Find(int id) const;
  /// All controls in the order they were added (what a host renders).
  const std::vector<Control>& Controls() const { return controls_; }

  /// Caption or edit text.
  std::string Text(int id) const;
  void SetText(int id, std::string text);
  void Enable(int id, bool enabled = true);
  bool IsEnabled(int id) const;
  void Show(int id, bool visible = true);
  /// The screen's visible flag, and the dialog (page) itself is shown.
  bool IsShown(int id) const;
  void Move(int id, PixelRect rect);
  void SetReadOnly(int id, bool readOnly);

  // Check and radio buttons. Checking a radio unchecks the others of its group.
  bool IsChecked(int id) const;
  void SetChecked(int id, bool checked);

  // Report list. Rows are padded or cut to the number of columns.
  void ListSetColumns(int id, std::vector<ListColumn> columns);
  void ListSetColumn(int id, int column, ListColumn value);
  int ListColumnCount(int id) const;
  int ListRowCount(int id) const;
  /// Appends a row; returns its index (-1 for no such list).
  int ListAddRow(int id, std::vector<std::string> cells);
  /// Inserts before `row` (clamped to the end); returns the index used.
  int ListInsertRow(int id, int row, std::vector<std::string> cells);
  /// Replaces every row at once (the selection and the scrolling go): one change for the
  /// host, however many rows.
  void ListSetRows(int id, std::vector<std::vector<std::string>> rows);
  void ListDeleteRow(int id, int row);
  void ListClear(int id);
  std::string ListCell(int id, int row, int column) const;
  void ListSetCell(int id, int row, int column, std::string text);
  std::vector<std::string> ListRow(int id, int row) const;
  int ListSelected(int id) const;
  void ListSelect(int id, int row);  ///< -1 clears the selection
  void ListEnsureVisible(int id, int row);

  // Combo. Adding to a sorted combo places the item in order; the index used is returned.
  int ComboAdd(int id, std::string item);
  void ComboDelete(int id, int index);
  void ComboClear(int id);
  int ComboCount(int id) const;
  std::string ComboItem(int id, int index) const;
  int ComboSelected(int id) const;
  std::string ComboSelectedText(int id) const;  ///< empty when nothing is selected
  void ComboSelect(int id, int index);          ///< -1 clears the selection
  /// First item beginning with `prefix`, from `startAfter` + 1 on; -1 when none.
  int ComboFindPrefix(int id, std::string_view prefix, int startAfter = -1) const;
  int ComboFindExact(int id, std::string_view text) const;

  // Tab pages. Changing the current page shows that page's dialog and hides the others.
  int TabCount(int id) const;
  int TabCurrent(int id) const;
  void TabSelect(int id, int page);
  void TabSetCaption(int id, int page, std::string caption);
  /// Makes `page` (owned by the screen, alive while this dialog is) page `index` of tab
  /// control `tabId`. It is initialised with this dialog (or at once when this one runs).
  void AddPage(int tabId, Dialog& page);
  /// The page dialog of tab `tabId` at `index`, or null.
  Dialog* Page(int tabId, int index) const;
  /// Pages of every tab control, in the order added.
  const std::vector<Dialog*>& Pages() const { return pages_; }
  /// The dialog this page belongs to, or null; and its tab control and index.
  Dialog* Sheet() const { return sheet_; }
  int SheetTabId() const { return sheetTabId_; }
  int PageIndex() const { return pageIndex_; }
  /// True unless this is a page that is not the current one of its (shown) tab.
  bool IsPageShown() const;

  // Tree. Node handles stay valid until TreeClear.
  int TreeInsert(int id, int parent, std::string text);  ///< parent kTreeRoot: top level
  void TreeClear(int id);
  int TreeNodeCount(int id) const;
  const TreeNode* TreeGet(int id, int node) const;
  std::string TreeText(int id, int node) const;
  int TreeParent(int id, int node) const;
  std::vector<int> TreeChildren(int id, int node) const;  ///< kTreeRoot: the top level
  void TreeExpand(int id, int node, bool expanded = true);
  int TreeSelected(int id) const;
  void TreeSelect(int id, int node);  ///< kTreeRoot clears the selection

  // Progress bar.
  void ProgressSetRange(int id, int minimum, int maximum);
  void ProgressSetStep(int id, int step);
  void ProgressSetPos(int id, int position);
  int ProgressPos(int id) const;
  /// Advances by the step; past the maximum it starts over from the minimum, as the
  /// controller's bar does.
  void ProgressStepIt(int id);

  // Plot: everything it shows, replaced at once.
  void PlotSet(int id, std::vector<PlotLine> lines, std::vector<PlotLevel> levels, std::string xCaption,
               std::string yCaption);

  // ---- Soft keys --------------------------------------------------------------------------
  /// The ids of this dialog's four soft-key buttons, left to right.
  const std::array<int, 4>& SoftKeyIds() const { return softKeys_; }
  /// Remembers the four ids and makes this dialog the soft-key bar's current dialog (call it
  /// from OnPaint).
  void RegisterSoftKeys(int id1, int id2, int id3, int id4);

  // ---- Timers (on the host's event loop) ------------------------------------------------
  /// Arms timer `timerId` of this dialog; false when the dialog is not running.
  bool SetTimer(int timerId, std::uint32_t periodMs);
  void KillTimer(int timerId);
  void KillAllTimers();

  // ---- Operator input (hosts call these; each returns false when refused) -------------
  /// Presses a button, check or radio that is enabled and shown: a check toggles, a radio
  /// becomes checked; then OnCommand.
  bool PressButton(int id);
  /// Replaces the text of an enabled, shown, writable edit (a digits-only edit keeps only the
  /// digits typed); then OnEditChanged.
  bool TypeInto(int id, std::string_view text);
  /// Chooses row, item, page or node `index` of an enabled, shown control; then
  /// OnSelectionChanged.
  bool Choose(int id, int index);
  /// Expands or collapses a tree node as the operator does with the +/- box.
  bool ToggleExpand(int id, int node);
  /// The window close message: OnClose, and when it agrees EndDialog(kIdCancel).
  bool SendClose();

  // ---- For hosts --------------------------------------------------------------------------
  /// Starts a modal run: attaches the host, clears the result, initialises pages and the
  /// dialog. Hosts call it from RunModal, then Finish when the run is over.
  void Start(DialogHost& host);
  void Finish();
  bool Running() const { return Host() != nullptr; }
  /// Draws the dialog: OnPaint. Hosts call it when the dialog is shown and uncovered.
  void Paint();
  /// Painted at least once since Start.
  bool Shown() const { return shown_; }

 private:
  Control* FindMutable(int id);
  Control* FindKind(int id, ControlKind kind);
  const Control* FindKind(int id, ControlKind kind) const;
  Control& Add(int id, ControlKind kind, PixelRect rect);
  void Changed(int id);
  void InitPages();
  friend class SoftKeyBar;

  std::string title_;
  std::vector<Control> controls_;
  std::array<int, 4> softKeys_ = kDefaultSoftKeys;
  DialogHost* host_ = nullptr;
  bool ended_ = false;
  int result_ = 0;
  bool initialised_ = false;
  bool shown_ = false;

  std::vector<Dialog*> pages_;
  Dialog* sheet_ = nullptr;
  int sheetTabId_ = 0;
  int pageIndex_ = -1;

  WindowHandle window_ = 0;
  EventLoop* timerLoop_ = nullptr;
};

}  // namespace vigil::platform
