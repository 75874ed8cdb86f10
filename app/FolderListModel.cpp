#include "FolderListModel.h"

#include "FolderList.h"
#include "NameText.h"

#include <QApplication>
#include <QPainter>

#include <limits>

namespace tombreli {

FolderListModel::FolderListModel(FolderList& list, QObject* parent)
    : QAbstractListModel(parent)
    , m_list(list)
{
    m_list.SetItemsHandler([this](bool changing) { changing ? beginResetModel() : endResetModel(); });
}

int FolderListModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid()) {
        return 0;
    }
    // A list holds at most as many names as a view has rows.
    return static_cast<int>(std::min<std::size_t>(m_list.Count(), std::numeric_limits<int>::max()));
}

QVariant FolderListModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !checkIndex(index, CheckIndexOption::IndexIsValid)) {
        return {};
    }
    return nameText(m_list.Item(static_cast<std::size_t>(index.row())));
}

QSize FolderListDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const
{
    return {option.rect.width(), m_itemHeight};
}

void FolderListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const
{
    QStyleOptionViewItem item(option);
    initStyleOption(&item, index);
    const QString text = item.text;
    // The style draws the selection and the focus frame; the name is drawn here, where the window wants it.
    item.text.clear();
    const QWidget* widget = option.widget;
    QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);

    const bool selected = (option.state & QStyle::State_Selected) != 0;
    const QPalette::ColorGroup group =
        (option.state & QStyle::State_Active) != 0 ? QPalette::Active : QPalette::Inactive;
    painter->save();
    painter->setFont(option.font);
    painter->setPen(option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    painter->drawText(option.rect.adjusted(TextIndent, 0, 0, 0),
                      Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
    painter->restore();
}

} // namespace tombreli
