#include "platform/list_choice.h"

#include <QAbstractListModel>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "platform/qt_helpers.h"
#include "platform/service.h"

namespace varnolix {
namespace {

using detail::ToQString;

// The items as a model that makes each text only when a view asks for it, and the
// search text, as the user role, only when a find looks through it.
class ItemsModel : public QAbstractListModel {
 public:
  explicit ItemsModel(const ListChoice& choice) : m_choice(choice) {}
  int rowCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : static_cast<int>(std::min<std::size_t>(m_choice.count, INT_MAX));
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    return ToQString(m_choice.item(static_cast<std::size_t>(index.row())));
  }
  QString SearchText(int row) const {
    const auto index = static_cast<std::size_t>(row);
    return m_choice.searchText ? ToQString(m_choice.searchText(index)) : ToQString(m_choice.item(index));
  }

 private:
  const ListChoice& m_choice;
};

// The items whose search text holds the find, in any case.
class FoundItems : public QSortFilterProxyModel {
 public:
  explicit FoundItems(const ItemsModel& items) : m_items(items) {}
  void Find(const QString& text) {
    m_find = text;
    invalidateFilter();
  }

 protected:
  bool filterAcceptsRow(int row, const QModelIndex& /*parent*/) const override {
    return m_find.isEmpty() || m_items.SearchText(row).contains(m_find, Qt::CaseInsensitive);
  }

 private:
  const ItemsModel& m_items;
  QString m_find;
};

// A find field that hands the keys that move through a list on to the list, so that the
// keyboard picks a row without leaving the field.
class FindField : public QLineEdit {
 public:
  using QLineEdit::QLineEdit;
  QListView* list = nullptr;

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    switch (event->key()) {
      case Qt::Key_Up:
      case Qt::Key_Down:
      case Qt::Key_PageUp:
      case Qt::Key_PageDown:
        QApplication::sendEvent(list, event);
        return;
      default:
        QLineEdit::keyPressEvent(event);
    }
  }
};

class QtListChoosers : public ListChoosers {
 public:
  std::optional<std::size_t> Choose(const ListChoice& choice) override {
    QDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(ToQString(choice.caption));
    auto* layout = new QVBoxLayout(&dialog);
    auto* prompt = new QLabel(ToQString(choice.prompt), &dialog);
    prompt->setWordWrap(true);
    prompt->setTextFormat(Qt::PlainText);
    auto* find = new FindField(&dialog);
    find->setPlaceholderText(QStringLiteral("Find"));
    find->setClearButtonEnabled(true);
    prompt->setBuddy(find);
    ItemsModel items(choice);
    FoundItems found(items);
    found.setSourceModel(&items);
    auto* list = new QListView(&dialog);
    list->setUniformItemSizes(true);  // so the view never measures every item
    list->setModel(&found);
    find->list = list;
    auto* noMatch = new QLabel(ToQString(choice.noMatch), &dialog);
    noMatch->setAlignment(Qt::AlignCenter);
    auto* shown = new QStackedWidget(&dialog);
    shown->addWidget(list);
    shown->addWidget(noMatch);
    list->setCurrentIndex(found.index(0, 0));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Open | QDialogButtonBox::Cancel, &dialog);
    layout->addWidget(prompt);
    layout->addWidget(find);
    layout->addWidget(shown);
    layout->addWidget(buttons);
    dialog.resize(dialog.fontMetrics().averageCharWidth() * 60, dialog.fontMetrics().height() * 28);

    QObject::connect(find, &QLineEdit::textChanged, &dialog, [&found, list, shown](const QString& text) {
      found.Find(text);
      list->setCurrentIndex(found.index(0, 0));
      shown->setCurrentIndex(found.rowCount() == 0 ? 1 : 0);
    });
    const auto updateOpen = [&] { buttons->button(QDialogButtonBox::Open)->setEnabled(list->currentIndex().isValid()); };
    QObject::connect(list->selectionModel(), &QItemSelectionModel::currentChanged, &dialog, updateOpen);
    QObject::connect(&found, &QAbstractItemModel::modelReset, &dialog, updateOpen);
    QObject::connect(&found, &QAbstractItemModel::layoutChanged, &dialog, updateOpen);
    updateOpen();
    QObject::connect(list, &QListView::activated, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    find->setFocus();

    if (dialog.exec() != QDialog::Accepted || !list->currentIndex().isValid()) return std::nullopt;
    return static_cast<std::size_t>(found.mapToSource(list->currentIndex()).row());
  }
};

}  // namespace

ListChoosers& ListChoosers::Production() {
  static QtListChoosers choosers;
  return choosers;
}

std::optional<std::size_t> ChooseFromList(const ListChoice& choice) { return Service<ListChoosers>().Choose(choice); }

}  // namespace varnolix
