#include "unsaved_pigeons.h"

#include <QAbstractItemModel>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTreeWidget>

namespace kvt {

void followUnsavedPigeons(QTreeWidget* list, QPushButton* save, QLabel* readCount,
                          QLabel* writtenCount) {
  save->setEnabled(list->topLevelItemCount() > 0);
  QAbstractItemModel* model = list->model();
  // The labels may go before the list while the screen is destroyed.
  const QPointer<QLabel> read = readCount;
  const QPointer<QLabel> written = writtenCount;
  QObject::connect(model, &QAbstractItemModel::rowsInserted, save, [save, written] {
    save->setEnabled(true);
    if (written) written->clear();
  });
  // Asks the model, which also empties itself while the list is being destroyed.
  const auto emptied = [model, save, read, written, firstCaption = readCount->text()] {
    if (model->rowCount() != 0) return;
    save->setEnabled(false);
    if (read) read->setText(firstCaption);
    if (written) written->clear();
  };
  QObject::connect(model, &QAbstractItemModel::rowsRemoved, save, emptied);
  QObject::connect(model, &QAbstractItemModel::modelReset, save, emptied);
}

}  // namespace kvt
