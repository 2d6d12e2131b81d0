#include "unsaved_pigeons.h"

#include <QAbstractItemModel>
#include <QPushButton>
#include <QTreeWidget>

namespace kvt {

void followUnsavedPigeons(QTreeWidget* list, QPushButton* save) {
  save->setEnabled(list->topLevelItemCount() > 0);
  QAbstractItemModel* model = list->model();
  QObject::connect(model, &QAbstractItemModel::rowsInserted, save,
                   [save] { save->setEnabled(true); });
  // Asks the model, which also empties itself while the list is being destroyed.
  const auto emptied = [model, save] {
    if (model->rowCount() == 0) save->setEnabled(false);
  };
  QObject::connect(model, &QAbstractItemModel::rowsRemoved, save, emptied);
  QObject::connect(model, &QAbstractItemModel::modelReset, save, emptied);
}

}  // namespace kvt
