#include "storedform.h"

#include "systemcolors.h"

#include <QFont>
#include <QFontDatabase>
#include <QWidget>

namespace {

// Families of the original platform and the Debian fonts that stand in for
// them: the metrics of these keep every caption within its control.
struct Substitute {
    const char* family;
    const char* standIn;
};
constexpr Substitute kSubstitutes[] = {
    {"MS Sans Serif", "Liberation Sans"},
    {"Garamond", "EB Garamond"},
    {"Verdana", "DejaVu Sans"},
};

void registerFontSubstitutes()
{
    static const bool registered = [] {
        for (const Substitute& s : kSubstitutes) {
            if (!QFontDatabase::hasFamily(s.family))
                QFont::insertSubstitution(s.family, s.standIn);
        }
        return true;
    }();
    Q_UNUSED(registered);
}

void applyStoredProperties(QWidget& widget)
{
    const QVariant pointSize = widget.property("pointSizeF");
    if (pointSize.isValid()) {
        QFont font = widget.font();
        font.setPointSizeF(pointSize.toDouble());
        widget.setFont(font);
    }

    // Only the roles set here become the widget's own; the rest still follow
    // the application palette.
    QPalette palette = widget.palette();
    bool recoloured = false;
    auto resolve = [&](const char* property, QPalette::ColorRole role) {
        const QVariant index = widget.property(property);
        if (!index.isValid())
            return false;
        const QColor color = systemColor(index.toInt(), palette);
        if (!color.isValid())
            return false;
        palette.setColor(role, color);
        recoloured = true;
        return true;
    };
    resolve("systemTextColor", QPalette::WindowText);
    if (resolve("systemBackColor", QPalette::Window))
        widget.setAutoFillBackground(true);
    if (recoloured)
        widget.setPalette(palette);
}

} // namespace

void loadStoredForm(QWidget& form)
{
    registerFontSubstitutes();
    applyStoredProperties(form);
    for (QWidget* child : form.findChildren<QWidget*>())
        applyStoredProperties(*child);
}
