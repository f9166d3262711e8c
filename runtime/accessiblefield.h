#pragma once

#include <QAccessibleWidget>

#include <functional>

class QLineEdit;

// What a screen reader sees of a single-line text field: its name, value,
// state, text, caret and selection, as Qt's own line edit interface offers
// them, but with one run of text attributes covering the whole text. A field
// has no attributes of its own, and Qt's interface reports runs of length
// zero, which make Orca stop short of the last character when it reads the
// value. Needed with Qt 6.4 and 6.8 on Linux; without it e2e.x11.compute
// fails ("attribute run"). Goes when Qt's line edit covers the text.
class AccessibleField : public QAccessibleWidget,
                        public QAccessibleTextInterface,
                        public QAccessibleEditableTextInterface {
public:
    explicit AccessibleField(QLineEdit* field);

    // Makes every text field the application builds from now on use this
    // interface. Called before the form's controls are built.
    static void install();

    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text t, const QString& text) override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType t) override;

    // Text
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                             int* startOffset, int* endOffset) const override;
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                            int* startOffset, int* endOffset) const override;
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                         int* endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

    // Editable text
    void deleteText(int startOffset, int endOffset) override;
    void insertText(int offset, const QString& text) override;
    void replaceText(int startOffset, int endOffset, const QString& text) override;

private:
    QLineEdit* field() const;
    bool showsText() const;
    // The text that `find` finds from an offset, where the field shows its
    // text; none in a password field.
    QString textNear(int offset, int* startOffset, int* endOffset,
                     const std::function<QString(int)>& find) const;
};
