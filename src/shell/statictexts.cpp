#include "statictexts.h"

#include "translation.h"

#include <QAbstractButton>
#include <QAction>
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

// The design text of a single-text object: the one remembered, or, the first
// time, the shown text (which is then still the Spanish design text).
QString designText(QObject* object, const QString& shown)
{
    const QVariant stored = object->property(DesignTextProperty);
    if (stored.isValid())
        return stored.toString();
    object->setProperty(DesignTextProperty, shown);
    return shown;
}

// For objects with several texts (items, tabs, headers), the design texts
// are kept as a list in the same property.
QStringList designTexts(QObject* object, const QStringList& shown)
{
    const QVariant stored = object->property(DesignTextProperty);
    if (stored.isValid() && stored.toStringList().size() == shown.size())
        return stored.toStringList();
    object->setProperty(DesignTextProperty, shown);
    return shown;
}

void translateButton(QAbstractButton* button)
{
    if (auto* tool = qobject_cast<QToolButton*>(button); tool && tool->defaultAction())
        return; // shows its action's text, translated with the actions
    if (!button->text().isEmpty() || button->property(DesignTextProperty).isValid())
        button->setText(TranslateText(designText(button, button->text())));
}

void translateCombo(QComboBox* combo)
{
    QStringList shown;
    for (int i = 0; i < combo->count(); ++i)
        shown << combo->itemText(i);
    const QStringList design = designTexts(combo, shown);
    for (int i = 0; i < combo->count(); ++i)
        combo->setItemText(i, TranslateText(design.at(i)));
}

void translateList(QListWidget* list)
{
    QStringList shown;
    for (int i = 0; i < list->count(); ++i)
        shown << list->item(i)->text();
    const QStringList design = designTexts(list, shown);
    for (int i = 0; i < list->count(); ++i)
        list->item(i)->setText(TranslateText(design.at(i)));
}

void translateHeaders(QTableWidget* table)
{
    QStringList shown;
    for (int i = 0; i < table->columnCount(); ++i) {
        const QTableWidgetItem* item = table->horizontalHeaderItem(i);
        shown << (item ? item->text() : QString());
    }
    const QStringList design = designTexts(table, shown);
    for (int i = 0; i < table->columnCount(); ++i) {
        if (QTableWidgetItem* item = table->horizontalHeaderItem(i))
            item->setText(TranslateText(design.at(i)));
    }
}

void translateTabs(QTabWidget* tabs)
{
    QStringList shown;
    for (int i = 0; i < tabs->count(); ++i)
        shown << tabs->tabText(i);
    const QStringList design = designTexts(tabs, shown);
    for (int i = 0; i < tabs->count(); ++i)
        tabs->setTabText(i, TranslateText(design.at(i)));
}

} // namespace

void translateStaticTexts(QWidget* window)
{
    for (QAction* action : window->findChildren<QAction*>())
        action->setText(TranslateText(designText(action, action->text())));
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (label->textFormat() != Qt::RichText && !label->text().isEmpty())
            label->setText(TranslateText(designText(label, label->text())));
    }
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
        translateButton(button);
    for (QGroupBox* group : window->findChildren<QGroupBox*>())
        group->setTitle(TranslateText(designText(group, group->title())));
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
