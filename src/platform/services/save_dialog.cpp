#include "platform/services/save_dialog.h"

#include <QFileDialog>

namespace serialix {

std::optional<QString> QtSaveDialog::ask(QWidget* parent, const SaveDialogRequest& request) {
  QFileDialog dialog(parent, request.title, request.folder);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  // The program asks its own overwrite question; "書き出し" adds no extension of its own.
  dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
  dialog.setDefaultSuffix(request.defaultSuffix);

  // Qt takes the last parenthesised group of a filter as its patterns, so each description gets
  // its pattern appended and the details are hidden: the user sees the descriptions as given.
  dialog.setOption(QFileDialog::HideNameFilterDetails, true);
  QStringList filters;
  for (qsizetype i = 0; i < request.filterDescriptions.size(); ++i) {
    filters << request.filterDescriptions[i] + " (" + request.filterPatterns.value(i) + ")";
  }
  dialog.setNameFilters(filters);
  if (request.selectedFilter >= 0 && request.selectedFilter < filters.size()) {
    dialog.selectNameFilter(filters[request.selectedFilter]);
  }
  if (!request.proposedName.isEmpty()) dialog.selectFile(request.proposedName);

  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty() || chosen.front().isEmpty()) return std::nullopt;
  return chosen.front();
}

}  // namespace serialix
