#include "statictexts.h"

#include "translation.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QVariant>

namespace {

constexpr const char* DesignTextProperty = "tenvikDesignText";
// What the lookup last showed: a shown text that differs from it was set by
// the program since, and is the control's new design text.
constexpr const char* ShownTextProperty = "tenvikShownText";
constexpr const char* PreparedProperty = "tenvikStaticTexts";

QString designText(const QObject* object, const QString& shown)
{
    const QVariant design = object->property(DesignTextProperty);
    if (design.isValid() && object->property(ShownTextProperty).toString() == shown)
        return design.toString();
    return shown;
}

QString lookUp(QObject* object, const QString& design)
{
    const QString shown = TranslateText(design);
    object->setProperty(DesignTextProperty, design);
    object->setProperty(ShownTextProperty, shown);
    return shown;
}

// For controls with several texts (items, tabs, headers), the design and
// shown texts are kept as lists, and each text is judged on its own: an
// item added or renamed since takes its text as its design text.
QStringList lookUpAll(QObject* object, const QStringList& shown)
{
    const QStringList designs = object->property(DesignTextProperty).toStringList();
    const QStringList lastShown = object->property(ShownTextProperty).toStringList();
    QStringList design;
    QStringList result;
    for (qsizetype i = 0; i < shown.size(); ++i) {
        const bool unchanged = i < designs.size() && i < lastShown.size() && lastShown.at(i) == shown.at(i);
        design << (unchanged ? designs.at(i) : shown.at(i));
        result << TranslateText(design.last());
    }
    object->setProperty(DesignTextProperty, design);
    object->setProperty(ShownTextProperty, result);
    return result;
}

void translateAction(QAction* action)
{
    action->setText(lookUp(action, designText(action, action->text())));
}

void translateLabel(QLabel* label)
{
    // A label without text may show a picture, which a text would replace.
    if (label->textFormat() != Qt::RichText && !label->text().isEmpty())
        label->setText(lookUp(label, designText(label, label->text())));
}

void translateButton(QAbstractButton* button)
{
    if (auto* tool = qobject_cast<QToolButton*>(button); tool && tool->defaultAction())
        return; // shows its action's text, translated with the actions
    if (!button->text().isEmpty())
        button->setText(lookUp(button, designText(button, button->text())));
}

void translateGroup(QGroupBox* group)
{
    group->setTitle(lookUp(group, designText(group, group->title())));
}

void translateCombo(QComboBox* combo)
{
    QStringList shown;
    for (int i = 0; i < combo->count(); ++i)
        shown << combo->itemText(i);
    const QStringList texts = lookUpAll(combo, shown);
    for (int i = 0; i < combo->count(); ++i)
        combo->setItemText(i, texts.at(i));
}

void translateList(QListWidget* list)
{
    QStringList shown;
    for (int i = 0; i < list->count(); ++i)
        shown << list->item(i)->text();
    const QStringList texts = lookUpAll(list, shown);
    for (int i = 0; i < list->count(); ++i)
        list->item(i)->setText(texts.at(i));
}

void translateHeaders(QTableWidget* table)
{
    QStringList shown;
    for (int i = 0; i < table->columnCount(); ++i) {
        const QTableWidgetItem* item = table->horizontalHeaderItem(i);
        shown << (item ? item->text() : QString());
    }
    const QStringList texts = lookUpAll(table, shown);
    for (int i = 0; i < table->columnCount(); ++i) {
        if (QTableWidgetItem* item = table->horizontalHeaderItem(i))
            item->setText(texts.at(i));
    }
}

void translateTabs(QTabWidget* tabs)
{
    QStringList shown;
    for (int i = 0; i < tabs->count(); ++i)
        shown << tabs->tabText(i);
    const QStringList texts = lookUpAll(tabs, shown);
    for (int i = 0; i < tabs->count(); ++i)
        tabs->setTabText(i, texts.at(i));
}

} // namespace

void translateStaticTexts(QWidget* window)
{
    window->setProperty(PreparedProperty, true);
    for (QAction* action : window->findChildren<QAction*>())
        translateAction(action);
    for (QLabel* label : window->findChildren<QLabel*>())
        translateLabel(label);
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
        translateButton(button);
    for (QGroupBox* group : window->findChildren<QGroupBox*>())
        translateGroup(group);
    for (QTabWidget* tabs : window->findChildren<QTabWidget*>())
        translateTabs(tabs);
    for (QComboBox* combo : window->findChildren<QComboBox*>()) {
        if (!combo->isEditable())
            translateCombo(combo);
    }
    for (QListWidget* list : window->findChildren<QListWidget*>())
        translateList(list);
    for (QTableWidget* table : window->findChildren<QTableWidget*>())
        translateHeaders(table);
}

void setStaticText(QObject* control, const QString& designText)
{
    const QString shown = lookUp(control, designText);
    if (auto* label = qobject_cast<QLabel*>(control))
        label->setText(shown);
    else if (auto* button = qobject_cast<QAbstractButton*>(control))
        button->setText(shown);
    else if (auto* group = qobject_cast<QGroupBox*>(control))
        group->setTitle(shown);
    else if (auto* action = qobject_cast<QAction*>(control))
        action->setText(shown);
}

namespace {

bool prepared(const QWidget* widget)
{
    return widget->property(PreparedProperty).toBool();
}

// A page prepared inside a prepared window is shown again with its window.
bool insidePreparedWindow(const QWidget* widget)
{
    for (const QWidget* parent = widget->parentWidget(); parent; parent = parent->parentWidget()) {
        if (prepared(parent))
            return true;
    }
    return false;
}

} // namespace

void translateAllStaticTexts()
{
    for (QWidget* widget : QApplication::allWidgets()) {
        if (prepared(widget) && !insidePreparedWindow(widget))
            translateStaticTexts(widget);
    }
}
