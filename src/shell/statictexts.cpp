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

namespace {

void translateAction(QAction* action)
{
    action->setText(TranslateText(action->text()));
}

void translateLabel(QLabel* label)
{
    // A label without text may show a picture, which a text would replace.
    if (label->textFormat() != Qt::RichText && !label->text().isEmpty())
        label->setText(TranslateText(label->text()));
}

void translateButton(QAbstractButton* button)
{
    if (auto* tool = qobject_cast<QToolButton*>(button); tool && tool->defaultAction())
        return; // shows its action's text, translated with the actions
    if (!button->text().isEmpty())
        button->setText(TranslateText(button->text()));
}

void translateGroup(QGroupBox* group)
{
    group->setTitle(TranslateText(group->title()));
}

void translateCombo(QComboBox* combo)
{
    for (int i = 0; i < combo->count(); ++i)
        combo->setItemText(i, TranslateText(combo->itemText(i)));
}

void translateList(QListWidget* list)
{
    for (int i = 0; i < list->count(); ++i)
        list->item(i)->setText(TranslateText(list->item(i)->text()));
}

void translateHeaders(QTableWidget* table)
{
    for (int i = 0; i < table->columnCount(); ++i) {
        if (QTableWidgetItem* item = table->horizontalHeaderItem(i))
            item->setText(TranslateText(item->text()));
    }
}

void translateTabs(QTabWidget* tabs)
{
    for (int i = 0; i < tabs->count(); ++i)
        tabs->setTabText(i, TranslateText(tabs->tabText(i)));
}

} // namespace

void translateStaticTexts(QWidget* window)
{
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
