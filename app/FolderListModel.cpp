#include "FolderListModel.h"

#include "FolderList.h"
#include "NameText.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

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
    if ((role != Qt::DisplayRole && role != Qt::ToolTipRole) ||
        !checkIndex(index, CheckIndexOption::IndexIsValid)) {
        return {};
    }
    const std::string_view name = m_list.Item(static_cast<std::size_t>(index.row()));
    return role == Qt::DisplayRole ? nameText(name) : nameToolTip(name);
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

bool FolderListDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                                   const QStyleOptionViewItem& option, const QModelIndex& index)
{
    if (event == nullptr || view == nullptr || event->type() != QEvent::ToolTip || !index.isValid()) {
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    }
    const QString text = index.data(Qt::DisplayRole).toString();
    QStringList lines;
    if (QFontMetrics(option.font).horizontalAdvance(text) > option.rect.width() - TextIndent) {
        lines << text;
    }
    lines << index.data(Qt::ToolTipRole).toString();
    const QString tip = plainToolTip(lines);
    QToolTip::showText(event->globalPos(), tip, view->viewport(), option.rect);
    event->setAccepted(!tip.isEmpty());
    return true;
}

} // namespace tombreli
