// The main window's billing-period actions: add, edit, double-click, delete.
// Each confirmed change goes into the project's list at once and makes the
// calculation invalid and the project unsaved.
#include "mainform.h"

#include "consumption.h"
#include "datapage.h"
#include "dialogservice.h"
#include "dskproject.h"
#include "entryform.h"
#include "translation.h"

void TMainForm::EntryAddActionExecute()
{
    auto period = std::make_unique<TConsumption>();
    if (!EditConsumption(*period, this))
        return;
    DskProject->ConsumptionList().Add(std::move(period));
    DskProject->setValidCalculation(false);
    DskProject->setIsSaved(false);
    ShowConsumptionList();
}

void TMainForm::EntryEditActionExecute()
{
    editPeriodAt(m_dataPage->selectedConsumptionRow());
}

void TMainForm::ConsumptionListGridCellDblClick(int Row)
{
    editPeriodAt(Row);
}

void TMainForm::editPeriodAt(int row)
{
    // The list's index check refuses a row that names no period.
    TConsumption& period = DskProject->ConsumptionList()[row];
    if (!EditConsumption(period, this))
        return;
    // Confirming counts as a change even when nothing was altered.
    DskProject->setValidCalculation(false);
    DskProject->setIsSaved(false);
    ShowConsumptionList();
}

void TMainForm::EntryDeleteActionExecute()
{
    const QString question = TranslateText(QStringLiteral("¿Está usted seguro que desea eliminar el registro?"));
    // The period is taken before the question, so the answer applies to the
    // period that was selected when it was asked.
    const TConsumption* period = &DskProject->ConsumptionList()[m_dataPage->selectedConsumptionRow()];
    if (!m_dialogs->askYesNo(question))
        return;
    DskProject->ConsumptionList().Extract(period); // disposed of here
    DskProject->setValidCalculation(false);
    DskProject->setIsSaved(false);
    ShowConsumptionList();
}
