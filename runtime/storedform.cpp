#include "storedform.h"

#include "systemcolors.h"
#include "windowframe.h"

#include <QApplication>
#include <QEvent>
#include <QFont>
#include <QWidget>

namespace {

void applyPointSize(QWidget& widget)
{
    const QVariant pointSize = widget.property("pointSizeF");
    if (pointSize.isValid()) {
        QFont font = widget.font();
        font.setPointSizeF(pointSize.toDouble());
        widget.setFont(font);
    }
}

// Resolves the widget's system colours against the theme's palette. Text
// colours are kept readable on the background they are drawn on.
void applyColors(QWidget& widget)
{
    const QPalette theme = QApplication::palette(&widget);
    QPalette palette = widget.palette();
    bool recoloured = false;

    const QVariant back = widget.property("systemBackColor");
    if (back.isValid()) {
        const QColor color = systemColor(back.toInt(), theme);
        if (color.isValid()) {
            palette.setColor(QPalette::Window, color);
            widget.setAutoFillBackground(true);
            recoloured = true;
        }
    }
    const QVariant text = widget.property("systemTextColor");
    if (text.isValid()) {
        const QColor color = systemColor(text.toInt(), theme);
        if (color.isValid()) {
            palette.setColor(QPalette::WindowText,
                             readableOn(color, palette.color(QPalette::Window)));
            recoloured = true;
        }
    }
    // Only the roles set here become the widget's own; the rest still follow
    // the application palette.
    if (recoloured)
        widget.setPalette(palette);
}

void applyColorsToForm(QWidget& form)
{
    applyColors(form); // first: the controls are drawn on its background
    for (QWidget* child : form.findChildren<QWidget*>())
        applyColors(*child);
}

// Resolves the colours again when the theme's palette changes, as it does
// when the desktop switches between light and dark.
class ThemeWatcher : public QObject {
public:
    explicit ThemeWatcher(QWidget& form)
        : QObject(&form)
        , m_form(form)
    {
        form.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == &m_form && event->type() == QEvent::ApplicationPaletteChange)
            applyColorsToForm(m_form);
        return false;
    }

private:
    QWidget& m_form;
};

} // namespace

void prepareStoredForm()
{
    // A substitute is only tried where the family itself is missing, so the
    // machine's own Garamond, say, still wins. Asking the font database
    // whether a family exists would load it whole, which start-up can do
    // without.
    // TARVELO_STAND_IN_FONTS: "family=stand-in,..." (packaging/run-depends.txt).
    // The stand-ins' metrics keep every caption within its control.
    for (const QString& pair :
         QStringLiteral(TARVELO_STAND_IN_FONTS).split(u',', Qt::SkipEmptyParts))
        QFont::insertSubstitution(pair.section(u'=', 0, 0), pair.section(u'=', 1));
}

void loadStoredForm(QWidget& form)
{
    // Controls first: once their sizes are their own, the form's size no
    // longer reaches them, and no text field measures its text twice.
    for (QWidget* child : form.findChildren<QWidget*>())
        applyPointSize(*child);
    applyPointSize(form);
    applyColorsToForm(form);
    new ThemeWatcher(form);
    keepFormSize(form);
}
