#include "accessiblefield.h"

#include <QFontMetrics>
#include <QLineEdit>

namespace {

QAccessibleInterface* fieldFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("QLineEdit") && object && object->isWidgetType())
        return new AccessibleField(static_cast<QLineEdit*>(object));
    return nullptr;
}

} // namespace

AccessibleField::AccessibleField(QLineEdit* field)
    : QAccessibleWidget(field, QAccessible::EditableText)
{
    addControllingSignal(QStringLiteral("textChanged(const QString&)"));
    addControllingSignal(QStringLiteral("returnPressed()"));
}

void AccessibleField::install()
{
    QAccessible::installFactory(fieldFactory);
}

QLineEdit* AccessibleField::field() const
{
    return static_cast<QLineEdit*>(object());
}

// A password field's text is never handed out.
bool AccessibleField::showsText() const
{
    return field()->echoMode() == QLineEdit::Normal;
}

QString AccessibleField::text(QAccessible::Text t) const
{
    QString text;
    if (t == QAccessible::Value && showsText())
        text = field()->text();
    else if (t == QAccessible::Value && field()->echoMode() != QLineEdit::NoEcho)
        text = QString(field()->text().size(), QLatin1Char('*'));
    if (text.isEmpty())
        text = QAccessibleWidget::text(t);
    if (text.isEmpty() && t == QAccessible::Description)
        text = field()->placeholderText();
    return text;
}

void AccessibleField::setText(QAccessible::Text t, const QString& text)
{
    if (t == QAccessible::Value)
        field()->setText(text);
    else
        QAccessibleWidget::setText(t, text);
}

QAccessible::State AccessibleField::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.editable = true;
    state.readOnly = field()->isReadOnly();
    state.passwordEdit = !showsText();
    state.selectableText = true;
    return state;
}

void* AccessibleField::interface_cast(QAccessible::InterfaceType t)
{
    if (t == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    if (t == QAccessible::EditableTextInterface)
        return static_cast<QAccessibleEditableTextInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
}

void AccessibleField::selection(int selectionIndex, int* startOffset, int* endOffset) const
{
    *startOffset = *endOffset = 0;
    if (selectionIndex == 0 && field()->hasSelectedText()) {
        *startOffset = field()->selectionStart();
        *endOffset = field()->selectionEnd();
    }
}

int AccessibleField::selectionCount() const
{
    return field()->hasSelectedText() ? 1 : 0;
}

void AccessibleField::addSelection(int startOffset, int endOffset)
{
    setSelection(0, startOffset, endOffset);
}

void AccessibleField::removeSelection(int selectionIndex)
{
    if (selectionIndex == 0)
        field()->deselect();
}

void AccessibleField::setSelection(int selectionIndex, int startOffset, int endOffset)
{
    if (selectionIndex == 0)
        field()->setSelection(startOffset, endOffset - startOffset);
}

int AccessibleField::cursorPosition() const
{
    return field()->cursorPosition();
}

void AccessibleField::setCursorPosition(int position)
{
    field()->setCursorPosition(position);
}

QString AccessibleField::text(int startOffset, int endOffset) const
{
    if (startOffset > endOffset || !showsText())
        return QString();
    return field()->text().mid(startOffset, endOffset - startOffset);
}

// Offset -2 stands for the caret.
QString AccessibleField::textNear(int offset, int* startOffset, int* endOffset,
                                  const std::function<QString(int)>& find) const
{
    if (!showsText()) {
        *startOffset = *endOffset = -1;
        return QString();
    }
    return find(offset == -2 ? cursorPosition() : offset);
}

QString AccessibleField::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                          int* startOffset, int* endOffset) const
{
    return textNear(offset, startOffset, endOffset, [&](int at) {
        return QAccessibleTextInterface::textBeforeOffset(at, boundaryType, startOffset, endOffset);
    });
}

QString AccessibleField::textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                         int* startOffset, int* endOffset) const
{
    return textNear(offset, startOffset, endOffset, [&](int at) {
        return QAccessibleTextInterface::textAfterOffset(at, boundaryType, startOffset, endOffset);
    });
}

QString AccessibleField::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                      int* startOffset, int* endOffset) const
{
    return textNear(offset, startOffset, endOffset, [&](int at) {
        return QAccessibleTextInterface::textAtOffset(at, boundaryType, startOffset, endOffset);
    });
}

int AccessibleField::characterCount() const
{
    return field()->text().size();
}

// The character's box on the screen: found from the caret, which stands in
// the middle of the box the field reports for it, and the width of the text
// between the caret and the character.
QRect AccessibleField::characterRect(int offset) const
{
    const QString character = text(offset, offset + 1);
    if (character.isEmpty())
        return QRect();
    const QFontMetrics metrics(field()->font());
    const QString& all = field()->text();
    const QRect caret = field()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    const int x = caret.x() + caret.width() / 2 + metrics.horizontalAdvance(all.left(offset))
                  - metrics.horizontalAdvance(all.left(cursorPosition()));
    const QPoint topLeft(x, field()->textMargins().top());
    return QRect(field()->mapToGlobal(topLeft),
                 QSize(metrics.horizontalAdvance(character), metrics.height()));
}

int AccessibleField::offsetAtPoint(const QPoint& point) const
{
    return field()->cursorPositionAt(field()->mapFromGlobal(point));
}

void AccessibleField::scrollToSubstring(int startIndex, int endIndex)
{
    field()->setCursorPosition(endIndex);
    field()->setCursorPosition(startIndex);
}

// The field has no attributes: one empty run covers its whole text.
QString AccessibleField::attributes(int offset, int* startOffset, int* endOffset) const
{
    const int length = characterCount();
    if (offset < 0 || offset > length) {
        *startOffset = *endOffset = -1;
        return QString();
    }
    *startOffset = 0;
    *endOffset = length;
    return QString();
}

void AccessibleField::deleteText(int startOffset, int endOffset)
{
    field()->setText(field()->text().remove(startOffset, endOffset - startOffset));
}

void AccessibleField::insertText(int offset, const QString& text)
{
    field()->setText(field()->text().insert(offset, text));
}

void AccessibleField::replaceText(int startOffset, int endOffset, const QString& text)
{
    field()->setText(field()->text().replace(startOffset, endOffset - startOffset, text));
}
