#pragma once

#include <QAbstractListModel>
#include <QStyledItemDelegate>

namespace tombreli {

class FolderList;

// A folder list as a list view sees it: one row a name, shown as nameText
// shows it, with the name spelled out as its tool tip (nameToolTip). The list
// tells the model before its names change and after, so that a text that
// moves the list nowhere keeps the view's selection.
class FolderListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    explicit FolderListModel(FolderList& list, QObject* parent = nullptr);

    FolderList& folderList() const { return m_list; }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    FolderList& m_list;
};

// Draws a folder list's rows as the window wants them: 12 pixels high (as
// designed; scaled with the window), the name 2 pixels in from the left
// edge, no icon.
class FolderListDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    static constexpr int DesignedItemHeight = 12;
    static constexpr int TextIndent = 2;

    using QStyledItemDelegate::QStyledItemDelegate;

    int itemHeight() const { return m_itemHeight; }
    void setItemHeight(int height) { m_itemHeight = height; }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

    // The tip of a row: its name whole when the row cuts it off, and the name
    // spelled out when it could pass for another. Where there is no row, the
    // list's folder.
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

private:
    int m_itemHeight = DesignedItemHeight;
};

} // namespace tombreli
