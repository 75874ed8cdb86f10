#include "GroupFrameStyle.h"

#include <QApplication>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionGroupBox>
#include <qdrawutil.h>

namespace tombreli {

namespace {

// The caption's distance from the frame's left edge, and the gap in the line on either side of it.
constexpr int CaptionIndent = 8;
constexpr int CaptionGap = 2;

} // namespace

GroupFrameStyle::GroupFrameStyle(QObject* parent)
    : QProxyStyle(QStyleFactory::create(QApplication::style()->name()))
{
    setParent(parent);
}

void GroupFrameStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                         QPainter* painter, const QWidget* widget) const
{
    const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
    if (control != CC_GroupBox || box == nullptr) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    const QRect frame = subControlRect(control, option, SC_GroupBoxFrame, widget);
    const QRect caption = subControlRect(control, option, SC_GroupBoxLabel, widget);
    painter->save();
    if (!box->text.isEmpty()) {
        painter->setClipRegion(QRegion(box->rect) - caption.adjusted(-CaptionGap, 0, CaptionGap, 0));
    }
    qDrawShadeRect(painter, frame, box->palette, true, 1, 0);
    painter->restore();
    if (!box->text.isEmpty()) {
        drawItemText(painter, caption, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, box->palette,
                     (box->state & State_Enabled) != 0, box->text, QPalette::WindowText);
    }
}

QRect GroupFrameStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                                      SubControl part, const QWidget* widget) const
{
    const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
    if (control != CC_GroupBox || box == nullptr) {
        return QProxyStyle::subControlRect(control, option, part, widget);
    }
    const int captionHeight = box->fontMetrics.height();
    const QRect frame = box->rect.adjusted(0, captionHeight / 2, 0, 0);
    switch (part) {
    case SC_GroupBoxFrame:
        return frame;
    case SC_GroupBoxLabel:
        return {box->rect.left() + CaptionIndent, box->rect.top(),
                box->fontMetrics.horizontalAdvance(box->text), captionHeight};
    case SC_GroupBoxContents:
        return frame.adjusted(2, captionHeight - captionHeight / 2, -2, -2);
    default:
        return QProxyStyle::subControlRect(control, option, part, widget);
    }
}

} // namespace tombreli
