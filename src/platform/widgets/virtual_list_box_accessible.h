#pragma once

#include <QAccessibleWidget>
#include <QPointer>
#include <cstdint>
#include <functional>
#include <map>

namespace serialix {

class VirtualListBox;

// What assistive technology sees of the list box: a list whose children are the rows on screen
// (a list of 10^9 rows has no int-sized child count, and an object per row would not fit), each a
// list item named by its address. The description tells the real number of rows. A row's
// interface lives only while the row is on screen, so scrolling never grows Qt's interface cache.
class VirtualListBoxAccessible : public QAccessibleWidget {
 public:
  explicit VirtualListBoxAccessible(VirtualListBox* list);
  ~VirtualListBoxAccessible() override;

  QString text(QAccessible::Text t) const override;
  int childCount() const override;
  QAccessibleInterface* child(int index) const override;
  int indexOfChild(const QAccessibleInterface* child) const override;
  QAccessibleInterface* childAt(int x, int y) const override;
  QAccessibleInterface* focusChild() const override;

  // The row interfaces alive now (the shown rows that were asked for), for tests.
  std::size_t liveRowInterfaces() const { return rows_.size(); }

 private:
  VirtualListBox* list() const;
  // Rows whose interface exists but that are no longer shown lose it.
  void forgetHiddenRows() const;

  mutable std::map<std::uint64_t, QAccessible::Id> rows_;
};

// The rows from the top row that are at least partly shown.
int ShownRowCount(const VirtualListBox& list);

// Registers the factory that gives every VirtualListBox the interface above. Idempotent.
void InstallVirtualListBoxAccessibility();

// Events the list box sends: the selection moved to the current row (a focus event too when the
// list has the focus), and the set of shown rows changed (scrolled, appended, cleared).
void AnnounceCurrentRow(VirtualListBox* list);
void AnnounceShownRows(VirtualListBox* list);
// The list just took the focus: once Qt has announced the list itself, the current row follows,
// so a screen reader reads the selected address on entering the list.
void AnnounceFocusedRow(VirtualListBox* list);

// Test seam: Qt drops events while no assistive technology listens (always on the offscreen
// platform); with a sink set, the events above go to it instead. An empty function removes it.
void SetListBoxEventSinkForTesting(std::function<void(QAccessibleEvent*)> sink);

}  // namespace serialix
