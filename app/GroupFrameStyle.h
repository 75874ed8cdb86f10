#pragma once

#include <QProxyStyle>

namespace tombreli {

// Draws a group frame as a desktop group box is drawn: an etched line whose
// top edge runs through the middle of the caption, the caption set into it.
// Fusion puts the caption above the frame instead, so that the frame's top
// line would run behind controls placed just below the caption.
class GroupFrameStyle : public QProxyStyle
{
    Q_OBJECT

public:
    // Over the application's style, which it leaves as it is for all else.
    explicit GroupFrameStyle(QObject* parent);

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget = nullptr) const override;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                         const QWidget* widget = nullptr) const override;
};

} // namespace tombreli
