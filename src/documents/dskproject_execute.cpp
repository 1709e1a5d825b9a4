#include "dskproject.h"

#include "selection.h"

// Kept apart so that programs that never calculate need not link the
// selection run.
void TDskProject::Execute()
{
    if (FValidCalculation)
        return;
    Selection().Execute(); // a failure leaves both flags as they were
    FIsSaved = false;
    FValidCalculation = true;
}
