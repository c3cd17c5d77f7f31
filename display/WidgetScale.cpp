#include "WidgetScale.h"

#include "ScreenScale.h"
#include "Widgets.h"

#include <QVariant>
#include <QWidget>

#include <algorithm>

namespace fendral {

namespace {
    // Where each widget keeps the values it was built with
    constexpr char DesignGeometry[] = "fendralDesignGeometry";
    constexpr char DesignFontSize[] = "fendralDesignFontSize";
    constexpr char DesignAnchor[] = "fendralDesignAnchor";

    void rememberDesign(QWidget* widget)
    {
        if (widget->property(DesignGeometry).isValid())
            return;
        widget->setProperty(DesignGeometry, widget->geometry());
        if (widget->testAttribute(Qt::WA_SetFont) && widget->font().pixelSize() > 0)
            widget->setProperty(DesignFontSize, widget->font().pixelSize());
        if (const auto* label = qobject_cast<AnchoredLabel*>(widget))
            widget->setProperty(DesignAnchor, QPoint(label->anchorX(), label->anchorTop()));
    }

    void rescaleWidget(QWidget* widget, const Scale& scale)
    {
        rememberDesign(widget);
        if (const QVariant size = widget->property(DesignFontSize); size.isValid()) {
            QFont font = widget->font();
            font.setPixelSize(std::max(1, scale.logical(size.toInt())));
            widget->setFont(font);
        }
        if (auto* label = qobject_cast<AnchoredLabel*>(widget)) {
            // Its size follows its text; the anchor says where it goes
            const QPoint anchor = widget->property(DesignAnchor).toPoint();
            label->setAnchor(scale.logical(anchor.x()), scale.logical(anchor.y()));
        } else {
            widget->setGeometry(scale.logical(widget->property(DesignGeometry).toRect()));
        }
    }
}

void rescaleWidgets(QWidget* root, const Scale& scale)
{
    if (!root->isWindow())
        rescaleWidget(root, scale);
    for (QWidget* child : root->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!child->isWindow())
            rescaleWidgets(child, scale);
}

} // namespace fendral
