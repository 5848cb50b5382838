#pragma once

#include <QAccessibleWidget>
#include <QPointer>
#include <cstdint>
#include <functional>
#include <map>

namespace serialix {

class VirtualListBox;

// What assistive technology sees of the list box: a list with one child per row, each a list item
// named by its address, so a row's index is its true position and the child count the true total
// (up to INT_MAX, the most an accessible index can say; the description tells the exact count).
// It is also a one-column table whose selected row is the current row. Row interfaces are made
// when asked for and kept in a small cache that forgets the oldest rows not on screen, so neither
// the number of rows nor the rows visited grow memory.
class VirtualListBoxAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
 public:
  explicit VirtualListBoxAccessible(VirtualListBox* list);
  ~VirtualListBoxAccessible() override;

  QString text(QAccessible::Text t) const override;
  int childCount() const override;
  QAccessibleInterface* child(int index) const override;
  int indexOfChild(const QAccessibleInterface* child) const override;
  QAccessibleInterface* childAt(int x, int y) const override;
  QAccessibleInterface* focusChild() const override;
  void* interface_cast(QAccessible::InterfaceType type) override;

  // QAccessibleTableInterface: one column, a row per address, at most the current row selected.
  QAccessibleInterface* caption() const override { return nullptr; }
  QAccessibleInterface* summary() const override { return nullptr; }
  QAccessibleInterface* cellAt(int row, int column) const override;
  int selectedCellCount() const override { return selectedRowCount(); }
  QList<QAccessibleInterface*> selectedCells() const override;
  QString columnDescription(int) const override { return {}; }
  QString rowDescription(int) const override { return {}; }
  int selectedColumnCount() const override { return 0; }
  int selectedRowCount() const override { return static_cast<int>(selectedRows().size()); }
  int columnCount() const override { return 1; }
  int rowCount() const override { return childCount(); }
  QList<int> selectedColumns() const override { return {}; }
  QList<int> selectedRows() const override;
  bool isColumnSelected(int) const override { return false; }
  bool isRowSelected(int row) const override;
  bool selectRow(int row) override;
  bool selectColumn(int) override { return false; }
  bool unselectRow(int) override { return false; }
  bool unselectColumn(int) override { return false; }
  void modelChange(QAccessibleTableModelChangeEvent*) override {}

  // The row interfaces alive now, for tests.
  std::size_t liveRowInterfaces() const { return rows_.size(); }
  // How many row interfaces the cache keeps at most.
  static constexpr std::size_t kRowCacheLimit = 256;

 private:
  struct CachedRow {
    QAccessible::Id id;
    std::uint64_t lastAsked;
  };

  VirtualListBox* list() const;
  // Makes room when the cache is full: the rows asked for longest ago that are not on screen,
  // and rows past the end of the list, lose their interface.
  void trimRows() const;

  mutable std::map<std::uint64_t, CachedRow> rows_;
  mutable std::uint64_t asked_ = 0;
};

// The rows from the top row that are at least partly shown.
int ShownRowCount(const VirtualListBox& list);

// Registers the factory that gives every VirtualListBox the interface above. Idempotent.
void InstallVirtualListBoxAccessibility();

// Events the list box sends: the selection moved to the current row (a focus event too when the
// list has the focus), and the rows changed (appended, cleared) or scrolled.
void AnnounceCurrentRow(VirtualListBox* list);
void AnnounceShownRows(VirtualListBox* list);
// The list just took the focus: once Qt has announced the list itself, the current row follows,
// so a screen reader reads the selected address on entering the list.
void AnnounceFocusedRow(VirtualListBox* list);

}  // namespace serialix
